// The Win32 implementation of the core's screen seam.
#include "app/win32_screen.h"

#include <cstring>

#include "app/app_state.h"
#include "app/message_box.h"
#include "display/gdi_scoped.h"
#include "display/status_line.h"
#include "doc/grid.h"

static_assert(kBarHorizontal == SB_HORZ && kBarVertical == SB_VERT, "the core numbers bars as Win32");

Win32Screen g_win32Screen;

namespace {

HWND Hwnd(WindowHandle window)
{
    return static_cast<HWND>(window);
}

// The pixel rectangle of cells [top, bottom) x [left, right); false when the window has no
// cell geometry yet, in which case callers take the whole client area.
bool CellRect(HWND window, int top, int left, int bottom, int right, RECT* rect)
{
    const ScreenGrid* grid = GridOfWindow(window);
    if (!grid || grid->cellWidth <= 0 || grid->cellHeight <= 0) return false;
    const Point from = CellToPoint(grid, Cell{top, left});
    const Point to = CellToPoint(grid, Cell{bottom, right});
    *rect = RECT{from.x, from.y, to.x, to.y};
    return true;
}

}  // namespace

void Win32Screen::SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, bool redraw)
{
    // A failure leaves the old bar on the screen; the text itself is not affected.
    ::SetScrollRange(Hwnd(window), bar, minimum, maximum, redraw ? TRUE : FALSE);
}

void Win32Screen::SetScrollPosition(WindowHandle window, int bar, int position, bool redraw)
{
    ::SetScrollPos(Hwnd(window), bar, position, redraw ? TRUE : FALSE);
}

void Win32Screen::InvalidateCells(WindowHandle window, int top, int left, int bottom, int right)
{
    RECT rect;
    if (CellRect(Hwnd(window), top, left, bottom, right, &rect)) {
        if (rect.right <= rect.left || rect.bottom <= rect.top) return;
        InvalidateRect(Hwnd(window), &rect, FALSE);
    } else {
        InvalidateRect(Hwnd(window), nullptr, TRUE);
    }
}

void Win32Screen::UpdateNow(WindowHandle window)
{
    UpdateWindow(Hwnd(window));
}

void Win32Screen::ScrollCells(WindowHandle window, int rows, int columns)
{
    const ScreenGrid* grid = GridOfWindow(Hwnd(window));
    if (!grid || grid->cellWidth <= 0 || grid->cellHeight <= 0) {
        InvalidateRect(Hwnd(window), nullptr, TRUE);
        return;
    }
    // Only the grid's own cells move; what scrolls in is invalidated and painted by the next
    // WM_PAINT.
    const RECT cells{0, 0, grid->columns * grid->cellWidth, grid->rows * grid->cellHeight};
    if (ScrollWindowEx(Hwnd(window), columns * grid->cellWidth, rows * grid->cellHeight, &cells, &cells,
                       nullptr, nullptr, SW_INVALIDATE) == ERROR) {
        InvalidateRect(Hwnd(window), nullptr, TRUE);
    }
}

void Win32Screen::InvertCells(WindowHandle window, int top, int left, int bottom, int right)
{
    RECT rect;
    if (!CellRect(Hwnd(window), top, left, bottom, right, &rect)) return;
    WindowDC dc(Hwnd(window));
    if (dc) InvertRect(dc.get(), &rect);
}

void Win32Screen::PlaceCaret(WindowHandle, int x, int y)
{
    // Fails while the window has no caret (it is not focused); nothing to do then.
    SetCaretPos(x, y);
}

void Win32Screen::ShowPosition(int32_t line, int32_t column)
{
    ShowStatusPosition(line, column);
}

void Win32Screen::ShowStatusText(const char* text)
{
    ::ShowStatusText(text);
}

int Win32Screen::ShowMessage(int kind, int stringId, const char* appended)
{
    return ::ShowMessage(g_app.frameWindow, kind, stringId, appended);
}

const char* Win32Screen::LoadStringText(int stringId)
{
    return LoadStr(stringId);
}

void Win32Screen::SetWindowTitle(WindowHandle window, const char* title)
{
    // A title that cannot be set leaves the old one; the document is unaffected.
    SetWindowTextA(Hwnd(window), title);
}

// Loads and saves that take longer than half a second show their progress in the status line,
// which is put back as it was when they end.
void Win32Screen::ShowProgress(int stringId, const char* name, int percent)
{
    const uint32_t now = GetTickCount();
    if (percent == 0) {
        progress_.Start(now);
        return;
    }
    if (percent < 0) {
        if (progress_.shown()) ::ShowStatusText(beforeProgress_);
        progress_ = ProgressGate();
        return;
    }
    const bool first = !progress_.shown();
    if (!progress_.Due(now)) return;
    if (first) std::memcpy(beforeProgress_, g_app.statusText, sizeof beforeProgress_);
    char text[sizeof g_app.statusText];
    FormatProgress(text, sizeof text, LoadStr(stringId), name, percent);
    ::ShowStatusText(text);
}

void* Win32Screen::BeginWait()
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // Shown also where no mouse is installed, for as long as the wait lasts.
    ShowCursor(TRUE);
    return previous;
}

void Win32Screen::EndWait(void* previous)
{
    ShowCursor(FALSE);
    SetCursor(static_cast<HCURSOR>(previous));
}
