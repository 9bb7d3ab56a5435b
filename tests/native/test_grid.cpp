// The grid's cell model and its highlight by inversion.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "doc/grid.h"
#include "doc/memory.h"
#include "tests/native/recorder.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

// Cells c1..c2 - 1 of a row.
Cells Span(int row, int c1, int c2)
{
    Cells s;
    for (int c = c1; c < c2; ++c) s.insert({row, c});
    return s;
}

Cells operator+(Cells a, const Cells& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

class GridTest : public ::testing::Test, public CoreFixture {
protected:
    ScreenGrid grid{};

    GridTest()
    {
        grid.cellWidth = 8;
        grid.cellHeight = 16;
        EXPECT_EQ(LayoutCells(&grid, 20 * 8 + 5, 10 * 16 + 3), 0);
    }
    ~GridTest() override { FreeBlock(grid.cells); }

    // The cells inverted an odd number of times: what the screen shows as highlighted.
    Cells Shown() const
    {
        Cells on;
        for (const CellRect& r : screen.inversions)
            for (int row = r.top; row < r.bottom; ++row)
                for (int c = r.left; c < r.right; ++c)
                    if (!on.erase({row, c})) on.insert({row, c});
        return on;
    }

    void Drag(Cell from, std::initializer_list<Cell> steps)
    {
        HideHighlight(&grid);
        grid.selAnchorRow = grid.selEndRow = from.row;
        grid.selAnchorColumn = grid.selEndColumn = from.column;
        for (Cell c : steps) {
            grid.gridFlags |= kGridHighlight;
            ExtendHighlight(&grid, c);
        }
    }
};

}  // namespace

TEST_F(GridTest, LayoutFitsWholeCellsAndBlanksThemOrWithoutMemoryLeavesNone)
{
    EXPECT_EQ(grid.rows, 10);
    EXPECT_EQ(grid.columns, 20);
    EXPECT_EQ(std::string(grid.cells, 200), std::string(200, ' '));
    ScreenGrid tiny{};
    tiny.cellWidth = 8;
    tiny.cellHeight = 16;
    ASSERT_EQ(LayoutCells(&tiny, 3, 2), 0);
    EXPECT_EQ(tiny.rows, 1);
    EXPECT_EQ(tiny.columns, 1);
    FreeBlock(tiny.cells);
    ScreenGrid other{};
    other.cellWidth = other.cellHeight = 10;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_EQ(LayoutCells(&other, 100, 100), -1);
    EXPECT_EQ(other.cells, nullptr);
}

TEST_F(GridTest, PointsAndCellsConvertWithTruncationAndClamping)
{
    EXPECT_EQ(CellToPoint(&grid, {3, 5}).x, 40);
    EXPECT_EQ(CellToPoint(&grid, {3, 5}).y, 48);
    EXPECT_EQ(PointToCell(&grid, {47, 63}), (Cell{3, 5}));
    EXPECT_EQ(PointToCell(&grid, {-3, -7}), (Cell{0, 0}));  // just outside still gives 0
    EXPECT_EQ(ClampCell(&grid, {-1, 25}), (Cell{0, 19}));
    EXPECT_EQ(ClampCell(&grid, {12, -4}), (Cell{9, 0}));
    Cell a{2, 9}, b{2, 3};
    OrderCells(&a, &b);
    EXPECT_EQ(a, (Cell{2, 3}));
    Cell c{4, 0}, d{3, 19};
    OrderCells(&c, &d);
    EXPECT_EQ(c, (Cell{3, 19}));
}

TEST_F(GridTest, HighlightsShowTheRightCells)
{
    Drag({2, 5}, {{2, 9}});
    EXPECT_EQ(Shown(), Span(2, 5, 9));
    Drag({2, 5}, {{2, 9}, {2, 3}});  // along a row and back
    EXPECT_EQ(Shown(), Span(2, 3, 5));
    Drag({4, 10}, {{2, 6}});  // upwards over partial and whole rows
    EXPECT_EQ(Shown(), Span(2, 6, 20) + Span(3, 0, 20) + Span(4, 0, 10));
    HideHighlight(&grid);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(grid.gridFlags & kGridHighlight);
    // A range ending below the grid stops at the last row.
    SeamInverter inverter(&grid);
    InvertRange(&grid, inverter, {8, 4}, {15, 2});
    EXPECT_EQ(Shown(), Span(8, 4, 20) + Span(9, 0, 20));
    // A highlighted run replaces the shown highlight.
    screen.inversions.clear();
    Drag({1, 1}, {{3, 3}});
    EXPECT_EQ(HighlightRun(&grid, {5, 2}, 4), (Cell{5, 6}));
    EXPECT_EQ(Shown(), Span(5, 2, 6));
    EXPECT_TRUE(grid.gridFlags & kGridHighlight);
}

TEST_F(GridTest, ResizeKeepsTheTopLeftCellsThatStillFit)
{
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) RowCells(&grid, r)[c] = static_cast<char>('a' + (r + c) % 26);
    std::string before(grid.cells, 200);
    ASSERT_TRUE(ResizeCells(&grid, 12 * 8, 14 * 16));
    EXPECT_EQ(grid.rows, 14);
    EXPECT_EQ(grid.columns, 12);
    for (int r = 0; r < 14; ++r)
        EXPECT_EQ(std::string(RowCells(&grid, r), 12),
                  r < 10 ? before.substr(r * 20, 12) : std::string(12, ' '))
            << "row " << r;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_FALSE(ResizeCells(&grid, 5 * 8, 5 * 16));
    EXPECT_EQ(grid.rows, 14);
    EXPECT_EQ(grid.columns, 12);
}

TEST_F(GridTest, ScrollingRowsMovesCellsAndSelectionAndBlanksTheGap)
{
    for (int r = 0; r < grid.rows; ++r) std::memset(RowCells(&grid, r), 'a' + r, 20);
    grid.selAnchorRow = 4;
    grid.selEndRow = 6;
    auto column = [&](int c) {
        std::string s;
        for (int r = 0; r < grid.rows; ++r) s += RowCells(&grid, r)[c];
        return s;
    };
    ScrollGridRows(&grid, 3);
    EXPECT_EQ(column(0), "   abcdefg");
    EXPECT_EQ(column(19), "   abcdefg");
    EXPECT_EQ(grid.selAnchorRow, 7);
    EXPECT_EQ(grid.selEndRow, 9);
    ScrollGridRows(&grid, -5);
    EXPECT_EQ(column(0), "cdefg     ");
    ASSERT_EQ(screen.scrolledCells.size(), 2u);
    EXPECT_EQ(screen.scrolledCells[0], (std::pair<int, int>{3, 0}));
    ScrollGridColumns(&grid, -2);
    EXPECT_EQ(grid.selAnchorColumn, -2);
}
