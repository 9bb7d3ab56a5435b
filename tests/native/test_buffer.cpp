// Text block growth, scroll-bar scaling and the working window.
#include <gtest/gtest.h>

#include <cstring>

#include "doc/buffer.h"
#include "doc/text.h"
#include "resources/ids.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/recorder.h"

namespace {

class BufferTest : public ::testing::Test, public CoreFixture {
protected:
    std::string text;
    DocPtr doc;

    // A document of `text` with `room` free bytes, the view's top at `top` and the caret at `caret`.
    void Make(std::string t, int room, int rows, int32_t top, int32_t caret)
    {
        text = std::move(t);
        doc = DocWithText(text, room, rows);
        doc->topOffset = top;
        doc->caretOffset = doc->anchorOffset = caret;
    }
    bool OpenWindow()
    {
        OpenWorkingWindow(doc.get());
        return doc->docFlags & kDocWorkingWindow;
    }
};

// Deletes n bytes before the caret, then inserts s there, growing the block as typing does.
void EditAtCaret(EditState* doc, int n, const std::string& s)
{
    MoveBytes(doc->text + doc->caretOffset - n, doc->text + doc->caretOffset,
              doc->length - doc->caretOffset + 1);
    doc->caretOffset -= n;
    doc->length -= n;
    for (char c : s) {
        ASSERT_TRUE(doc->length + 1 < doc->capacity || GrowText(doc, 1));
        MoveBytes(doc->text + doc->caretOffset + 1, doc->text + doc->caretOffset,
                  doc->length - doc->caretOffset + 1);
        doc->text[doc->caretOffset++] = c;
        ++doc->length;
    }
}

}  // namespace

TEST_F(BufferTest, TheBarKeepsItsRangeWithinSixteenThousandUnitsForEveryTextUpTo2GiB)
{
    // The divisor, then the range and position set, never redrawn.
    auto scale = [&](int bar, int32_t position, int32_t maximum) {
        const int divisor = ScaleScrollBar(nullptr, bar, position, maximum);
        return Join(divisor, screen.LastRange(bar), screen.LastPosition(bar));
    };
    EXPECT_EQ(scale(kBarVertical, 100, 16383), "1 16383 100");
    EXPECT_EQ(scale(kBarVertical, 101, 16384), "2 8192 50");
    EXPECT_EQ(scale(kBarHorizontal, 0, 0), "1 0 0");
    for (const ScrollCall& call : screen.scrolls) EXPECT_FALSE(call.redraw);
    // The record's range is set without redrawing, its position with.
    Make("x", 0, 25, 0, 0);
    doc->scrollDivisor = 3;
    screen.scrolls.clear();
    SetVerticalRange(doc.get(), 100);
    SetVerticalPosition(doc.get(), 10);
    EXPECT_EQ(Join(screen.LastRange(kBarVertical), screen.LastPosition(kBarVertical),
                   screen.scrolls[0].redraw, screen.scrolls[1].redraw),
              "33 3 0 1");
    // From 512 MiB, where a 16-bit divisor turns negative, through 1,073,725,440 bytes, where it
    // is 0, to the longest text a block holds: the divisor the record keeps is positive and every
    // offset's position lies within the range, in the order of the offsets.
    for (int32_t length : {1 << 29, 65535 * kScrollUnits, INT32_MAX}) {
        // The merge rescales the bar from the lengths alone: a main block that only claims
        // the length spares the gigabytes.
        Make("ab\n", 0, 25, 0, 1);
        char* copy = static_cast<char*>(AllocBlock(4));
        std::memcpy(copy, "ab\n", 4);
        g_core.working = WorkingWindowSave{doc->text, 0, length, length, 3, false};
        doc->text = copy;
        doc->docFlags |= kDocWorkingWindow;
        CloseWorkingWindow(doc.get());
        SetVerticalRange(doc.get(), length);
        const int range = screen.LastRange(kBarVertical);
        int previous = -1;
        bool ordered = true;
        for (int64_t i = 0; i <= 64; ++i) {
            SetVerticalPosition(doc.get(), static_cast<int32_t>(length * i / 64));
            ordered = ordered && screen.LastPosition(kBarVertical) >= previous;
            previous = screen.LastPosition(kBarVertical);
        }
        EXPECT_EQ(Join(doc->scrollDivisor, range <= kScrollUnits, ordered, previous),
                  Join(length / kScrollUnits + 1, 1, 1, range))
            << length;
        doc->length = 3;  // what the block really holds
    }
}

