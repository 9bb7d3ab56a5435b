// Caret, selection and view position over a document.
#include <gtest/gtest.h>

#include "doc/buffer.h"
#include "doc/grid.h"
#include "doc/text.h"
#include "doc/view.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/recorder.h"

namespace {

class ViewTest : public ::testing::Test, public CoreFixture {
protected:
    DocPtr doc;

    void Open(const std::string& text, int rows = 5, int columns = 10)
    {
        doc = DocWithText(text, 1024, rows);
        doc->cellWidth = 8;
        doc->cellHeight = 16;
        ASSERT_EQ(LayoutCells(AsGrid(doc.get()), columns * 8, rows * 16), 0);
        RedrawRows(doc.get(), 0, 0, doc->rows, doc->columns);
    }

    std::string Row(int r) const { return std::string(RowCells(AsGrid(doc.get()), r), static_cast<size_t>(doc->columns)); }

    void CaretAt(int32_t offset)
    {
        doc->caretOffset = offset;
        LocateCaret(doc.get());
    }
};

}  // namespace

TEST(ColumnAdvance, TabsGoToTheNextMultipleStrictlyAbove)
{
    EXPECT_EQ(ColumnAdvance(0, '\t', 8), 8);
    EXPECT_EQ(ColumnAdvance(3, '\t', 8), 8);
    EXPECT_EQ(ColumnAdvance(8, '\t', 8), 16);
    EXPECT_EQ(ColumnAdvance(5, 'x', 8), 6);
    EXPECT_EQ(ColumnAdvance(5, 0, 8), 5);
    EXPECT_EQ(ColumnAdvance(5, '\t', 1), 6);
}

TEST_F(ViewTest, CaretColumnsFollowTabStops)
{
    Open("\tx\nabc\tx\nabcdefgh\tx\n", 5, 40);
    CaretAt(1);
    EXPECT_EQ(doc->caretColumn, 8);
    CaretAt(3 + 4);
    EXPECT_EQ(doc->caretColumn, 8);
    EXPECT_EQ(doc->caretRow, 1);
    CaretAt(9 + 9);
    EXPECT_EQ(doc->caretColumn, 16);
    EXPECT_EQ(Row(0).substr(0, 10), "        x ");
    EXPECT_EQ(Row(2).substr(0, 17), "abcdefgh        x");
}

TEST_F(ViewTest, StatusShowsLineAndColumnFromOne)
{
    Open("abc\ndef\n");
    CaretAt(0);
    EXPECT_EQ(screen.statusLine, 1);
    EXPECT_EQ(screen.statusColumn, 1);
    CaretAt(6);
    EXPECT_EQ(screen.statusLine, 2);
    EXPECT_EQ(screen.statusColumn, 3);
}

TEST_F(ViewTest, CaretAtTheEndAfterAFinalLfStandsOnTheEmptyLine)
{
    Open("ab\ncd\n");
    CaretAt(6);
    EXPECT_EQ(doc->caretRow, 2);
    EXPECT_EQ(doc->caretColumn, 0);
    doc->caretRow = 2;
    doc->caretColumn = 0;
    PlaceCaretAtCell(doc.get());
    EXPECT_EQ(doc->caretOffset, 6);
    Open("ab\ncd");
    doc->caretRow = 4;  // below the last line without LF: it lands on that line
    doc->caretColumn = 1;
    PlaceCaretAtCell(doc.get());
    EXPECT_EQ(doc->caretRow, 1);
    EXPECT_EQ(doc->caretOffset, 4);
}

TEST_F(ViewTest, LocateAndPlaceRoundTripOverEveryOffset)
{
    Open("a\tbc\n\n\t\tx\nlonger line here\nz", 6, 40);
    for (int32_t off = 0; off <= doc->length; ++off) {
        CaretAt(off);
        int32_t row = doc->caretRow, column = doc->caretColumn;
        PlaceCaretAtCell(doc.get());
        EXPECT_EQ(doc->caretOffset, off) << "offset " << off;
        EXPECT_EQ(doc->caretRow, row);
        EXPECT_EQ(doc->caretColumn, column);
    }
}

