// The undo and redo log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>

#include "doc/undo.h"
#include "editor/search.h"
#include "resources/ids.h"
#include "tests/native/edit_fixture.h"
#include "tests/native/naive_search.h"

namespace {

class UndoTest : public EditFixture {};

}  // namespace

// The text is the model test's; here the record kinds and where a replay leaves the caret.
TEST_F(UndoTest, ReplaysLeaveTheCaretAfterTheRestoredTextRedoAtTheEndDoesNothingAndAStaleRecordIsRefused)
{
    // A selection deleted when anchor >= 0, else "XY\nZ" pasted.
    // clang-format off
    const struct { const char* text; int32_t anchor, caret; int kind; int32_t after; } cases[] = {
        {"0123456789abcdef", 2, 12, kUndoDeleteRange, 12}, {"a\nb", -1, 1, kUndoInsertString, 1}};
    // clang-format on
    for (const auto& c : cases) {
        Open(c.text);
        Click(c.caret);
        if (c.anchor >= 0) doc->anchorOffset = c.anchor;
        c.anchor >= 0 ? (void)DeleteSelection(doc.get()) : (void)InsertString(doc.get(), "XY\nZ");
        const std::string edited = Text(doc.get());
        Click(0);  // the caret elsewhere: undo moves it to the record first
        Undo(doc.get());
        EXPECT_EQ(Join(int{doc->undoLog[0].kind}, Text(doc.get()), doc->caretOffset),
                  Join(c.kind, c.text, c.after));
        const int redone = Redo(doc.get());
        EXPECT_EQ(Join(redone, Redo(doc.get()), Text(doc.get()) == edited, doc->docFlags & kDocModified),
                  Join(1, 0, 1, kDocModified));
    }
    // A record that no longer fits the text is refused.
    Open("abcdef");
    Click(6);
    Type("g");
    doc->length = doc->caretOffset = 2;  // a replace-all shortens the text under the log
    doc->text[2] = '\0';
    EXPECT_EQ(Undo(doc.get()), 0);
    EXPECT_EQ(Join(Text(doc.get()), doc->undoLog == nullptr), "ab 1");
}

TEST_F(UndoTest, AFailedReinsertionLeavesNoLogAndTheViewOnTheCaret)
{
    // A replayed insertion that finds the block full and cannot grow it clears the log; the
    // replay still ends as every replay does, with the caret, gone to the record's line far
    // below the view, brought into view, placed, and the view redrawn from its top line.
    const int32_t at = 12 * 30 + 5;  // line 31 of 40, column 5
    // redo: the edit is undone first and its redo fails.
    // clang-format off
    const struct { const char* name; std::function<void()> edit; bool redo; } cases[] = {
        {"undo of Delete", [&] { Type("\x01"); }, false},
        {"redo of a typed character", [&] { Type("k"); }, true},
        {"undo of a deleted range", [&] { Select(at - 8, at), Type("\x01"); }, false},
        {"redo of a paste", [&] { InsertString(doc.get(), "pasted\ntext"); }, true}};
    // clang-format on
    for (const auto& c : cases) {
        FailAllocationsFrom(0);
        Open(NumberedLines(40), 10, 40, 0);
        Click(at);
        c.edit();
        if (c.redo) Undo(doc.get());
        Click(0);
        doc->capacity = doc->length + 1;  // the block is full
        const std::string before = Text(doc.get());
        screen = Recorder{};
        FailAllocationsFrom(AllocationCalls() + 1);
        ASSERT_EQ(c.redo ? Redo(doc.get()) : Undo(doc.get()), 1) << c.name;

        // Placed, in view, redrawn from the top, on the status line; the cell is where it belongs.
        const int32_t row = doc->caretRow, column = doc->caretColumn;
        const bool shown = screen.caretX == column * 8 && screen.caretY == row * 16 && row < doc->rows &&
                           !screen.invalidated.empty() && screen.invalidated.back().top == 0 &&
                           screen.invalidated.back().bottom == doc->rows &&
                           screen.statusLine == doc->topLine + row + 1;
        LocateCaret(doc.get());
        EXPECT_EQ(Join(Text(doc.get()) == before, doc->undoLog == nullptr,
                       screen.MessageIds() == std::vector<int>{IDS_OUT_OF_MEMORY}, g_core.undoReplay,
                       g_core.undoNoCopy, shown, row, column),
                  Join(1, 1, 1, 0, 0, 1, doc->caretRow, doc->caretColumn))
            << c.name;
    }
}

