// The grid's cell model and its highlight by inversion.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "doc/grid.h"
#include "doc/memory.h"
#include "tests/native/doc_helpers.h"
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

TEST_F(GridTest, LayoutFitsWholeCellsAndResizeKeepsTheTopLeftOnesOrWithoutMemoryChangesNothing)
{
    EXPECT_EQ(Join(grid.rows, grid.columns, std::string(grid.cells, 200) == std::string(200, ' ')),
              "10 20 1");
    ScreenGrid tiny{}, other{};
    tiny.cellWidth = 8, tiny.cellHeight = 16;
    ASSERT_EQ(LayoutCells(&tiny, 3, 2), 0);
    EXPECT_EQ(Join(tiny.rows, tiny.columns), "1 1");
    FreeBlock(tiny.cells);
    other.cellWidth = other.cellHeight = 10;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_EQ(LayoutCells(&other, 100, 100), -1);
    EXPECT_EQ(other.cells, nullptr);
    // A resize keeps the top left cells that still fit.
    FailAllocationsFrom(0);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) RowCells(&grid, r)[c] = static_cast<char>('a' + (r + c) % 26);
    std::string before(grid.cells, 200);
    ASSERT_TRUE(ResizeCells(&grid, 12 * 8, 14 * 16));
    EXPECT_EQ(Join(grid.rows, grid.columns), "14 12");
    for (int r = 0; r < 14; ++r)
        EXPECT_EQ(std::string(RowCells(&grid, r), 12),
                  r < 10 ? before.substr(r * 20, 12) : std::string(12, ' '))
            << "row " << r;
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_FALSE(ResizeCells(&grid, 5 * 8, 5 * 16));
    EXPECT_EQ(Join(grid.rows, grid.columns), "14 12");
}

TEST_F(GridTest, PointsAndCellsConvertWithTruncationAndClampingAndHighlightsShowTheRightCells)
{
    const Point p = CellToPoint(&grid, {3, 5});
    EXPECT_EQ(Join(p.x, p.y), "40 48");
    EXPECT_EQ(PointToCell(&grid, {47, 63}), (Cell{3, 5}));
    EXPECT_EQ(PointToCell(&grid, {-3, -7}), (Cell{0, 0}));  // just outside still gives 0
    // Cells whose font gave no metrics have no size on that side: the point's cell there is 0.
    for (auto [width, height, cell] :
         {std::tuple{0, 16, Cell{3, 0}}, {8, 0, Cell{0, 5}}, {0, 0, Cell{0, 0}}}) {
        ScreenGrid unmeasured = grid;
        unmeasured.cellWidth = width;
        unmeasured.cellHeight = height;
        EXPECT_EQ(PointToCell(&unmeasured, {47, 63}), cell) << width << " x " << height;
    }
    EXPECT_EQ(ClampCell(&grid, {-1, 25}), (Cell{0, 19}));
    EXPECT_EQ(ClampCell(&grid, {12, -4}), (Cell{9, 0}));
    for (auto [a, b, first] :
         {std::tuple{Cell{2, 9}, Cell{2, 3}, Cell{2, 3}}, {Cell{4, 0}, Cell{3, 19}, Cell{3, 19}}}) {
        OrderCells(&a, &b);
        EXPECT_EQ(a, first);
    }
    // Highlights dragged from a cell show the cells between.
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
    EXPECT_EQ(Join(column(0), column(19), grid.selAnchorRow, grid.selEndRow), "   abcdefg    abcdefg 7 9");
    ScrollGridRows(&grid, -5);
    ScrollGridColumns(&grid, -2);
    EXPECT_EQ(Join(column(0), grid.selAnchorColumn), "cdefg      -2");
    EXPECT_EQ(screen.scrolledCells, (std::vector<std::pair<int, int>>{{3, 0}, {-5, 0}, {0, -2}}));
}