TEST_F(ViewTest, PlacingInsideATabLandsAfterIt)
{
    Open("ab\tx\n", 5, 40);
    doc->caretRow = 0;
    doc->caretColumn = 4;
    PlaceCaretAtCell(doc.get());
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_EQ(doc->caretColumn, 8);
}

TEST_F(ViewTest, LineDownKeepsTheColumnOrStopsAtTheLineEnd)
{
    Open("abcdef\nab\n\tx\nlast", 6, 40);
    CaretAt(4);
    LineDown(doc.get(), doc->caretOffset);
    EXPECT_EQ(doc->caretOffset, 9);  // end of "ab"
    EXPECT_EQ(doc->caretRow, 1);
    CaretAt(4);
    doc->caretColumn = 4;
    LineDown(doc.get(), 9);  // from line 2 towards "\tx": past the TAB spanning column 4
    EXPECT_EQ(doc->caretOffset, 11);
    EXPECT_EQ(doc->caretColumn, 8);
    CaretAt(15);
    int32_t before = doc->caretOffset;
    LineDown(doc.get(), doc->caretOffset);
    EXPECT_EQ(doc->caretOffset, before);  // on the last line: nothing
    CaretAt(2);
    LineUp(doc.get(), doc->caretOffset);
    EXPECT_EQ(doc->caretOffset, 2);  // on the first line: nothing
    CaretAt(8);
    LineUp(doc.get(), doc->caretOffset);
    EXPECT_EQ(doc->caretOffset, 1);
    EXPECT_EQ(doc->caretRow, 0);
}

TEST_F(ViewTest, LineDownFromAFinalLfReachesTheEmptyLine)
{
    Open("ab\n");
    CaretAt(2);
    LineDown(doc.get(), 2);
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_EQ(doc->caretRow, 1);
}

TEST_F(ViewTest, WordMovesStopAtWordStarts)
{
    Open("foo, bar\nnext");
    CaretAt(1);
    WordRight(doc.get());
    EXPECT_EQ(doc->caretOffset, 5);
    EXPECT_EQ(doc->caretColumn, 5);
    WordRight(doc.get());
    EXPECT_EQ(doc->caretOffset, 8);  // stops at the line's LF, never leaves the line
    CaretAt(8 - 1);                  // the edit window first moves one byte left
    WordLeft(doc.get());
    EXPECT_EQ(doc->caretOffset, 5);
    EXPECT_EQ(doc->caretColumn, 5);
    CaretAt(10);
    WordLeft(doc.get());
    EXPECT_EQ(doc->caretOffset, 9);  // not across the line start
}

TEST_F(ViewTest, ScrollDownNeverMakesTheEndTheTopLine)
{
    Open("1\n2\n3\n4\n", 2, 10);
    EXPECT_EQ(ScrollDown(doc.get(), 1), 1);
    EXPECT_EQ(doc->topOffset, 2);
    EXPECT_EQ(doc->topLine, 1);
    EXPECT_EQ(Row(0).substr(0, 1), "2");
    EXPECT_EQ(Row(1).substr(0, 1), "3");
    EXPECT_EQ(ScrollDown(doc.get(), 2), 1);
    EXPECT_EQ(doc->topOffset, 6);
    EXPECT_EQ(ScrollDown(doc.get(), 1), 0);  // would start at the end
    EXPECT_EQ(doc->topOffset, 6);
    EXPECT_EQ(ScrollDown(doc.get(), 5), 0);
    EXPECT_EQ(ScrollUp(doc.get(), 10), 1);
    EXPECT_EQ(doc->topOffset, 0);
    EXPECT_EQ(doc->topLine, 0);
    EXPECT_EQ(ScrollUp(doc.get(), 1), 0);
    EXPECT_EQ(Row(0).substr(0, 1), "1");
}