// The caret's line and column as the status line should show them, counted in `text`.
std::string TrueStatus(const std::string& text, int32_t caret, int32_t tabSize)
{
    const auto end = text.begin() + caret;
    int32_t column = 0;
    for (auto p = std::find(std::make_reverse_iterator(end), text.rend(), '\n').base(); p != end; ++p)
        column = ColumnAdvance(column, static_cast<uint8_t>(*p), tabSize);
    return Join(std::count(text.begin(), end, '\n') + 1, column + 1);
}

// A long random sequence of edits, Goto Line, scrolls, Replace All, undos and redos against a
// plain string model, with the caret mostly placed so that a working window opens: undos and
// redos come with the window open, of records near the caret and far from it. The last run has
// lines longer than a working window copies, so the window ends inside a line. The text, the
// caret, the status line's true column and every drawn row must be those of the model.
TEST_F(UndoTest, RandomEditsMatchAStringModelAndDrawAsPlainText)
{
    const std::string longLine = "\tab" + std::string(kWorkingWindowMost + 5000, 'x');
    // The state after every step of a run, and of a run with the same seed that closes the
    // working window before each Undo and Redo, so that every record is replayed on the whole text.
    std::vector<std::string> traces[2];
    // Replays that began and ended with the window open, the main text neither merged nor moved.
    int windowReplays = 0;
    const std::pair<unsigned, bool> runs[] = {{1u, false}, {1u, true}, {2u, false},  {2u, true},
                                              {3u, false}, {3u, true}, {15u, false}, {15u, true}};
    for (const auto& [seed, wholeText] : runs) {
        const bool longLines = seed == 15;
        std::mt19937 random(seed);
        auto pick = [&](size_t n) { return static_cast<int32_t>(random() % n); };
        std::string model =
            longLines ? longLine + "\nshort one\n  two\n" + longLine + "\nend" : NumberedLines(1500);
        Open(model, 12, 30);
        g_core.settings.autoIndent = 1;
        int32_t caret = 0;
        Click(caret);
        // The text when undoNext had each value; none: a state between the records of one edit.
        std::vector<std::optional<std::string>> snaps{model};
        for (int step = 0; step < (longLines ? 600 : 2500); ++step) {
            const auto n0 = static_cast<size_t>(doc->undoNext);
            snaps.resize(std::max(snaps.size(), n0 + 1));
            snaps[n0] = Whole();
            const auto at = static_cast<size_t>(caret);
            const bool atEnd = at == model.size();
            int records = 0;
            // A run with long lines begins at a window's cut: three Deletes, then an overwrite.
            const int forced[] = {4, 70, 70, 70, 10};
            const int op = longLines && step < 5 ? forced[step] : pick(106);
            if (op < 4) {
                CloseWorkingWindow(doc.get());  // as End does
                CaretToLineEnd(doc.get());
                CaretUpdate(doc.get());
                caret = static_cast<int32_t>(std::min(model.find('\n', at), model.size()));
            } else if (op < 10) {
                // Anywhere, mostly 9000 bytes or more before the end; on long lines also just
                // before a window's cut, at the start or end of one, or near the text's end.
                const int32_t spots[] = {kWorkingWindowMost - 1, 0, static_cast<int32_t>(model.find('\n')),
                                         static_cast<int32_t>(model.rfind('\n') - 3)};
                if (longLines && (step == 0 || pick(2)))
                    caret = spots[step == 0 ? 0 : pick(4)];
                else
                    caret = pick(2) ? pick(model.size() - 9000) : pick(model.size() + 1);
                Click(caret);
            } else if (op < 50) {
                const char c = "abc XYZ\t"[pick(8)];
                g_core.insertMode = op != 10 && pick(4) != 0;
                if (!g_core.insertMode && !atEnd && model[at] != '\n') {
                    model.erase(at, 1);
                    ++records;
                }
                model.insert(at, 1, c);
                ++caret;
                ++records;
                TypeKey(doc.get(), static_cast<uint8_t>(c));
            } else if (op < 58) {
                g_core.insertMode = 1;
                const size_t lf = caret > 0 ? model.rfind('\n', at - 1) : std::string::npos;
                const size_t ls = lf == std::string::npos ? 0 : lf + 1;
                const size_t run = model.find_first_not_of(" \t", ls) - ls;
                const std::string indent = model.substr(ls, std::min(run, at - ls));
                model.insert(at, "\n" + indent);
                caret += 1 + static_cast<int32_t>(indent.size());
                records += 1 + static_cast<int>(indent.size());
                TypeKey(doc.get(), kKeyEnter);
            } else if (op < 78) {
                const bool back = op < 68;  // Backspace, else Delete
                if (back ? caret > 0 && model[at - 1] != '\n' : !atEnd) {
                    caret -= back;
                    model.erase(static_cast<size_t>(caret), 1);
                    ++records;
                }
                TypeKey(doc.get(), back ? kKeyBackspace : kKeyDelete);
            } else if (op < 82) {
                CloseWorkingWindow(doc.get());
                const std::string s = pick(2) ? "pasted\ntext" : "zz";
                model.insert(at, s);
                caret += static_cast<int32_t>(s.size());
                ++records;
                InsertString(doc.get(), s.c_str());
                SetTop(doc.get(), doc->topOffset);  // as Paste redraws the view
                LocateCaret(doc.get());
                CaretUpdate(doc.get());
            } else if (op < 85) {
                const int32_t other = std::max(0, caret - pick(40));
                Select(other, caret);
                model.erase(static_cast<size_t>(other), at - static_cast<size_t>(other));
                caret = other;
                ++records;
                TypeKey(doc.get(), kKeyDelete);
            } else if (op < 88) {
                // Goto Line, which another copy's "/G" can ask for while typing holds a working
                // window open: past the last line, the last one.
                const int32_t line = 1 + pick(1700);
                size_t start = 0;
                for (int32_t n = 1; n < line && model.find('\n', start) != std::string::npos; ++n)
                    start = model.find('\n', start) + 1;
                caret = static_cast<int32_t>(start);
                GotoLine(doc.get(), line);
                ASSERT_EQ(doc->caretRow, 0) << "line " << line;
            } else if (op >= 103) {
                // Replace All from the top of the view, its record the whole text before it.
                const char* const pairs[][2] = {{"ne 00", "NE_"}, {"ab", "a\nb"}, {"Z", ""}};
                const auto& pair = pairs[pick(3)];
                SetSearch(pair[0], pair[1]);
                CloseWorkingWindow(doc.get());
                records = NaiveReplaceAll(&model, AbsoluteTop(doc.get()), pair[0], pair[1], 0, 0, &caret) > 0;
                ReplaceAll(doc.get(), SearchPlatform{AsciiCaseFold(), nullptr, nullptr});
                doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);  // the dialog closes
            } else if (op >= 100) {
                // The scroll bar moves the view, and the caret to its cell there.
                CloseWorkingWindow(doc.get());
                const int32_t lines = 1 + pick(40);
                op < 102 ? ScrollDown(doc.get(), lines) : ScrollUp(doc.get(), lines);
                PlaceCaretAtCell(doc.get());
                HideHighlight(AsGrid(doc.get()));
                CaretUpdate(doc.get());
                caret = AbsoluteCaret(doc.get());
            } else {
                const bool undo = op < 95;
                const int32_t before = doc->undoNext;
                if (wholeText) CloseWorkingWindow(doc.get());
                const bool windowBefore = doc->docFlags & kDocWorkingWindow;
                const char* main = g_core.working.mainText;
                const int32_t mainLength = g_core.working.mainLength;
                const int replayed = undo ? Undo(doc.get()) : Redo(doc.get());
                windowReplays += replayed && windowBefore && (doc->docFlags & kDocWorkingWindow) &&
                                 g_core.working.mainText == main && g_core.working.mainLength == mainLength;
                if (replayed) {
                    ASSERT_EQ(doc->undoNext, before + (undo ? -1 : 1));
                    ASSERT_LT(static_cast<size_t>(doc->undoNext), snaps.size());
                    const auto& snap = snaps[static_cast<size_t>(doc->undoNext)];
                    if (snap) {
                        ASSERT_EQ(Whole(), *snap) << "seed " << seed << " step " << step;
                    }
                } else {
                    ASSERT_EQ(Whole(), model) << "seed " << seed << " step " << step;
                }
                model = Whole();
                caret = AbsoluteCaret(doc.get());
            }
            ASSERT_EQ(Whole(), model) << "seed " << seed << " step " << step << " op " << op;
            ASSERT_EQ(AbsoluteCaret(doc.get()), caret) << "seed " << seed << " step " << step;
            ASSERT_EQ(Join(screen.statusLine, screen.statusColumn), TrueStatus(model, caret, doc->tabSize))
                << "seed " << seed << " step " << step;
            if (step % 10 == 0) {
                ASSERT_EQ(Rows(), FreshRows()) << "seed " << seed << " step " << step;
            }
            const int32_t base = AbsoluteCaret(doc.get()) - doc->caretOffset;
            traces[wholeText].push_back(Join(std::hash<std::string>{}(model), caret, doc->anchorOffset + base,
                                             doc->docFlags & kDocModified, AbsoluteTop(doc.get()),
                                             doc->topLine, doc->leftColumn, doc->caretRow, doc->caretColumn,
                                             doc->gridFlags & kGridHighlight));
            if (records == 0) continue;  // the caret moved, a replay ran or a key found nothing to do
            // A new edit drops what could be redone; the log trims a quarter whenever it reaches 63.
            snaps.resize(n0 + 1);
            for (int i = 0; i < records; ++i) {
                if (snaps.size() == kUndoCapacity)
                    snaps.erase(snaps.begin(), snaps.begin() + kUndoCapacity / 4);
                snaps.emplace_back();
            }
            snaps.back() = model;
            ASSERT_EQ(doc->undoNext, static_cast<int32_t>(snaps.size()) - 1)
                << "seed " << seed << " step " << step;
            ASSERT_EQ(doc->undoCount, doc->undoNext);
        }
        CloseWorkingWindow(doc.get());
        EXPECT_EQ(Text(doc.get()), model);
        while (Undo(doc.get())) continue;
        if (snaps[0]) {
            EXPECT_EQ(Text(doc.get()), *snaps[0]);
        }
        if (!wholeText) continue;
        ASSERT_EQ(traces[0].size(), traces[1].size()) << "seed " << seed;
        const auto differ = std::mismatch(traces[0].begin(), traces[0].end(), traces[1].begin());
        if (differ.first != traces[0].end()) {
            EXPECT_EQ(*differ.first, *differ.second)
                << "seed " << seed << " step " << differ.first - traces[0].begin();
        }
        EXPECT_GT(windowReplays, longLines ? 4 : 20) << "seed " << seed;
        traces[0].clear();
        traces[1].clear();
        windowReplays = 0;
    }
}
