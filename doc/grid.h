// The cell model of a character-grid view: cells, their pixels, and the highlight shown by
// inversion. Pixel work (scrolling, inverting) goes through the screen seam.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

struct Cell {
    int32_t row;
    int32_t column;
};

inline bool operator==(Cell a, Cell b) { return a.row == b.row && a.column == b.column; }
inline bool operator!=(Cell a, Cell b) { return !(a == b); }

struct Point {
    int32_t x;
    int32_t y;
};

Point CellToPoint(const ScreenGrid* grid, Cell cell);
Cell PointToCell(const ScreenGrid* grid, Point point);
Cell ClampCell(const ScreenGrid* grid, Cell cell);
// The two cells in reading order; of two equal cells the second comes first.
void OrderCells(Cell* a, Cell* b);

// Where inversions go: the seam by default, a paint handler's own device context otherwise.
class CellInverter {
public:
    virtual ~CellInverter() = default;
    // Inverts cells [column1, column2) of a row; column1 <= column2.
    virtual void InvertRun(int32_t row, int32_t column1, int32_t column2) = 0;
};

// Inverts through Screen().InvertCells on the grid's window.
class SeamInverter : public CellInverter {
public:
    explicit SeamInverter(const ScreenGrid* grid) : grid_(grid) {}
    void InvertRun(int32_t row, int32_t column1, int32_t column2) override;

private:
    const ScreenGrid* grid_;
};

void InvertCells(CellInverter& inverter, int32_t row, int32_t column1, int32_t column2);
// The highlight between two cells already in reading order.
void InvertRange(const ScreenGrid* grid, CellInverter& inverter, Cell first, Cell last);

// Blank cells and a fresh block for the client size; -1 when the block cannot be had.
int LayoutCells(ScreenGrid* grid, int32_t clientWidth, int32_t clientHeight);
void ClearCells(ScreenGrid* grid);
// Keeps the top-left cells that still fit; false (nothing changed) when the block cannot be had.
bool ResizeCells(ScreenGrid* grid, int32_t clientWidth, int32_t clientHeight);

void ScrollGridRows(ScreenGrid* grid, int32_t n);
void ScrollGridColumns(ScreenGrid* grid, int32_t n);

void HideHighlight(ScreenGrid* grid, CellInverter* inverter = nullptr);
void ExtendHighlight(ScreenGrid* grid, Cell cell);
// Highlights length cells from cell on its row; answers the end cell.
Cell HighlightRun(ScreenGrid* grid, Cell cell, int32_t length);

inline char* RowCells(const ScreenGrid* grid, int32_t row) { return grid->cells + row * grid->columns; }