TEST_F(ViewTest, ScrollDownByOneShiftsTheGridAndRendersOnlyTheNewRow)
{
    Open(NumberedLines(50), 5, 12);
    screen.invalidated.clear();
    ASSERT_EQ(ScrollDown(doc.get(), 1), 1);
    ASSERT_EQ(screen.scrolledCells.size(), 1u);
    EXPECT_EQ(screen.scrolledCells[0].first, -1);
    ASSERT_EQ(screen.invalidated.size(), 1u);
    EXPECT_EQ(screen.invalidated[0].top, 4);
    EXPECT_EQ(screen.invalidated[0].bottom, 5);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Row(r), NumberedLines(50).substr(static_cast<size_t>((r + 1) * 12), 11) + " ");
    EXPECT_EQ(screen.LastPosition(kBarVertical), 12);
}

TEST_F(ViewTest, HorizontalScrollingStopsAt1024)
{
    Open(std::string(3000, 'x') + "\n", 3, 10);
    CaretAt(5);
    ScrollRight(doc.get(), 1000);
    EXPECT_EQ(doc->leftColumn, 1000);
    ScrollRight(doc.get(), 100);
    EXPECT_EQ(doc->leftColumn, 1024);
    EXPECT_EQ(screen.LastPosition(kBarHorizontal), 1024);
    ScrollLeft(doc.get(), 2000);
    EXPECT_EQ(doc->leftColumn, 0);
    ScrollToColumn(doc.get(), 7);
    EXPECT_EQ(doc->leftColumn, 7);
}

TEST_F(ViewTest, ScrollRightDoesNothingAtAnEmptyLine)
{
    Open("\nabc\n", 3, 10);
    CaretAt(0);
    ScrollRight(doc.get(), 3);
    EXPECT_EQ(doc->leftColumn, 0);
}

TEST_F(ViewTest, CaretUpdateScrollsTheCaretIntoViewAndPlacesTheSystemCaret)
{
    Open(NumberedLines(40), 5, 8);
    doc->caretOffset = 12 * 7 + 10;
    LocateCaret(doc.get());
    EXPECT_EQ(doc->caretRow, 7);
    CaretUpdate(doc.get());
    EXPECT_EQ(doc->caretRow, 4);
    EXPECT_EQ(doc->topLine, 3);
    EXPECT_EQ(doc->caretColumn, 7);
    EXPECT_EQ(doc->leftColumn, 3);
    EXPECT_EQ(screen.caretX, 7 * 8);
    EXPECT_EQ(screen.caretY, 4 * 16);
    EXPECT_EQ(screen.statusLine, 8);
    EXPECT_EQ(screen.statusColumn, 11);
    EXPECT_EQ(CountLineEnds(doc->text, 0, doc->topOffset), doc->topLine);
}

TEST_F(ViewTest, LocatingACaretLeftOfTheViewScrollsLeft)
{
    Open(NumberedLines(3), 3, 5);
    CaretAt(9);
    CaretUpdate(doc.get());
    EXPECT_GT(doc->leftColumn, 0);
    EXPECT_EQ(doc->leftColumn, 5);
    CaretAt(1);  // four columns left of the view: scrolled by just that much
    EXPECT_EQ(doc->leftColumn, 1);
    EXPECT_EQ(doc->caretColumn, 0);
}

TEST_F(ViewTest, GotoLineClampsToTheText)
{
    Open("l1\nl2\nl3\n", 2, 10);
    GotoLine(doc.get(), 0);
    EXPECT_EQ(doc->topLine, 0);
    EXPECT_EQ(doc->caretOffset, 0);
    GotoLine(doc.get(), -7);
    EXPECT_EQ(doc->caretOffset, 0);
    GotoLine(doc.get(), 2);
    EXPECT_EQ(doc->caretOffset, 3);
    EXPECT_EQ(doc->topLine, 1);
    GotoLine(doc.get(), 500);  // the empty line after the final LF
    EXPECT_EQ(doc->caretOffset, 9);
    EXPECT_EQ(doc->topLine, 3);
    Open("l1\nl2\nl3", 2, 10);
    GotoLine(doc.get(), 500);
    EXPECT_EQ(doc->caretOffset, 6);
    EXPECT_EQ(doc->topLine, 2);
}

