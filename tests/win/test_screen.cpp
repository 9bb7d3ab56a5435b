// The screen grid view under Wine: a real "ScreenClass" window on a shown MDI frame, driven by
// cursor positions and mouse messages, its pixels read back from the window's device context.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "display/screen.h"
#include "doc/grid.h"
#include "tests/native/doc_helpers.h"
#include "tests/win/frame_fixture.h"

namespace {

using CellSet = std::set<std::pair<int, int>>;

// Cells from .. to - 1 of a row.
CellSet Span(int row, int from, int to)
{
    CellSet cells;
    for (int c = from; c < to; ++c) cells.insert({row, c});
    return cells;
}
CellSet operator+(CellSet a, const CellSet& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

class ScreenView : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(900, 700), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void SetUp() override
    {
        MDICREATESTRUCTA create{"ScreenClass", "grid", g_app.instance, 0, 0, 600, 400, 0, 0};
        view_ = reinterpret_cast<HWND>(
            SendMessageA(g_app.clientWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
        ASSERT_NE(view_, nullptr);
        grid_ = RecordOfWindow(view_);
        ASSERT_NE(grid_, nullptr);
        ASSERT_GT(grid_->cellWidth, 0);
        ASSERT_GT(grid_->cellHeight, 0);
        ShowWindow(view_, SW_SHOW);
        UpdateWindow(view_);
    }
    void TearDown() override
    {
        if (GetCapture() == view_) ReleaseCapture();
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(view_), 0);
    }

    // The cursor at a point of the client area, then the message; the view reads the cursor.
    void MouseAtPoint(UINT message, POINT p)
    {
        ASSERT_TRUE(ClientToScreen(view_, &p));
        ASSERT_TRUE(SetCursorPos(p.x, p.y));
        SendMessageA(view_, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    // ... over the middle of a cell.
    void MouseAt(UINT message, int row, int column)
    {
        MouseAtPoint(message, {column * grid_->cellWidth + grid_->cellWidth / 2,
                               row * grid_->cellHeight + grid_->cellHeight / 2});
    }
    void Drag(int row0, int column0, const std::vector<std::pair<int, int>>& steps)
    {
        MouseAt(WM_LBUTTONDOWN, row0, column0);
        for (const auto& s : steps) MouseAt(WM_MOUSEMOVE, s.first, s.second);
        MouseAt(WM_LBUTTONUP, steps.back().first, steps.back().second);
    }

    // Cells of the first rows x columns whose middle pixel is not the window colour. The cells
    // are blanks, so an inverted cell is the only thing that is not.
    CellSet InvertedCells(int rows, int columns)
    {
        CellSet cells;
        HDC dc = GetDC(view_);
        EXPECT_NE(dc, nullptr);
        if (!dc) return cells;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const COLORREF pixel =
                    GetPixel(dc, c * grid_->cellWidth + grid_->cellWidth / 2, r * grid_->cellHeight + 1);
                if (pixel != g_app.windowColor) cells.insert({r, c});
            }
        ReleaseDC(view_, dc);
        return cells;
    }
    // Cells of a row with any pixel off the window colour on their middle vertical line.
    int InkedCellsOfRow(int row)
    {
        HDC dc = GetDC(view_);
        EXPECT_NE(dc, nullptr);
        if (!dc) return -1;
        int inked = 0;
        for (int c = 0; c < grid_->columns; ++c)
            for (int y = row * grid_->cellHeight; y < (row + 1) * grid_->cellHeight; ++y)
                if (GetPixel(dc, c * grid_->cellWidth + grid_->cellWidth / 2, y) != g_app.windowColor) {
                    ++inked;
                    break;
                }
        ReleaseDC(view_, dc);
        return inked;
    }

    HWND view_ = nullptr;
    ScreenGrid* grid_ = nullptr;
};

TEST_F(ScreenView, RecordFillsTheClientAreaWithBlankCells)
{
    RECT client;
    ASSERT_TRUE(GetClientRect(view_, &client));
    EXPECT_EQ(grid_->hwnd, view_);
    EXPECT_EQ(grid_->rows, client.bottom / grid_->cellHeight);
    EXPECT_EQ(grid_->columns, client.right / grid_->cellWidth);
    const size_t count = static_cast<size_t>(grid_->rows) * grid_->columns;
    EXPECT_EQ(std::strspn(grid_->cells, " "), count);
    EXPECT_EQ(grid_->cells[count], '\0');
    EXPECT_NE(grid_->font, nullptr);
    EXPECT_NE(grid_->font, g_app.screenFontHandle);  // the view's own copy
    EXPECT_TRUE(InvertedCells(grid_->rows, grid_->columns).empty());
}

TEST_F(ScreenView, DragsInvertTheCellsFromTheAnchorToTheEnd)
{
    ASSERT_GE(grid_->rows, 6);
    const int columns = grid_->columns;
    const struct {
        std::pair<int, int> anchor;
        std::vector<std::pair<int, int>> steps;
        CellSet inverted;
    } drags[] = {
        {{4, 10}, {{3, 8}, {2, 6}}, Span(2, 6, columns) + Span(3, 0, columns) + Span(4, 0, 10)},  // upwards
        {{2, 5}, {{2, 9}}, Span(2, 5, 9)},
        {{2, 5}, {{2, 9}, {2, 3}}, Span(2, 3, 5)},  // along a row and back
    };
    for (const auto& d : drags) {
        Drag(d.anchor.first, d.anchor.second, d.steps);
        const std::pair<int, int> end = d.steps.back();
        EXPECT_TRUE(grid_->gridFlags & kGridHighlight);
        EXPECT_EQ(Join(grid_->selAnchorRow, grid_->selAnchorColumn, grid_->selEndRow, grid_->selEndColumn),
                  Join(d.anchor.first, d.anchor.second, end.first, end.second));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(InvertedCells(6, columns), d.inverted);
    }
}

TEST_F(ScreenView, RepaintingShowsTheSameHighlight)
{
    Drag(4, 10, {{2, 6}});
    const CellSet before = InvertedCells(6, grid_->columns);
    ASSERT_FALSE(before.empty());

    // Covered by another window and uncovered: the view paints itself again.
    RECT area;
    ASSERT_TRUE(GetWindowRect(view_, &area));
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                 g_app.instance, nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    DestroyWindow(cover);
    UpdateWindow(view_);
    EXPECT_EQ(InvertedCells(6, grid_->columns), before);

    // Invalidated in part: only the rows repainted are inverted again, and no row twice.
    RECT rows{0, 3 * grid_->cellHeight, 600, 4 * grid_->cellHeight};
    InvalidateRect(view_, &rows, TRUE);
    UpdateWindow(view_);
    EXPECT_EQ(InvertedCells(6, grid_->columns), before);
    InvalidateRect(view_, nullptr, TRUE);
    UpdateWindow(view_);
    EXPECT_EQ(InvertedCells(6, grid_->columns), before);
}

TEST_F(ScreenView, PressHidesTheHighlightAndClampsToTheLastColumn)
{
    Drag(1, 1, {{1, 4}});
    ASSERT_FALSE(InvertedCells(3, grid_->columns).empty());
    // Past the last full column (the client area's right edge lies inside a partial cell).
    RECT client;
    ASSERT_TRUE(GetClientRect(view_, &client));
    MouseAtPoint(WM_LBUTTONDOWN, {client.right - 1, grid_->cellHeight + 2});
    EXPECT_FALSE(grid_->gridFlags & kGridHighlight);
    EXPECT_TRUE(InvertedCells(3, grid_->columns).empty());
    EXPECT_EQ(grid_->mouseRow, 1);
    EXPECT_EQ(grid_->mouseColumn, grid_->columns - 1);
    EXPECT_EQ(GetCapture(), view_);

    // Below the grid the drag does not move the end.
    MouseAtPoint(WM_MOUSEMOVE, {5, grid_->rows * grid_->cellHeight + grid_->cellHeight + 5});
    EXPECT_FALSE(grid_->gridFlags & kGridHighlight);
    EXPECT_EQ(grid_->selEndColumn, grid_->columns - 1);
    SendMessageA(view_, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // Without the capture a move is not a drag.
    MouseAt(WM_MOUSEMOVE, 2, 2);
    EXPECT_FALSE(grid_->gridFlags & kGridHighlight);
}

TEST_F(ScreenView, ResizeKeepsTheTopLeftCellsAndHidesTheHighlight)
{
    const int oldColumns = grid_->columns;
    for (int r = 0; r < grid_->rows; ++r)
        for (int c = 0; c < grid_->columns; ++c)
            RowCells(grid_, r)[c] = static_cast<char>('A' + (r + c) % 26);
    Drag(0, 0, {{1, 1}});
    ASSERT_TRUE(grid_->gridFlags & kGridHighlight);

    ASSERT_TRUE(SetWindowPos(view_, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE));
    UpdateWindow(view_);
    RECT client;
    ASSERT_TRUE(GetClientRect(view_, &client));
    EXPECT_EQ(grid_->rows, client.bottom / grid_->cellHeight);
    EXPECT_EQ(grid_->columns, client.right / grid_->cellWidth);
    ASSERT_LT(grid_->columns, oldColumns);
    EXPECT_FALSE(grid_->gridFlags & kGridHighlight);
    for (int r = 0; r < grid_->rows; ++r)
        for (int c = 0; c < grid_->columns; ++c)
            ASSERT_EQ(RowCells(grid_, r)[c], static_cast<char>('A' + (r + c) % 26)) << r << "," << c;

    // Larger again: the new cells are blanks.
    ASSERT_TRUE(SetWindowPos(view_, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE));
    EXPECT_EQ(RowCells(grid_, 0)[grid_->columns - 1], ' ');
    EXPECT_EQ(RowCells(grid_, 0)[0], 'A');
}

TEST_F(ScreenView, ClientSmallerThanOneCellGivesOneCell)
{
    grid_->caretRow = 5;
    grid_->caretColumn = 7;
    // Without caption and sizing border the window has no minimum tracking size.
    const LONG_PTR style = GetWindowLongPtrA(view_, GWL_STYLE);
    SetWindowLongPtrA(view_, GWL_STYLE,
                      style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    ASSERT_TRUE(SetWindowPos(view_, nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOMOVE | SWP_FRAMECHANGED));
    RECT client;
    ASSERT_TRUE(GetClientRect(view_, &client));
    ASSERT_LT(client.right, grid_->cellWidth);
    ASSERT_LT(client.bottom, grid_->cellHeight);
    EXPECT_EQ(grid_->rows, 1);
    EXPECT_EQ(grid_->columns, 1);
    EXPECT_EQ(grid_->caretRow, 0);
    EXPECT_EQ(grid_->caretColumn, 0);
    EXPECT_EQ(std::strlen(grid_->cells), 1u);
}

TEST_F(ScreenView, ScrollingRowsMovesThePixelsInsideTheGrid)
{
    ASSERT_GE(grid_->rows, 8);
    std::memset(RowCells(grid_, 0), 'M', static_cast<size_t>(grid_->columns));
    InvalidateRect(view_, nullptr, TRUE);
    UpdateWindow(view_);
    ASSERT_EQ(InkedCellsOfRow(0), grid_->columns);

    ScrollGridRows(grid_, 3);
    UpdateWindow(view_);
    const auto row = [this](int r) {
        return std::string(RowCells(grid_, r), static_cast<size_t>(grid_->columns));
    };
    EXPECT_EQ(row(3), std::string(static_cast<size_t>(grid_->columns), 'M'));
    EXPECT_EQ(row(0), std::string(static_cast<size_t>(grid_->columns), ' '));
    EXPECT_EQ(row(4), std::string(static_cast<size_t>(grid_->columns), ' '));
    EXPECT_EQ(InkedCellsOfRow(0), 0);
    EXPECT_EQ(InkedCellsOfRow(3), grid_->columns);
}

TEST_F(ScreenView, ClosingTheViewRepaintsTheStatusLine)
{
    ASSERT_NE(g_app.statusLineWindow, nullptr);
    UpdateWindow(g_app.statusLineWindow);
    RECT update;
    ASSERT_FALSE(GetUpdateRect(g_app.statusLineWindow, &update, FALSE));
    SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(view_), 0);
    EXPECT_TRUE(GetUpdateRect(g_app.statusLineWindow, &update, FALSE));
    SetUp();  // TearDown closes a view
}

}  // namespace
