// The screen grid view under Wine: a real "ScreenClass" window on a shown MDI frame, driven by
// cursor positions and mouse messages, its pixels read back from the window's device context
// (the grid's cells, resizing, scrolling and clamping are tested natively).
#include <gtest/gtest.h>

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
    HWND view_ = nullptr;
    ScreenGrid* grid_ = nullptr;
};

TEST_F(ScreenView, ADragInvertsFromTheAnchorToTheEndAndRepaintsShowTheSame)
{
    // Upwards; the other shapes of a highlight are tested natively.
    ASSERT_GE(grid_->rows, 6);
    const int columns = grid_->columns;
    Drag(4, 10, {{3, 8}, {2, 6}});
    EXPECT_TRUE(grid_->gridFlags & kGridHighlight);
    EXPECT_EQ(Join(grid_->selAnchorRow, grid_->selAnchorColumn, grid_->selEndRow, grid_->selEndColumn),
              "4 10 2 6");
    EXPECT_EQ(GetCapture(), nullptr);
    const CellSet before = InvertedCells(6, columns);
    EXPECT_EQ(before, Span(2, 6, columns) + Span(3, 0, columns) + Span(4, 0, 10));

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
