// Text block growth, scroll-bar scaling and the working window.
#include <gtest/gtest.h>

#include "doc/buffer.h"
#include "doc/text.h"
#include "resources/ids.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/recorder.h"

namespace {

class BufferTest : public ::testing::Test, public CoreFixture {};

// Inserts bytes at the caret of whatever block the document holds, growing it as typing does.
void InsertAtCaret(EditState* doc, const std::string& s)
{
    for (char c : s) {
        if (doc->length + 1 >= doc->capacity) {
            ASSERT_TRUE(GrowText(doc, 1));
        }
        MoveBytes(doc->text + doc->caretOffset + 1, doc->text + doc->caretOffset, doc->length - doc->caretOffset + 1);
        doc->text[doc->caretOffset++] = c;
        ++doc->length;
    }
}

void DeleteBeforeCaret(EditState* doc, int n)
{
    MoveBytes(doc->text + doc->caretOffset - n, doc->text + doc->caretOffset, doc->length - doc->caretOffset + 1);
    doc->caretOffset -= n;
    doc->length -= n;
}

}  // namespace

TEST_F(BufferTest, ScaleScrollBarKeepsTheRangeWithinSixteenThousandUnits)
{
    EXPECT_EQ(ScaleScrollBar(nullptr, kBarVertical, 100, 16383), 1);
    EXPECT_EQ(screen.LastRange(kBarVertical), 16383);
    EXPECT_EQ(screen.LastPosition(kBarVertical), 100);
    EXPECT_EQ(ScaleScrollBar(nullptr, kBarVertical, 101, 16384), 2);
    EXPECT_EQ(screen.LastRange(kBarVertical), 8192);
    EXPECT_EQ(screen.LastPosition(kBarVertical), 50);
    EXPECT_EQ(ScaleScrollBar(nullptr, kBarHorizontal, 0, 0), 1);
    EXPECT_EQ(screen.LastRange(kBarHorizontal), 0);
    EXPECT_EQ(ScaleScrollBar(nullptr, kBarVertical, 0, 0x7FFFFFFF), 0x7FFFFFFF / 16384 + 1);
    EXPECT_LE(screen.LastRange(kBarVertical), 16384);
    for (const ScrollCall& call : screen.scrolls) EXPECT_FALSE(call.redraw);
}

TEST_F(BufferTest, VerticalRangeAndPositionUseTheDivisor)
{
    DocPtr doc = DocWithText("x");
    doc->scrollDivisor = 3;
    SetVerticalRange(doc.get(), 100);
    SetVerticalPosition(doc.get(), 10);
    EXPECT_EQ(screen.LastRange(kBarVertical), 33);
    EXPECT_EQ(screen.LastPosition(kBarVertical), 3);
    EXPECT_FALSE(screen.scrolls[0].redraw);
    EXPECT_TRUE(screen.scrolls[1].redraw);
}