TEST_F(ViewTest, RenderingCutsLongLinesAndStraddlingTabs)
{
    Open("0123456789ABCDEF\nab\tc\n", 3, 6);
    EXPECT_EQ(Row(0), "012345");
    EXPECT_EQ(Row(1), "ab    ");
    EXPECT_EQ(Row(2), "      ");
    doc->leftColumn = 4;
    RedrawRows(doc.get(), 0, 0, 3, 6);
    EXPECT_EQ(Row(0), "456789");
    EXPECT_EQ(Row(1), "    c ");  // the TAB's visible part is blank; c at column 8
    char cells[6];
    EXPECT_EQ(RenderLine(doc.get(), cells, 0, 0), 17);  // next line, however wide this one was
}

TEST_F(ViewTest, ScrollToOffsetScrollsNearTargetsAndJumpsToFarOnes)
{
    Open(NumberedLines(100), 5, 12);
    ScrollToOffset(doc.get(), 12 * 3 + 4);
    EXPECT_EQ(doc->topLine, 3);
    EXPECT_EQ(screen.scrolledCells.size(), 1u);
    ScrollToOffset(doc.get(), 12 * 60);
    EXPECT_EQ(doc->topLine, 60);
    EXPECT_EQ(doc->caretOffset, 12 * 60);
    ScrollToOffset(doc.get(), 12 * 57);
    EXPECT_EQ(doc->topLine, 57);
}

TEST_F(ViewTest, DoubleClickSelectsAWordOrNothingOnABlank)
{
    Open("x my_name y\n", 3, 20);
    CaretAt(4);
    SelectWordAtCaret(doc.get());
    EXPECT_EQ(doc->caretOffset, 9);
    EXPECT_EQ(doc->anchorOffset, 2);
    EXPECT_TRUE(doc->gridFlags & kGridHighlight);
    HideHighlight(AsGrid(doc.get()));
    CaretAt(1);
    SelectWordAtCaret(doc.get());
    EXPECT_FALSE(doc->gridFlags & kGridHighlight);
    EXPECT_EQ(doc->caretOffset, 1);
}

TEST_F(ViewTest, HelpWordIsTheWordBeforeTheCaretOrABracket)
{
    Open("call #Print$x(1)\n", 3, 30);
    char word[kHelpWordMax + 1];
    CaretAt(11);
    EXPECT_EQ(WordForHelp(doc.get(), word), 0);
    EXPECT_STREQ(word, "#Print$x");
    CaretAt(13);
    EXPECT_EQ(WordForHelp(doc.get(), word), '(');
    Open(std::string(40, 'k') + "\n", 1, 60);
    CaretAt(40);
    EXPECT_EQ(WordForHelp(doc.get(), word), 0);
    EXPECT_EQ(std::string(word), std::string(32, 'k'));
}

TEST_F(ViewTest, ExtendSelectionInvertsFromTheAnchorToTheCaret)
{
    Open("abcdef\nghijkl\n", 3, 10);
    doc->selAnchorRow = 0;
    doc->selAnchorColumn = 2;
    CaretAt(9);
    ExtendSelection(doc.get());
    EXPECT_TRUE(doc->gridFlags & kGridHighlight);
    EXPECT_EQ(doc->selEndRow, 1);
    EXPECT_EQ(doc->selEndColumn, 2);
    ASSERT_EQ(screen.inversions.size(), 2u);
    EXPECT_EQ(screen.inversions[0].left, 2);
    EXPECT_EQ(screen.inversions[0].right, 10);
    EXPECT_EQ(screen.inversions[1].right, 2);
}