TEST_F(BufferTest, GrowTextGrowsByAtLeast1024AndRescalesTheBarOrFailsWithAMessage)
{
    Make("abc", 0, 25, 0, 0);
    ASSERT_TRUE(GrowText(doc.get(), 1));
    EXPECT_EQ(doc->capacity, 3 + 1024);
    ASSERT_TRUE(GrowText(doc.get(), 5000));
    EXPECT_EQ(Join(doc->capacity, Text(doc.get()), screen.LastRange(kBarVertical), screen.messages.size()),
              "6027 abc 3 0");
    char* before = doc->text;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_FALSE(GrowText(doc.get(), 1));
    ASSERT_EQ(screen.MessageIds(), std::vector<int>{IDS_OUT_OF_MEMORY});
    EXPECT_EQ(Join(screen.messages[0].kind, doc->text == before, doc->capacity, Text(doc.get())),
              Join(kMessageExclamation, 1, 6027, "abc"));
}

TEST_F(BufferTest, WorkingWindowOpensOnlyFor8192BytesBehindACaretInTheCopiedLines)
{
    // Numbered: NumberedLines(3000) with the top at line 100; else 9000 bytes on one line. Carets
    // above the view, below the copied lines, on the extra line the copy holds.
    // clang-format off
    const struct { bool numbered; int32_t caret; bool opens; } cases[] = {
        {false, 9000 - 8191, false}, {false, 9000 - 8192, true}, {true, 12 * 50, false},
        {true, 12 * 112, false}, {true, 12 * 111, true}};
    // clang-format on
    for (const auto& c : cases) {
        Make(c.numbered ? NumberedLines(3000) : std::string(9000, 'a'), 0, 10, c.numbered ? 1200 : 0,
             c.caret);
        EXPECT_EQ(OpenWindow(), c.opens) << "caret " << c.caret;
        CloseWorkingWindow(doc.get());
    }
}

TEST_F(BufferTest, WorkingWindowHoldsTheVisibleLinesPlusOneOrTheRestOfTheTextAndOpensOnce)
{
    Make(NumberedLines(2000), 0, 10, 12 * 100, 12 * 103 + 4);
    doc->topLine = 100;
    doc->anchorOffset = 12 * 101;
    EXPECT_EQ(WindowSpan(doc.get()), 11 * 12 + 1);
    CloseWorkingWindow(doc.get());  // when closed: nothing
    EXPECT_FALSE(doc->docFlags & kDocModified);
    ASSERT_TRUE(OpenWindow());
    char* copy = doc->text;
    EXPECT_TRUE(OpenWindow());
    EXPECT_EQ(
        Join(doc->text == copy, Text(doc.get()) == text.substr(1200, 11 * 12), doc->text[doc->length] == 0),
        "1 1 1");
    // Capacity, top offset and line, caret and anchor: all within the window.
    EXPECT_EQ(Join(doc->capacity, doc->topOffset, doc->topLine, doc->caretOffset, doc->anchorOffset),
              "133 0 100 40 12");
    EXPECT_EQ(ToWindowOffset(doc.get(), 1300), 100);

    CloseWorkingWindow(doc.get());  // which always marks the document modified
    EXPECT_EQ(Join(doc->docFlags & (kDocWorkingWindow | kDocModified), doc->caretOffset, doc->anchorOffset,
                   doc->topOffset, ToWindowOffset(doc.get(), 1300)),
              Join(kDocModified, "1240 1212 1200 1300"));
    // Near the end: the rest of the text.
    // Three long lines end the text, the last without LF: fewer than rows + 1 follow the top.
    const std::string tail =
        std::string(5000, 'x') + "\n" + std::string(5000, 'y') + "\n" + std::string(5000, 'z');
    Make(NumberedLines(100) + tail, 0, 10, 12 * 100, 12 * 100 + 3);
    EXPECT_EQ(WindowSpan(doc.get()), static_cast<int32_t>(tail.size()) + 2);  // up to the NUL, plus one
    ASSERT_TRUE(OpenWindow());
    EXPECT_EQ(Text(doc.get()), tail);
    CloseWorkingWindow(doc.get());
    // rows + 1 = 3 lines: all of them, ending with the LF; one line more than the text has: up to the NUL.
    Make(NumberedLines(3), 0, 2, 0, 0);
    EXPECT_EQ(WindowSpan(doc.get()), 36 + 1);
    doc->rows = 3;
    EXPECT_EQ(WindowSpan(doc.get()), 36 + 1 + 1);
}