TEST_F(BufferTest, GrowTextGrowsByAtLeast1024AndRescalesTheBar)
{
    DocPtr doc = DocWithText("abc", 0);
    ASSERT_TRUE(GrowText(doc.get(), 1));
    EXPECT_EQ(doc->capacity, 3 + 1024);
    ASSERT_TRUE(GrowText(doc.get(), 5000));
    EXPECT_EQ(doc->capacity, 3 + 1024 + 5000);
    EXPECT_EQ(Text(doc.get()), "abc");
    EXPECT_EQ(screen.LastRange(kBarVertical), 3);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(BufferTest, GrowTextFailureShowsOutOfMemoryAndChangesNothing)
{
    DocPtr doc = DocWithText("abc", 0);
    char* before = doc->text;
    FailAllocationsFrom(1);
    EXPECT_FALSE(GrowText(doc.get(), 1));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(screen.messages[0].kind, kMessageExclamation);
    EXPECT_EQ(doc->capacity, 3);
    EXPECT_EQ(doc->text, before);
    EXPECT_EQ(Text(doc.get()), "abc");
}

TEST_F(BufferTest, WorkingWindowOpensOnlyWith8192BytesBehindTheCaret)
{
    std::string text(9000, 'a');
    DocPtr doc = DocWithText(text);
    doc->caretOffset = 9000 - 8191;
    OpenWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    doc->caretOffset = 9000 - 8192;
    OpenWorkingWindow(doc.get());
    EXPECT_TRUE(doc->docFlags & kDocWorkingWindow);
    CloseWorkingWindow(doc.get());
}

TEST_F(BufferTest, WorkingWindowHoldsTheVisibleLinesPlusOne)
{
    std::string text = NumberedLines(2000);
    DocPtr doc = DocWithText(text, 0, 10);
    doc->topOffset = 12 * 100;
    doc->topLine = 100;
    doc->caretOffset = 12 * 103 + 4;
    doc->anchorOffset = 12 * 101;
    EXPECT_EQ(WindowSpan(doc.get()), 11 * 12 + 1);
    OpenWorkingWindow(doc.get());
    ASSERT_TRUE(doc->docFlags & kDocWorkingWindow);
    EXPECT_EQ(Text(doc.get()), text.substr(1200, 11 * 12));
    EXPECT_EQ(doc->text[doc->length], '\0');
    EXPECT_EQ(doc->capacity, 11 * 12 + 1);
    EXPECT_EQ(doc->topOffset, 0);
    EXPECT_EQ(doc->topLine, 100);
    EXPECT_EQ(doc->caretOffset, 3 * 12 + 4);
    EXPECT_EQ(doc->anchorOffset, 12);
    EXPECT_EQ(AbsoluteCaret(doc.get()), 12 * 103 + 4);
    EXPECT_EQ(AbsoluteTop(doc.get()), 1200);
    EXPECT_EQ(AbsoluteLength(doc.get()), static_cast<int32_t>(text.size()));
    EXPECT_EQ(ToWindowOffset(doc.get(), 1300), 100);

    CloseWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    EXPECT_TRUE(doc->docFlags & kDocModified);  // closing always marks the document modified
    EXPECT_EQ(Text(doc.get()), text);
    EXPECT_EQ(doc->caretOffset, 12 * 103 + 4);
    EXPECT_EQ(doc->anchorOffset, 12 * 101);
    EXPECT_EQ(doc->topOffset, 1200);
    EXPECT_EQ(ToWindowOffset(doc.get(), 1300), 1300);
}

TEST_F(BufferTest, WorkingWindowNearTheEndHoldsTheRestOfTheText)
{
    // Three long lines end the text, the last without LF: fewer than rows + 1 follow the top.
    std::string tail = std::string(5000, 'x') + "\n" + std::string(5000, 'y') + "\n" + std::string(5000, 'z');
    std::string text = NumberedLines(100) + tail;
    DocPtr doc = DocWithText(text, 0, 10);
    doc->topOffset = 12 * 100;
    doc->caretOffset = 12 * 100 + 3;
    int32_t rest = static_cast<int32_t>(tail.size());
    EXPECT_EQ(WindowSpan(doc.get()), rest + 2);  // up to and including the NUL, plus one
    OpenWorkingWindow(doc.get());
    ASSERT_TRUE(doc->docFlags & kDocWorkingWindow);
    EXPECT_EQ(Text(doc.get()), tail);
    CloseWorkingWindow(doc.get());
    EXPECT_EQ(Text(doc.get()), text);
}

TEST_F(BufferTest, SpanCountsALastLineEndingExactlyAtTheText)
{
    std::string text = NumberedLines(3);
    DocPtr doc = DocWithText(text, 0, 2);  // rows + 1 = 3 lines: all of them, ending with the LF
    EXPECT_EQ(WindowSpan(doc.get()), 36 + 1);
    doc->rows = 3;  // one line more than the text has: up to the NUL
    EXPECT_EQ(WindowSpan(doc.get()), 36 + 1 + 1);
}

TEST_F(BufferTest, TypingInTheWorkingWindowMergesAsIfTypedInTheMainText)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    doc->topOffset = 12 * 50;
    doc->caretOffset = 12 * 52 + 5;
    doc->anchorOffset = doc->caretOffset;
    OpenWorkingWindow(doc.get());
    ASSERT_TRUE(doc->docFlags & kDocWorkingWindow);
    InsertAtCaret(doc.get(), "XYZ");
    EXPECT_EQ(AbsoluteLength(doc.get()), static_cast<int32_t>(text.size()) + 3);
    CloseWorkingWindow(doc.get());

    std::string expect = text;
    expect.insert(static_cast<size_t>(12 * 52 + 5), "XYZ");
    EXPECT_EQ(Text(doc.get()), expect);
    EXPECT_EQ(doc->length, static_cast<int32_t>(text.size()) + 3);
    EXPECT_EQ(doc->caretOffset, 12 * 52 + 8);
    EXPECT_EQ(doc->text[doc->length], '\0');
    EXPECT_TRUE(doc->docFlags & kDocModified);
    // The main block had no free room: it grew by the growth plus one, at least 1024.
    EXPECT_EQ(doc->capacity, static_cast<int32_t>(text.size()) + 1024);
}

