// The grid's cell model and its highlight by inversion.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "doc/grid.h"
#include "doc/memory.h"
#include "tests/native/recorder.h"

namespace {

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
    std::set<std::pair<int, int>> Shown() const
    {
        std::set<std::pair<int, int>> on;
        for (const CellRect& r : screen.inversions)
            for (int row = r.top; row < r.bottom; ++row)
                for (int c = r.left; c < r.right; ++c) {
                    auto cell = std::make_pair(row, c);
                    if (!on.erase(cell)) on.insert(cell);
                }
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

    static std::set<std::pair<int, int>> Run(int row, int c1, int c2)
    {
        std::set<std::pair<int, int>> s;
        for (int c = c1; c < c2; ++c) s.insert({row, c});
        return s;
    }
};

std::set<std::pair<int, int>> operator+(std::set<std::pair<int, int>> a, const std::set<std::pair<int, int>>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

}  // namespace

TEST_F(GridTest, LayoutFitsWholeCellsAndBlanksThem)
{
    EXPECT_EQ(grid.rows, 10);
    EXPECT_EQ(grid.columns, 20);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(grid.cells[i], ' ');
    ScreenGrid tiny{};
    tiny.cellWidth = 8;
    tiny.cellHeight = 16;
    ASSERT_EQ(LayoutCells(&tiny, 3, 2), 0);
    EXPECT_EQ(tiny.rows, 1);
    EXPECT_EQ(tiny.columns, 1);
    FreeBlock(tiny.cells);
}

TEST_F(GridTest, LayoutWithoutMemoryLeavesNoCells)
{
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

TEST_F(GridTest, DraggingAlongARowAndBackLeavesTheRightCells)
{
    Drag({2, 5}, {{2, 9}});
    EXPECT_EQ(Shown(), Run(2, 5, 9));
    Drag({2, 5}, {{2, 9}, {2, 3}});
    EXPECT_EQ(Shown(), Run(2, 3, 5));
}

TEST_F(GridTest, DraggingUpwardsCoversPartialAndWholeRows)
{
    Drag({4, 10}, {{2, 6}});
    EXPECT_EQ(Shown(), Run(2, 6, 20) + Run(3, 0, 20) + Run(4, 0, 10));
    HideHighlight(&grid);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(grid.gridFlags & kGridHighlight);
}

TEST_F(GridTest, ARangeEndingBelowTheGridStopsAtTheLastRow)
{
    SeamInverter inverter(&grid);
    InvertRange(&grid, inverter, {8, 4}, {15, 2});
    EXPECT_EQ(Shown(), Run(8, 4, 20) + Run(9, 0, 20));
}

TEST_F(GridTest, HighlightRunReplacesTheShownHighlight)
{
    Drag({1, 1}, {{3, 3}});
    Cell end = HighlightRun(&grid, {5, 2}, 4);
    EXPECT_EQ(end, (Cell{5, 6}));
    EXPECT_EQ(Shown(), Run(5, 2, 6));
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
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(RowCells(&grid, r)[c], r < 10 ? before[static_cast<size_t>(r * 20 + c)] : ' ') << r << "," << c;
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
    ScrollGridRows(&grid, 3);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(RowCells(&grid, r)[0], ' ');
    for (int r = 3; r < 10; ++r) EXPECT_EQ(RowCells(&grid, r)[19], 'a' + r - 3);
    EXPECT_EQ(grid.selAnchorRow, 7);
    EXPECT_EQ(grid.selEndRow, 9);
    ScrollGridRows(&grid, -5);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(RowCells(&grid, r)[0], 'a' + r + 2) << r;
    for (int r = 5; r < 10; ++r) EXPECT_EQ(RowCells(&grid, r)[0], ' ');
    ASSERT_EQ(screen.scrolledCells.size(), 2u);
    EXPECT_EQ(screen.scrolledCells[0], (std::pair<int, int>{3, 0}));
    ScrollGridColumns(&grid, -2);
    EXPECT_EQ(grid.selAnchorColumn, -2);
}
