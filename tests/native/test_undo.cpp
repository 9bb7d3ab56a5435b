// The undo and redo log.
#include <gtest/gtest.h>

#include <random>

#include "doc/edit.h"
#include "doc/undo.h"
#include "tests/native/edit_fixture.h"

namespace {

class UndoTest : public EditFixture {};

}  // namespace

TEST_F(UndoTest, ThreeCharactersUndoneAndRedoneInOrder)
{
    Open("\n");
    Click(0);
    Type("abc");
    ASSERT_EQ(doc->undoNext, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(doc->undoLog[i].kind, kUndoInsertChar);
    EXPECT_EQ(Undo(doc.get()), 1);
    EXPECT_EQ(Text(doc.get()), "ab\n");
    EXPECT_EQ(Undo(doc.get()), 1);
    EXPECT_EQ(Undo(doc.get()), 1);
    EXPECT_EQ(Text(doc.get()), "\n");
    EXPECT_EQ(Undo(doc.get()), 0);
    EXPECT_EQ(Redo(doc.get()), 1);
    EXPECT_EQ(Redo(doc.get()), 1);
    EXPECT_EQ(Redo(doc.get()), 1);
    EXPECT_EQ(Redo(doc.get()), 0);
    EXPECT_EQ(Text(doc.get()), "abc\n");
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_TRUE(doc->docFlags & kDocModified);
}

TEST_F(UndoTest, SixtyFourEditsLeaveFortyEightRecords)
{
    Open("\n");
    Click(0);
    Type(std::string(63, 'x'));
    EXPECT_EQ(doc->undoNext, 63);
    Type("y");
    EXPECT_EQ(doc->undoNext, 48);
    EXPECT_EQ(doc->undoCount, 48);
    int steps = 0;
    while (Undo(doc.get())) ++steps;
    EXPECT_EQ(steps, 48);
    EXPECT_EQ(Text(doc.get()), std::string(16, 'x') + "\n");
}

TEST_F(UndoTest, DeletedRangeComesBackWithTheCaretAfterIt)
{
    Open("0123456789abcdef");
    Click(12);
    doc->anchorOffset = 2;
    DeleteSelection(doc.get());
    EXPECT_EQ(Text(doc.get()), "01cdef");
    ASSERT_EQ(doc->undoNext, 1);
    EXPECT_EQ(doc->undoLog[0].kind, kUndoDeleteRange);
    Undo(doc.get());
    EXPECT_EQ(Text(doc.get()), "0123456789abcdef");
    EXPECT_EQ(doc->caretOffset, 12);
    Redo(doc.get());
    EXPECT_EQ(Text(doc.get()), "01cdef");
}

TEST_F(UndoTest, PastedStringIsUndoneExactly)
{
    Open("a\nb");
    Click(1);
    InsertString(doc.get(), "XY\nZ");
    Click(0);  // the caret elsewhere: undo moves it to the record first
    Undo(doc.get());
    EXPECT_EQ(Text(doc.get()), "a\nb");
    EXPECT_EQ(doc->caretOffset, 1);
}

TEST_F(UndoTest, ANewEditDiscardsWhatCouldBeRedone)
{
    Open("\n");
    Click(0);
    Type("ab");
    Undo(doc.get());
    Type("c");
    EXPECT_EQ(doc->undoNext, doc->undoCount);
    EXPECT_EQ(Redo(doc.get()), 0);
    EXPECT_EQ(Text(doc.get()), "ac\n");
}

TEST_F(UndoTest, ARecordThatNoLongerFitsTheTextIsRefused)
{
    Open("abcdef");
    Click(6);
    Type("g");
    // A replace-all shortens the text under the log.
    doc->length = 2;
    doc->text[2] = '\0';
    doc->caretOffset = 2;
    EXPECT_EQ(Undo(doc.get()), 0);
    EXPECT_EQ(Text(doc.get()), "ab");
    EXPECT_EQ(doc->undoLog, nullptr);
}

TEST_F(UndoTest, NoMemoryForTheLogLeavesEditsUnrecorded)
{
    Open("x");
    Click(0);
    FailAllocationNumber(AllocationCalls() + 1);
    Type("a");
    EXPECT_EQ(Text(doc.get()), "ax");
    EXPECT_EQ(doc->undoLog, nullptr);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(UndoTest, FailedReinsertionClearsTheLog)
{
    Open("abc", 10, 40, 0);
    Click(0);
    TypeKey(doc.get(), kKeyDelete);  // grows nothing; the record holds 'a'
    doc->capacity = doc->length + 1;  // the block is full
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_EQ(Undo(doc.get()), 1);
    EXPECT_EQ(doc->undoLog, nullptr);
    EXPECT_EQ(Text(doc.get()), "bc");
}

// A long random sequence of edits, undos and redos against a plain string model, with the
// caret mostly placed so that a working window opens.
TEST_F(UndoTest, RandomEditsMatchAStringModel)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        std::string model = NumberedLines(1500);
        Open(model, 12, 30);
        g_core.settings.autoIndent = 1;
        int32_t caret = 0;
        Click(caret);
        // Text when undoNext had each value; empty optional: an intermediate state.
        std::vector<std::pair<bool, std::string>> snaps(1, {true, model});
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int step = 0; step < 2500; ++step) {
            const int32_t n0 = doc->undoNext;
            snaps.resize(static_cast<size_t>(n0) + 1);
            snaps[static_cast<size_t>(n0)] = {true, Whole()};
            int records = 0;
            int op = pick(100);
            if (op < 8) {
                caret = pick(2) ? pick(static_cast<int>(model.size()) - 9000) : pick(static_cast<int>(model.size()) + 1);
                Click(caret);
                continue;
            } else if (op < 50) {
                char c = "abc XYZ\t"[pick(8)];
                g_core.insertMode = pick(4) != 0;
                if (!g_core.insertMode && caret < static_cast<int32_t>(model.size()) && model[caret] != '\n') {
                    model.erase(static_cast<size_t>(caret), 1);
                    ++records;
                }
                model.insert(static_cast<size_t>(caret), 1, c);
                ++caret;
                ++records;
                TypeKey(doc.get(), static_cast<uint8_t>(c));
            } else if (op < 58) {
                g_core.insertMode = 1;
                size_t ls = model.rfind('\n', caret > 0 ? static_cast<size_t>(caret - 1) : 0);
                ls = (caret == 0 || ls == std::string::npos) ? 0 : ls + 1;
                size_t run = 0;
                while (ls + run < static_cast<size_t>(caret) && (model[ls + run] == ' ' || model[ls + run] == '\t')) ++run;
                std::string indent = model.substr(ls, run);
                model.insert(static_cast<size_t>(caret), "\n" + indent);
                caret += 1 + static_cast<int32_t>(run);
                records += 1 + static_cast<int>(run);
                TypeKey(doc.get(), kKeyEnter);
            } else if (op < 68) {
                bool lineStart = caret == 0 || model[static_cast<size_t>(caret - 1)] == '\n';
                if (!lineStart) {
                    model.erase(static_cast<size_t>(--caret), 1);
                    ++records;
                }
                TypeKey(doc.get(), kKeyBackspace);
            } else if (op < 78) {
                if (caret < static_cast<int32_t>(model.size())) {
                    model.erase(static_cast<size_t>(caret), 1);
                    ++records;
                }
                TypeKey(doc.get(), kKeyDelete);
            } else if (op < 82) {
                CloseWorkingWindow(doc.get());
                std::string s = pick(2) ? "pasted\ntext" : "zz";
                model.insert(static_cast<size_t>(caret), s);
                caret += static_cast<int32_t>(s.size());
                ++records;
                InsertString(doc.get(), s.c_str());
                LocateCaret(doc.get());
                CaretUpdate(doc.get());
            } else if (op < 85) {
                int32_t other = std::max(0, caret - pick(40));
                Click(caret);
                doc->anchorOffset = other;
                doc->gridFlags |= kGridHighlight;
                model.erase(static_cast<size_t>(other), static_cast<size_t>(caret - other));
                caret = other;
                records += 1;
                TypeKey(doc.get(), kKeyDelete);
            } else {
                bool undo = op < 95;
                int32_t before = doc->undoNext;
                int done = undo ? Undo(doc.get()) : Redo(doc.get());
                if (done) {
                    ASSERT_EQ(doc->undoNext, before + (undo ? -1 : 1));
                    const auto& snap = snaps.size() > static_cast<size_t>(doc->undoNext)
                                           ? snaps[static_cast<size_t>(doc->undoNext)]
                                           : std::pair<bool, std::string>{false, {}};
                    if (snap.first) {
                        ASSERT_EQ(Whole(), snap.second) << "seed " << seed << " step " << step;
                    }
                    snaps.resize(std::max(snaps.size(), static_cast<size_t>(doc->undoCount) + 1));
                }
                model = Whole();
                caret = AbsoluteCaret(doc.get());
                continue;
            }
            ASSERT_EQ(Whole(), model) << "seed " << seed << " step " << step << " op " << op;
            ASSERT_EQ(AbsoluteCaret(doc.get()), caret) << "seed " << seed << " step " << step;
            // The log trims a quarter whenever it reaches 63 records.
            int32_t expect = n0;
            std::vector<std::pair<bool, std::string>> kept(snaps.begin(), snaps.begin() + n0 + 1);
            for (int i = 0; i < records; ++i) {
                if (expect == kUndoCapacity - 1) {
                    expect -= kUndoCapacity / 4;
                    kept.erase(kept.begin(), kept.begin() + kUndoCapacity / 4);
                }
                ++expect;
                kept.push_back({false, {}});
            }
            ASSERT_EQ(doc->undoNext, expect) << "seed " << seed << " step " << step;
            kept.back() = {true, model};
            snaps = kept;
            if (records > 0) {
                ASSERT_EQ(doc->undoCount, doc->undoNext);
            }
        }
        CloseWorkingWindow(doc.get());
        EXPECT_EQ(Text(doc.get()), model);
        while (Undo(doc.get())) {
        }
        if (snaps[0].first) {
            EXPECT_EQ(Text(doc.get()), snaps[0].second);
        }
    }
}
