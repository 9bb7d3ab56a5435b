// Typing, overwrite, Backspace, Delete, Enter with indentation, strings and selections.
#include <gtest/gtest.h>

#include "doc/edit.h"
#include "doc/undo.h"
#include "resources/ids.h"
#include "tests/native/edit_fixture.h"

namespace {

class EditTest : public EditFixture {};

int Records(const EditState* doc, uint8_t kind)
{
    int n = 0;
    for (int i = 0; i < doc->undoNext; ++i) n += doc->undoLog[i].kind == kind;
    return n;
}

}  // namespace

TEST_F(EditTest, TypingAtTheEndAppendsAndDeleteThereRedrawsNothing)
{
    Open("ab");
    Click(2);
    Type("c");
    EXPECT_EQ(Text(doc.get()), "abc");
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_TRUE(doc->docFlags & kDocModified);
    screen.invalidated.clear();
    TypeKey(doc.get(), kKeyDelete);
    EXPECT_EQ(Text(doc.get()), "abc");
    EXPECT_TRUE(screen.invalidated.empty());
}

TEST_F(EditTest, TypedCharacterRedrawsTheCaretRowFromItsColumn)
{
    Open("abc\ndef\n");
    Click(5);
    screen.invalidated.clear();
    Type("X");
    EXPECT_EQ(Text(doc.get()), "abc\ndXef\n");
    ASSERT_FALSE(screen.invalidated.empty());
    CellRect r = screen.invalidated.back();
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.bottom, 2);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(std::string(RowCells(AsGrid(doc.get()), 1), 4), "dXef");
    EXPECT_EQ(screen.statusColumn, 3);
}

TEST_F(EditTest, BackspaceAtALineStartDoesNothingAndDeleteAtALineEndJoins)
{
    Open("ab\ncd");
    Click(3);
    TypeKey(doc.get(), kKeyBackspace);
    EXPECT_EQ(Text(doc.get()), "ab\ncd");
    Click(2);
    TypeKey(doc.get(), kKeyDelete);
    EXPECT_EQ(Text(doc.get()), "abcd");
    Click(2);
    TypeKey(doc.get(), kKeyBackspace);
    EXPECT_EQ(Text(doc.get()), "acd");
    EXPECT_EQ(doc->caretOffset, 1);
    EXPECT_EQ(doc->caretColumn, 1);
}

TEST_F(EditTest, OverwriteReplacesButNeverALineEnd)
{
    Open("abc\nd");
    g_core.insertMode = 0;
    Click(1);
    Type("X");
    EXPECT_EQ(Text(doc.get()), "aXc\nd");
    EXPECT_EQ(Records(doc.get(), kUndoDeleteChar), 1);
    EXPECT_EQ(Records(doc.get(), kUndoInsertChar), 1);
    Click(3);
    Type("Y");
    EXPECT_EQ(Text(doc.get()), "aXcY\nd");
    Click(6);
    Type("Z");
    EXPECT_EQ(Text(doc.get()), "aXcY\ndZ");
    Undo(doc.get());
    Undo(doc.get());
    Undo(doc.get());
    Undo(doc.get());
    EXPECT_EQ(Text(doc.get()), "abc\nd");  // two steps per overwritten character
}

TEST_F(EditTest, EnterCopiesTheIndentationOfTheLineAbove)
{
    Open("    abc\n");
    Click(5);
    Type("\r");
    EXPECT_EQ(Text(doc.get()), "    a\n    bc\n");
    EXPECT_EQ(doc->caretOffset, 10);
    EXPECT_EQ(doc->caretRow, 1);
    EXPECT_EQ(doc->caretColumn, 4);
    Open("\t x\n");
    Click(3);
    Type("\n");
    EXPECT_EQ(Text(doc.get()), "\t x\n\t \n");
    EXPECT_EQ(doc->caretColumn, 9);
    g_core.settings.autoIndent = 0;
    Type("\n");
    EXPECT_EQ(Text(doc.get()), "\t x\n\t \n\n");
}

TEST_F(EditTest, EnterWithTheViewScrolledSidewaysScrollsBackFirst)
{
    Open(std::string(100, 'a') + "\n", 5, 20);
    Click(60);
    EXPECT_GT(doc->leftColumn, 0);
    Type("\n");
    EXPECT_EQ(doc->leftColumn, 0);
    EXPECT_EQ(doc->caretColumn, 0);
    EXPECT_EQ(doc->caretRow, 1);
    EXPECT_EQ(Text(doc.get()), std::string(60, 'a') + "\n" + std::string(40, 'a') + "\n");
}

TEST_F(EditTest, EnterOnTheBottomRowScrollsOneLine)
{
    Open(NumberedLines(20), 5, 20);
    Click(12 * 4 + 3);
    Type("\n");
    EXPECT_EQ(doc->caretRow, 4);
    EXPECT_EQ(doc->topLine, 1);
}

TEST_F(EditTest, TypingReplacesAShownSelectionAndDeleteOnlyRemovesIt)
{
    Open("hello world");
    Click(8);
    doc->anchorOffset = 2;
    doc->gridFlags |= kGridHighlight;
    Type("Z");
    EXPECT_EQ(Text(doc.get()), "heZrld");
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_FALSE(doc->gridFlags & kGridHighlight);
    Click(6);
    doc->anchorOffset = 3;
    doc->gridFlags |= kGridHighlight;
    TypeKey(doc.get(), kKeyBackspace);
    EXPECT_EQ(Text(doc.get()), "heZ");
}

TEST_F(EditTest, TabMovesTheCaretToTheNextStop)
{
    Open("abc\n");
    Click(3);
    Type("\t");
    EXPECT_EQ(doc->caretColumn, 8);
    EXPECT_EQ(doc->caretOffset, 4);
}

