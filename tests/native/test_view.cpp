// Caret, selection and view position over a document.
#include <gtest/gtest.h>

#include <cstring>

#include "doc/text.h"
#include "tests/native/edit_fixture.h"

namespace {

class ViewTest : public EditFixture {
protected:
    // Places the caret at a cell, as a click on it does.
    std::string PlaceAt(int32_t row, int32_t column)
    {
        doc->caretRow = row;
        doc->caretColumn = column;
        PlaceCaretAtCell(doc.get());
        return At();
    }
    // Scrolls n lines, down when positive: whether it moved, then the top's offset and line.
    std::string Scroll(int32_t n)
    {
        const int moved = n > 0 ? ScrollDown(doc.get(), n) : ScrollUp(doc.get(), -n);
        return Join(moved, doc->topOffset, doc->topLine);
    }
    std::string Status() const { return Join(screen.statusLine, screen.statusColumn); }
};

}  // namespace

// The columns offsets land on are checked against a plain count by the random edits of
// test_undo.cpp, and the bytes cells stand for by the selection walk; here the edges of clicks
// (and tabs of one and NUL bytes advance as they should: tabs of eight are seen there).
TEST_F(ViewTest, CellsPastTheTextOrInsideATabMapToTheirOffsetsAndRenderingCutsLongLinesAndStraddlingTabs)
{
    EXPECT_EQ(Join(ColumnAdvance(5, 0, 8), ColumnAdvance(5, '\t', 1)), "5 6");
    // After a final LF: on the empty line; below a last line without LF: on that line; inside a
    // TAB: after it.
    for (auto [text, row, column, at] :
         {std::tuple{"ab\ncd\n", 2, 0, "6@2:0"}, {"ab\ncd", 4, 1, "4@1:1"}, {"ab\tx\n", 0, 4, "3@0:8"}}) {
        Open(text, 5, 40);
        EXPECT_EQ(PlaceAt(row, column), at) << text;
    }
    // Rendering cuts long lines and tabs that straddle the left edge.
    Open("0123456789ABCDEF\nab\tc\n", 3, 6);
    EXPECT_EQ(Row(0) + Row(1) + Row(2), "012345ab          ");
    doc->leftColumn = 4;
    RedrawRows(doc.get(), 0, 0, 3, 6);
    EXPECT_EQ(Row(0) + Row(1), "456789    c ");  // the TAB's visible part is blank; c at column 8
    char cells[6];
    EXPECT_EQ(RenderLine(doc.get(), cells, 0, 0), 17);  // next line, however wide this one was
}

TEST_F(ViewTest, LineWordAndGotoMovesKeepTheColumnAndStayInTheText)
{
    const auto up = [](EditState* d) { LineUp(d, d->caretOffset); };
    const auto down = [](EditState* d) { LineDown(d, d->caretOffset); };
    const auto right2 = [](EditState* d) { WordRight(d), WordRight(d); };
    // clang-format off
    // The caret, then the top line: on two rows for Go To Line, six for the others.
    const struct { const char* text; int32_t caret, column; void (*move)(EditState*); const char* at; } cases[] = {
        {"abcdef\nab\n\tx\nlast", 4, -1, down, "9@1:2 0"},    // end of "ab"
        {"abcdef\nab\n\tx\nlast", 9, 4, down, "11@2:8 0"},    // past the TAB spanning column 4
        {"abcdef\nab\n\tx\nlast", 15, -1, down, "15@3:2 0"},  // on the last line: nothing
        {"abcdef\nab\n\tx\nlast", 2, -1, up, "2@0:2 0"},      // on the first line: nothing
        {"abcdef\nab\n\tx\nlast", 8, -1, up, "1@0:1 0"},
        {"ab\n", 2, -1, down, "3@1:0 0"},                       // from a final LF to the empty line
        {"foo, bar\nnext", 1, -1, WordRight, "5@0:5 0"},
        {"foo, bar\nnext", 1, -1, right2, "8@0:8 0"},   // stops at the line's LF, never leaves the line
        {"foo, bar\nnext", 7, -1, WordLeft, "5@0:5 0"},  // the edit window first moves one byte left
        {"foo, bar\nnext", 10, -1, WordLeft, "9@1:0 0"}, // not across the line start
        // Go To Line clamps numbers below 1 (the random edit model takes those past the end).
        {"l1\nl2\nl3\n", 4, -1, [](EditState* d) { GotoLine(d, 0); }, "0@0:0 0"},
        {"l1\nl2\nl3\n", 7, -1, [](EditState* d) { GotoLine(d, -7); }, "0@0:0 0"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Open(c.text, std::strstr(c.text, "l1") ? 2 : 6, 40);
        CaretAt(c.caret);
        if (c.column >= 0) doc->caretColumn = c.column;
        c.move(doc.get());
        EXPECT_EQ(Join(At(), doc->topLine), c.at) << c.text << " from " << c.caret;
    }
}

TEST_F(ViewTest, ScrollingVerticallyNeverMakesTheEndTheTopLineAndScrollToOffsetJumpsToFarTargets)
{
    Open("1\n2\n3\n4\n", 2, 10);
    EXPECT_EQ(Scroll(1), "1 2 1");
    EXPECT_EQ(Row(0).substr(0, 1) + Row(1)[0], "23");
    // By 1 from line 3 it would start at the end.
    for (auto [n, moved] : {std::pair{2, "1 6 3"}, {1, "0 6 3"}, {5, "0 6 3"}, {-10, "1 0 0"}, {-1, "0 0 0"}})
        EXPECT_EQ(Scroll(n), moved) << n;
    EXPECT_EQ(Row(0)[0], '1');
    // By one line, the grid shifts and only the new row is rendered.
    const std::string text = NumberedLines(50);
    Open(text, 5, 12);
    screen.invalidated.clear();
    screen.scrolledCells.clear();
    EXPECT_EQ(Scroll(1), "1 12 1");
    EXPECT_EQ(screen.scrolledCells, (std::vector<std::pair<int, int>>{{-1, 0}}));
    ASSERT_EQ(screen.invalidated.size(), 1u);
    EXPECT_EQ(
        Join(screen.invalidated[0].top, screen.invalidated[0].bottom, screen.LastPosition(kBarVertical)),
        "4 5 12");
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Row(r), text.substr(static_cast<size_t>((r + 1) * 12), 11) + " ");
    // A near target scrolls line by line, a far one jumps.
    Open(NumberedLines(100), 5, 12);
    screen.scrolledCells.clear();
    ScrollToOffset(doc.get(), 12 * 3 + 4);
    EXPECT_EQ(Join(doc->topLine, screen.scrolledCells.size()), "3 1");
    ScrollToOffset(doc.get(), 12 * 60);
    EXPECT_EQ(Join(doc->topLine, doc->caretOffset), "60 720");
    ScrollToOffset(doc.get(), 12 * 57);
    EXPECT_EQ(doc->topLine, 57);
}