TEST_F(BufferTest, DeletingInTheWorkingWindowShiftsTheTailWithoutGrowth)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    int32_t capacity = doc->capacity;
    char* block = doc->text;
    doc->topOffset = 12 * 10;
    doc->caretOffset = 12 * 12 + 6;
    OpenWorkingWindow(doc.get());
    DeleteBeforeCaret(doc.get(), 4);
    CloseWorkingWindow(doc.get());
    std::string expect = text;
    expect.erase(static_cast<size_t>(12 * 12 + 2), 4);
    EXPECT_EQ(Text(doc.get()), expect);
    EXPECT_EQ(doc->capacity, capacity);
    EXPECT_EQ(doc->text, block);
}

TEST_F(BufferTest, UnchangedWorkingWindowCopiesBackInPlace)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    doc->caretOffset = 100;
    OpenWorkingWindow(doc.get());
    doc->text[0] = 'L';  // an overwrite: same length
    CloseWorkingWindow(doc.get());
    std::string expect = text;
    expect[0] = 'L';
    EXPECT_EQ(Text(doc.get()), expect);
}

TEST_F(BufferTest, GrowthBeyondTheFreeRoomGrowsByTheGrowthPlusOne)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 10, 20);  // 10 bytes of free room in the main block
    doc->caretOffset = 12 * 2;
    OpenWorkingWindow(doc.get());
    std::string typed(2000, 'q');
    InsertAtCaret(doc.get(), typed);
    CloseWorkingWindow(doc.get());
    EXPECT_EQ(doc->capacity, static_cast<int32_t>(text.size()) + 10 + 2001);
    std::string expect = text;
    expect.insert(24, typed);
    EXPECT_EQ(Text(doc.get()), expect);
}

TEST_F(BufferTest, FailedMergeKeepsTheMainTextAsBeforeTheWindowOpened)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    doc->caretOffset = static_cast<int32_t>(text.size()) - 9000;
    doc->topOffset = LineStart(doc->text, doc->caretOffset);
    OpenWorkingWindow(doc.get());
    InsertAtCaret(doc.get(), "abc");
    FailAllocationsFrom(AllocationCalls() + 1);
    CloseWorkingWindow(doc.get());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(Text(doc.get()), text);
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    EXPECT_LE(doc->caretOffset, doc->length);
    EXPECT_EQ(doc->caretOffset, static_cast<int32_t>(text.size()) - 9000 + 3);
}

TEST_F(BufferTest, WorkingWindowAllocationFailureIsSilent)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    FailAllocationsFrom(1);
    OpenWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(Text(doc.get()), text);
}

TEST_F(BufferTest, OpenTwiceAndCloseWhenClosedDoNothing)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 20);
    CloseWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocModified);
    OpenWorkingWindow(doc.get());
    char* copy = doc->text;
    OpenWorkingWindow(doc.get());
    EXPECT_EQ(doc->text, copy);
    CloseWorkingWindow(doc.get());
    EXPECT_EQ(Text(doc.get()), text);
}

TEST_F(BufferTest, NoWorkingWindowForACaretScrolledOutOfView)
{
    std::string text = NumberedLines(3000);
    DocPtr doc = DocWithText(text, 0, 10);
    doc->topOffset = 12 * 100;
    doc->caretOffset = 12 * 50;  // above the view
    OpenWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    doc->caretOffset = 12 * 112;  // below the copied lines
    OpenWorkingWindow(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    doc->caretOffset = 12 * 111;  // on the extra line the copy holds
    OpenWorkingWindow(doc.get());
    EXPECT_TRUE(doc->docFlags & kDocWorkingWindow);
    CloseWorkingWindow(doc.get());
    EXPECT_EQ(Text(doc.get()), text);
}
