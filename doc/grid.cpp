// The cell model of the character grid and its highlight. The highlight is shown by pixel
// inversion only: showing, hiding and changing it invert the cells between two positions, so
// inverting twice restores the picture.
#include "doc/grid.h"

#include <algorithm>
#include <cstring>

#include "doc/core_state.h"
#include "doc/memory.h"
#include "doc/text.h"

Point CellToPoint(const ScreenGrid* grid, Cell cell)
{
    return {cell.column * grid->cellWidth, cell.row * grid->cellHeight};
}

Cell PointToCell(const ScreenGrid* grid, Point point)
{
    // Integer division truncates toward zero: a point just above or left of the area is 0.
    // Cells not measured yet (their font gave no metrics) have no size: every point is cell 0.
    return {grid->cellHeight > 0 ? point.y / grid->cellHeight : 0,
            grid->cellWidth > 0 ? point.x / grid->cellWidth : 0};
}

Cell ClampCell(const ScreenGrid* grid, Cell cell)
{
    cell.row = std::max<int32_t>(0, std::min(cell.row, grid->rows - 1));
    cell.column = std::max<int32_t>(0, std::min(cell.column, grid->columns - 1));
    return cell;
}

void OrderCells(Cell* a, Cell* b)
{
    bool aFirst = a->row < b->row || (a->row == b->row && a->column < b->column);
    if (!aFirst) std::swap(*a, *b);
}

void SeamInverter::InvertRun(int32_t row, int32_t column1, int32_t column2)
{
    Screen().InvertCells(grid_->hwnd, row, column1, row + 1, column2);
}

void InvertCells(CellInverter& inverter, int32_t row, int32_t column1, int32_t column2)
{
    if (column1 > column2) std::swap(column1, column2);
    if (column1 == column2) return;
    inverter.InvertRun(row, column1, column2);
}

void InvertRange(const ScreenGrid* grid, CellInverter& inverter, Cell first, Cell last)
{
    if (last.row < 0 || first.row >= grid->rows) return;  // all of it outside the view
    if (first.row == last.row) {
        InvertCells(inverter, first.row, first.column, last.column);
        return;
    }
    if (last.row >= grid->rows) last = {grid->rows - 1, grid->columns};
    if (first.row < 0) first = {0, 0};
    InvertCells(inverter, first.row, first.column, grid->columns);
    for (int32_t row = first.row + 1; row < last.row; ++row) InvertCells(inverter, row, 0, grid->columns);
    if (last.row > first.row) InvertCells(inverter, last.row, 0, last.column);
}

void ClearCells(ScreenGrid* grid)
{
    if (grid->cells) std::memset(grid->cells, ' ', static_cast<size_t>(grid->rows) * grid->columns);
    Screen().InvalidateCells(grid->hwnd, 0, 0, grid->rows, grid->columns);
}

namespace {

// Rows and columns that fit a client area, at least one of each.
void FitCells(const ScreenGrid* grid, int32_t width, int32_t height, int32_t* rows, int32_t* columns)
{
    *rows = std::max<int32_t>(1, grid->cellHeight > 0 ? height / grid->cellHeight : 1);
    *columns = std::max<int32_t>(1, grid->cellWidth > 0 ? width / grid->cellWidth : 1);
}

char* NewBlankCells(int32_t rows, int32_t columns)
{
    size_t count = static_cast<size_t>(rows) * static_cast<size_t>(columns);
    char* block = static_cast<char*>(AllocBlock(count + 1));
    if (block) std::memset(block, ' ', count);
    return block;
}

}  // namespace

int LayoutCells(ScreenGrid* grid, int32_t clientWidth, int32_t clientHeight)
{
    FitCells(grid, clientWidth, clientHeight, &grid->rows, &grid->columns);
    grid->cells = NewBlankCells(grid->rows, grid->columns);
    grid->mouseRow = grid->mouseColumn = 0;
    if (!grid->cells) return -1;
    ClearCells(grid);
    return 0;
}

bool ResizeCells(ScreenGrid* grid, int32_t clientWidth, int32_t clientHeight)
{
    int32_t rows = 0, columns = 0;
    FitCells(grid, clientWidth, clientHeight, &rows, &columns);
    char* block = NewBlankCells(rows, columns);
    if (!block) return false;
    Screen().InvalidateCells(grid->hwnd, 0, 0, rows, columns);
    if (rows == grid->rows && columns == grid->columns && grid->cells) {
        FreeBlock(block);
        return true;
    }
    if (grid->cells) {
        int32_t keepRows = std::min(rows, grid->rows), keepColumns = std::min(columns, grid->columns);
        for (int32_t r = 0; r < keepRows; ++r)
            std::memcpy(block + static_cast<ptrdiff_t>(r) * columns, grid->cells + static_cast<ptrdiff_t>(r) * grid->columns,
                        static_cast<size_t>(keepColumns));
        FreeBlock(grid->cells);
    }
    grid->cells = block;
    grid->rows = rows;
    grid->columns = columns;
    return true;
}

void ScrollGridRows(ScreenGrid* grid, int32_t n)
{
    if (n == 0) return;
    int32_t moved = grid->rows - (n > 0 ? n : -n);
    size_t rowBytes = static_cast<size_t>(grid->columns);
    if (moved > 0) {
        if (n > 0) {
            MoveBytes(RowCells(grid, n), RowCells(grid, 0), static_cast<int32_t>(moved * rowBytes));
            std::memset(RowCells(grid, 0), ' ', static_cast<size_t>(n) * rowBytes);
        } else {
            MoveBytes(RowCells(grid, 0), RowCells(grid, -n), static_cast<int32_t>(moved * rowBytes));
            std::memset(RowCells(grid, moved), ' ', static_cast<size_t>(-n) * rowBytes);
        }
    } else {
        std::memset(grid->cells, ' ', static_cast<size_t>(grid->rows) * rowBytes);
    }
    Screen().ScrollCells(grid->hwnd, n, 0);
    grid->selAnchorRow += n;
    grid->selEndRow += n;
}

void ScrollGridColumns(ScreenGrid* grid, int32_t n)
{
    if (n == 0) return;
    Screen().ScrollCells(grid->hwnd, 0, n);
    grid->selAnchorColumn += n;
    grid->selEndColumn += n;
}

void HideHighlight(ScreenGrid* grid, CellInverter* inverter)
{
    if (!(grid->gridFlags & kGridHighlight)) return;
    SeamInverter own(grid);
    Cell a{grid->selAnchorRow, grid->selAnchorColumn}, b{grid->selEndRow, grid->selEndColumn};
    OrderCells(&a, &b);
    InvertRange(grid, inverter ? *inverter : own, a, b);
    grid->gridFlags &= static_cast<uint16_t>(~kGridHighlight);
}

void ExtendHighlight(ScreenGrid* grid, Cell cell)
{
    SeamInverter inverter(grid);
    Cell a{grid->selEndRow, grid->selEndColumn}, b = cell;
    OrderCells(&a, &b);
    InvertRange(grid, inverter, a, b);
    grid->selEndRow = cell.row;
    grid->selEndColumn = cell.column;
}

Cell HighlightRun(ScreenGrid* grid, Cell cell, int32_t length)
{
    HideHighlight(grid);
    grid->selAnchorRow = cell.row;
    grid->selAnchorColumn = cell.column;
    Cell end{cell.row, cell.column + length};
    grid->selEndRow = end.row;
    grid->selEndColumn = end.column;
    SeamInverter inverter(grid);
    InvertCells(inverter, cell.row, cell.column, end.column);
    grid->gridFlags |= kGridHighlight;
    return end;
}