TEST_F(BufferTest, EditsInTheWorkingWindowMergeAsIfMadeInTheMainText)
{
    // grownBy: the main block's growth, 0: the same block. Before the copy grows, the main block
    // grows by what it lacks to take the grown copy back (the copy's 1024 plus one), at least 1024.
    // clang-format off
    const struct { const char* what; int room; int32_t top, caret; int deleted; std::string typed; int32_t grownBy; } cases[] = {
        {"typing", 0, 12 * 50, 12 * 52 + 5, 0, "XYZ", 1025},
        {"overwriting", 0, 0, 100, 1, "L", 0},
        {"growing beyond the free room", 10, 0, 12 * 2, 0, std::string(2000, 'q'), 2048}};
    // clang-format on
    for (const auto& c : cases) {
        Make(NumberedLines(3000), c.room, 20, c.top, c.caret);
        const char* block = doc->text;
        ASSERT_TRUE(OpenWindow()) << c.what;
        EditAtCaret(doc.get(), c.deleted, c.typed);
        const int32_t length = static_cast<int32_t>(text.size() - c.deleted + c.typed.size());
        EXPECT_EQ(AbsoluteLength(doc.get()), length) << c.what;
        CloseWorkingWindow(doc.get());
        std::string expect = text;
        expect.replace(static_cast<size_t>(c.caret - c.deleted), static_cast<size_t>(c.deleted), c.typed);
        EXPECT_EQ(Text(doc.get()), expect) << c.what;
        EXPECT_EQ(doc->text[doc->length], '\0') << c.what;
        // Length, caret, modified, capacity.
        EXPECT_EQ(Join(doc->length, doc->caretOffset, doc->docFlags & kDocModified, doc->capacity),
                  Join(length, c.caret - c.deleted + static_cast<int32_t>(c.typed.size()), kDocModified,
                       static_cast<int32_t>(text.size()) + c.room + c.grownBy))
            << c.what;
        EXPECT_TRUE(c.grownBy || doc->text == block) << c.what;
    }
}

TEST_F(BufferTest, TheCopyGrowsOnlyWhenTheMainBlockCanTakeItBackSoTheMergeLosesNothing)
{
    Make(NumberedLines(3000), 0, 20, 0, 36000 - 9000);
    doc->topOffset = LineStart(doc->text, doc->caretOffset);
    ASSERT_TRUE(OpenWindow());
    const std::string copy = Text(doc.get());
    FailAllocationNumber(AllocationCalls() + 1);  // the main block's growth
    EXPECT_FALSE(GrowText(doc.get(), 1));
    EXPECT_EQ(Join(Text(doc.get()) == copy, doc->capacity, screen.MessageIds().size()),
              Join(1, static_cast<int32_t>(copy.size()) + 1, 1));
    EditAtCaret(doc.get(), 0, "abc");
    FailAllocationsFrom(AllocationCalls() + 1);
    CloseWorkingWindow(doc.get());
    EXPECT_EQ(screen.MessageIds(), std::vector<int>{IDS_OUT_OF_MEMORY});  // the refused growth only
    EXPECT_EQ(Text(doc.get()), std::string(text).insert(27000, "abc"));
    EXPECT_EQ(Join(doc->docFlags & kDocWorkingWindow, doc->caretOffset), "0 27003");
}
