// The screen grid view (class "ScreenClass", ScreenWndProc): a character grid that a window
// lays out, paints row by row in the screen font, and highlights by inverting cells. The
// document windows layer on it by passing it the messages they do not handle fully.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "doc/edit_state.h"
#include "doc/grid.h"

// Sent by AttachRecord once the record stands in the window data: the grid's set-up.
constexpr UINT UM_INITRECORD = WM_USER + 1;
static_assert(UM_INITRECORD == 1025, "the initialisation message number is fixed");

bool RegisterScreenClass(HINSTANCE instance);

// The grid record of a window of this program's grid classes (document windows, screen
// views): its pointer stands in the window data at this offset. Null for other windows.
constexpr int kRecordSlot = 0;
ScreenGrid* GridOfWindow(HWND window);

// A zero-filled record of size bytes in the window data, then UM_INITRECORD; answers -1 when
// the record cannot be had, else what the window answers.
int AttachRecord(HWND window, size_t size);
// The record in a grid window's data, or null.
ScreenGrid* RecordOfWindow(HWND window);

void SetGridFont(ScreenGrid* grid, HFONT font);
// Rows and columns for the client area, fresh blank cells; -1 when they cannot be had.
int LayoutGrid(ScreenGrid* grid);
void ClearGrid(ScreenGrid* grid);
// Lays the grid out again for the client size, keeping the top-left cells that still fit.
bool ResizeGrid(ScreenGrid* grid);
// Draws the rows that meet area, one text run each.
void PaintRows(HDC dc, const ScreenGrid* grid, const RECT& area);

// Inversions drawn with a given device context, only on rows [firstRow, lastRow).
class DcInverter : public CellInverter {
public:
    DcInverter(const ScreenGrid* grid, HDC dc, int32_t firstRow = INT32_MIN, int32_t lastRow = INT32_MAX)
        : grid_(grid), dc_(dc), firstRow_(firstRow), lastRow_(lastRow)
    {
    }
    void InvertRun(int32_t row, int32_t column1, int32_t column2) override;

private:
    const ScreenGrid* grid_;
    HDC dc_;
    int32_t firstRow_;
    int32_t lastRow_;
};

void InvertCells(const ScreenGrid* grid, HDC dc, int32_t row, int32_t column1, int32_t column2);
void InvertRange(const ScreenGrid* grid, HDC dc, Cell first, Cell last);

LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