TEST_F(ViewTest, CaretUpdateScrollsTheCaretIntoViewAndSidewaysScrollingStopsAt1024)
{
    Open(NumberedLines(40), 5, 8);
    CaretAt(12 * 7 + 10);
    EXPECT_EQ(doc->caretRow, 7);
    CaretUpdate(doc.get());
    EXPECT_EQ(Join(At(), doc->topLine, doc->leftColumn), "94@4:7 3 3");
    EXPECT_EQ(Join(screen.caretX, screen.caretY, Status()), "56 64 8 11");
    // A caret left of the view scrolls back by just the columns it lies outside.
    Open(NumberedLines(3), 3, 5);
    CaretAt(9);
    CaretUpdate(doc.get());
    EXPECT_EQ(doc->leftColumn, 5);
    CaretAt(1);
    EXPECT_EQ(Join(doc->leftColumn, doc->caretColumn), "1 0");
    // Sideways scrolling stops at column 1024, and on an empty line does not start.
    Open(std::string(3000, 'x') + "\n", 3, 10);
    CaretAt(5);
    auto left = [&](void (*scroll)(EditState*, int32_t), int32_t n) {
        scroll(doc.get(), n);
        return doc->leftColumn;
    };
    EXPECT_EQ(left(ScrollRight, 1000), 1000);
    EXPECT_EQ(left(ScrollRight, 100), 1024);
    EXPECT_EQ(screen.LastPosition(kBarHorizontal), 1024);
    EXPECT_EQ(left(ScrollLeft, 2000), 0);
    EXPECT_EQ(left(ScrollToColumn, 7), 7);
    Open("\nabc\n", 3, 10);
    CaretAt(0);
    EXPECT_EQ(left(ScrollRight, 3), 0);
}

TEST_F(ViewTest, SelectionsInvertFromTheAnchorDoubleClicksSelectAWordAndHelpTakesTheWordBeforeTheCaret)
{
    Open("abcdef\nghijkl\n", 3, 10);
    doc->selAnchorRow = 0;
    doc->selAnchorColumn = 2;
    CaretAt(9);
    ExtendSelection(doc.get());
    EXPECT_EQ(Join(doc->gridFlags & kGridHighlight, doc->selEndRow, doc->selEndColumn), "16 1 2");
    ASSERT_EQ(screen.inversions.size(), 2u);
    EXPECT_EQ(Join(screen.inversions[0].left, screen.inversions[0].right, screen.inversions[1].right),
              "2 10 2");
    // A double click on a word, and on a blank.
    Open("x my_name y\n", 3, 20);
    CaretAt(4);
    SelectWordAtCaret(doc.get());
    EXPECT_EQ(Join(doc->anchorOffset, doc->caretOffset, doc->gridFlags & kGridHighlight), "2 9 16");
    HideHighlight(AsGrid(doc.get()));
    CaretAt(1);
    SelectWordAtCaret(doc.get());
    EXPECT_EQ(Join(doc->caretOffset, doc->gridFlags & kGridHighlight), "1 0");
    // The word for help, or the bracket after it; at most 32 characters of it.
    Open("call #Print$x(1)\n" + std::string(40, 'k') + "\n", 3, 60);
    char word[kHelpWordMax + 1];
    for (auto [caret, answer, expect] :
         {std::tuple{11, 0, "#Print$x"}, {13, '(', ""}, {57, 0, "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"}}) {
        CaretAt(caret);
        EXPECT_EQ(WordForHelp(doc.get(), word), answer) << caret;
        EXPECT_STREQ(word, expect) << caret;
    }
}