TEST_F(EditTest, InsertStringGrowsByTheShortfallAndRecordsEvenWhenEmpty)
{
    Open("abc", 10, 40, 0);
    Click(1);
    ASSERT_TRUE(InsertString(doc.get(), "12345"));
    EXPECT_EQ(Text(doc.get()), "a12345bc");
    EXPECT_EQ(doc->capacity, 3 + 1024);  // 3 + 5 + 2 - 3 = 7, at least 1024
    doc->docFlags = 0;
    ASSERT_TRUE(InsertString(doc.get(), ""));
    EXPECT_EQ(Text(doc.get()), "a12345bc");
    EXPECT_TRUE(doc->docFlags & kDocModified);
    ASSERT_EQ(doc->undoNext, 2);
    EXPECT_EQ(doc->undoLog[1].kind, kUndoInsertString);
    EXPECT_STREQ(doc->undoLog[1].data.copy, "");
    std::string big(3000, 'q');
    ASSERT_TRUE(InsertString(doc.get(), big.c_str()));
    EXPECT_EQ(doc->capacity, 1027 + (8 + 3000 + 2 - 1027));
}

TEST_F(EditTest, NoRoomForACharacterShowsOutOfMemoryAndChangesNothing)
{
    Open("abc", 10, 40, 0);
    Click(3);
    FailAllocationsFrom(AllocationCalls() + 1);
    Type("x");
    EXPECT_EQ(Text(doc.get()), "abc");
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(doc->caretOffset, 3);
}

TEST_F(EditTest, NoMemoryForAnUndoCopyAsksAndObeysTheAnswer)
{
    Open("abcdef");
    Click(2);
    Type("x");  // a record exists
    FailAllocationsFrom(AllocationCalls() + 1);
    screen.messageAnswer = kAnswerNo;
    EXPECT_FALSE(InsertString(doc.get(), "zz"));
    EXPECT_EQ(Text(doc.get()), "abxcdef");
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_LOW_MEMORY_UNDO);
    EXPECT_EQ(screen.messages[0].kind, kMessageYesNo);
    EXPECT_EQ(doc->undoNext, 1);
    doc->anchorOffset = 0;
    DeleteSelection(doc.get());
    EXPECT_EQ(Text(doc.get()), "abxcdef");  // No: nothing deleted
    screen.messageAnswer = kAnswerYes;
    Click(3);  // the refused deletion had already moved the caret to the start
    FailAllocationsFrom(AllocationCalls() + 1);
    doc->anchorOffset = 0;
    DeleteSelection(doc.get());
    EXPECT_EQ(Text(doc.get()), "cdef");
    EXPECT_EQ(doc->undoLog, nullptr);  // Yes: the log is gone and the edit is unrecorded
    EXPECT_EQ(doc->undoNext, 0);
}

TEST_F(EditTest, ReplaceStepsWithAndWithoutRecords)
{
    Open("one two one");
    std::snprintf(g_core.search.findText, kSearchTextSize, "one");
    std::snprintf(g_core.search.replaceText, kSearchTextSize, "three");
    Click(0);
    ReplaceAtCaret(doc.get());
    EXPECT_EQ(Text(doc.get()), "three two one");
    EXPECT_EQ(doc->undoNext, 2);
    doc->caretOffset = 10;
    doc->docFlags = kDocReplaceAll;
    ASSERT_TRUE(ReplaceInPlace(doc.get()));
    EXPECT_EQ(Text(doc.get()), "three two three");
    EXPECT_EQ(doc->caretOffset, 15);
    EXPECT_EQ(doc->undoNext, 2);
    EXPECT_FALSE(doc->docFlags & kDocModified);
    std::snprintf(g_core.search.replaceText, kSearchTextSize, "1");
    doc->caretOffset = 0;
    std::snprintf(g_core.search.findText, kSearchTextSize, "three");
    ASSERT_TRUE(ReplaceInPlace(doc.get()));
    EXPECT_EQ(Text(doc.get()), "1 two three");
}

TEST_F(EditTest, ReplaceInPlaceThatCannotGrowStops)
{
    Open("ab", 10, 40, 0);
    std::snprintf(g_core.search.findText, kSearchTextSize, "a");
    std::snprintf(g_core.search.replaceText, kSearchTextSize, "xyz");
    doc->caretOffset = 0;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_FALSE(ReplaceInPlace(doc.get()));
    EXPECT_EQ(Text(doc.get()), "ab");
    EXPECT_EQ(doc->caretOffset, 0);
}

TEST_F(EditTest, TypingInALargeTextGoesThroughTheWorkingWindow)
{
    std::string text = NumberedLines(3000);
    Open(text, 20, 40, 0);
    Click(12 * 5 + 2);
    Type("ab");
    EXPECT_TRUE(doc->docFlags & kDocWorkingWindow);
    EXPECT_LT(doc->length, 1000);  // only the visible lines are in the block
    TypeKey(doc.get(), kKeyBackspace);
    TypeKey(doc.get(), kKeyDelete);
    EXPECT_TRUE(doc->docFlags & kDocWorkingWindow);
    TypeKey(doc.get(), kKeyDelete);
    std::string expect = text;
    expect.replace(12 * 5 + 2, 2, "a");  // "lia 000006"
    EXPECT_EQ(Whole(), expect);
    for (int i = 0; i < 7; ++i) TypeKey(doc.get(), kKeyDelete);
    EXPECT_TRUE(doc->docFlags & kDocWorkingWindow);
    TypeKey(doc.get(), kKeyDelete);  // the LF: deleting a line end closes the window
    EXPECT_FALSE(doc->docFlags & kDocWorkingWindow);
    expect.erase(12 * 5 + 3, 8);
    EXPECT_EQ(Text(doc.get()), expect);
}
