// The screen grid view: its class, its record, layout, painting and the mouse highlight.
#include "display/screen.h"

#include <algorithm>
#include <cstring>

#include "app/app_state.h"
#include "display/gdi_scoped.h"
#include "display/mark_paint.h"
#include "display/syntax_paint.h"
#include "doc/memory.h"

namespace {

constexpr char kScreenClass[] = "ScreenClass";

// The view's own copy of the shared screen font, so the editor can replace it per view.
HFONT CopyScreenFont()
{
    HGDIOBJ source = g_app.screenFontHandle ? static_cast<HGDIOBJ>(g_app.screenFontHandle)
                                            : GetStockObject(ANSI_FIXED_FONT);
    LOGFONTA font{};
    if (!source || GetObjectA(source, sizeof font, &font) != sizeof font) return nullptr;
    return CreateFontIndirectA(&font);
}

RECT ClientRect(HWND window)
{
    RECT client{0, 0, 0, 0};
    if (!GetClientRect(window, &client)) client = RECT{0, 0, 0, 0};
    return client;
}

// The cursor position in the window's client coordinates, read from the system rather than
// from the message.
Point CursorInClient(HWND window)
{
    POINT p{0, 0};
    if (!GetCursorPos(&p) || !ScreenToClient(window, &p)) p = POINT{0, 0};
    return Point{p.x, p.y};
}

LRESULT OnInitRecord(HWND window, ScreenGrid* grid)
{
    grid->hwnd = window;
    grid->gridFlags = 0;
    HFONT font = CopyScreenFont();
    if (!font) return -1;
    SetGridFont(grid, font);
    grid->mouseRow = grid->mouseColumn = 0;
    grid->caretRow = grid->caretColumn = 0;
    return LayoutGrid(grid);
}

void OnSize(ScreenGrid* grid)
{
    HideHighlight(grid);
    ResizeGrid(grid);
    const Cell caret = ClampCell(grid, Cell{grid->caretRow, grid->caretColumn});
    grid->caretRow = caret.row;
    grid->caretColumn = caret.column;
    const Cell mouse = ClampCell(grid, Cell{grid->mouseRow, grid->mouseColumn});
    grid->mouseRow = mouse.row;
    grid->mouseColumn = mouse.column;
}

void OnPaint(HWND window, const ScreenGrid* grid)
{
    PaintDC paint(window);
    if (!paint || !grid || !grid->cells) return;
    ScopedSelect font(paint.get(), static_cast<HFONT>(grid->font));
    // A document window's rows may be drawn in the colours of its script; fault marks go over them.
    const EditState* doc = g_app.statusDocumentLookup ? g_app.statusDocumentLookup(window) : nullptr;
    if (doc)
        PaintDocumentRows(paint.get(), doc, paint.area());
    else
        PaintRows(paint.get(), grid, paint.area());
    if (doc) PaintFaultMarks(paint.get(), doc, paint.area());
    if (g_app.gridOverlay) g_app.gridOverlay(window, paint.get(), paint.area());
    if (!(grid->gridFlags & kGridHighlight) || grid->cellHeight <= 0) return;
    // Painting drew the cells plainly; the highlight is put back over the rows just drawn.
    const int32_t first = paint.area().top / grid->cellHeight;
    const int32_t last = std::min<int32_t>(grid->rows, paint.area().bottom / grid->cellHeight + 1);
    Cell a{grid->selAnchorRow, grid->selAnchorColumn}, b{grid->selEndRow, grid->selEndColumn};
    OrderCells(&a, &b);
    DcInverter inverter(grid, paint.get(), first, last);
    InvertRange(grid, inverter, a, b);
}

void OnButtonDown(HWND window, ScreenGrid* grid)
{
    HideHighlight(grid);
    const Cell cell = ClampCell(grid, PointToCell(grid, CursorInClient(window)));
    grid->mouseRow = grid->selAnchorRow = grid->selEndRow = cell.row;
    grid->mouseColumn = grid->selAnchorColumn = grid->selEndColumn = cell.column;
    SetCapture(window);
}

void OnMouseMove(HWND window, ScreenGrid* grid)
{
    if (GetCapture() != window) return;
    const Point p = CursorInClient(window);
    const Cell cell = PointToCell(grid, p);
    if (cell.row >= grid->rows || cell.column >= grid->columns) return;
    if (cell.row == grid->mouseRow && cell.column == grid->mouseColumn) return;
    grid->gridFlags |= kGridHighlight;
    ExtendHighlight(grid, cell);
    grid->mouseRow = cell.row;
    grid->mouseColumn = cell.column;
}

void OnDestroy(HWND window, ScreenGrid* grid)
{
    SetWindowLongPtrA(window, kRecordSlot, 0);
    if (grid) {
        FreeBlock(grid->cells);
        if (grid->font) DeleteObject(static_cast<HFONT>(grid->font));
        FreeBlock(grid);
    }
    // The status line shows the next active document, or nothing.
    if (g_app.statusLineWindow) InvalidateRect(g_app.statusLineWindow, nullptr, TRUE);
}

}  // namespace

bool RegisterScreenClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ScreenWndProc;
    wc.cbWndExtra = sizeof(ScreenGrid*);
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "DOCUMENT");  // none in the image gives the default icon
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kScreenClass;
    return RegisterClassA(&wc) != 0;
}

ScreenGrid* GridOfWindow(HWND window)
{
    // Only windows with room for the pointer carry one; the frame and the MDI client do not.
    if (!window || GetClassLongPtrA(window, GCL_CBWNDEXTRA) < static_cast<LONG_PTR>(sizeof(void*))) {
        return nullptr;
    }
    return reinterpret_cast<ScreenGrid*>(GetWindowLongPtrA(window, kRecordSlot));
}

ScreenGrid* RecordOfWindow(HWND window)
{
    return GridOfWindow(window);
}

int AttachRecord(HWND window, size_t size)
{
    void* record = AllocRecord(size);
    SetWindowLongPtrA(window, kRecordSlot, reinterpret_cast<LONG_PTR>(record));
    if (!record) return -1;
    return static_cast<int>(SendMessageA(window, UM_INITRECORD, 0, 0));
}

void SetGridFont(ScreenGrid* grid, HFONT font)
{
    grid->font = font;
    // The cells are measured in the shared screen font, which every view's copy matches.
    HGDIOBJ measured = g_app.screenFontHandle ? static_cast<HGDIOBJ>(g_app.screenFontHandle) : font;
    WindowDC dc(nullptr);
    if (!dc) return;
    ScopedSelect select(dc.get(), measured);
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(dc.get(), &metrics)) return;
    grid->cellHeight = std::max<int32_t>(1, metrics.tmHeight);
    grid->cellWidth = std::max<int32_t>(1, metrics.tmAveCharWidth);
}

int LayoutGrid(ScreenGrid* grid)
{
    const RECT client = ClientRect(static_cast<HWND>(grid->hwnd));
    if (LayoutCells(grid, client.right, client.bottom) != 0) return -1;
    ClearGrid(grid);
    return 0;
}

void ClearGrid(ScreenGrid* grid)
{
    if (grid->cells) std::memset(grid->cells, ' ', static_cast<size_t>(grid->rows) * grid->columns);
    InvalidateRect(static_cast<HWND>(grid->hwnd), nullptr, TRUE);
}

bool ResizeGrid(ScreenGrid* grid)
{
    const RECT client = ClientRect(static_cast<HWND>(grid->hwnd));
    if (!ResizeCells(grid, client.right, client.bottom)) return false;
    InvalidateRect(static_cast<HWND>(grid->hwnd), nullptr, TRUE);
    return true;
}

void PaintRows(HDC dc, const ScreenGrid* grid, const RECT& area)
{
    if (!grid->cells || grid->cellHeight <= 0) return;
    const COLORREF oldText = SetTextColor(dc, g_app.windowTextColor);
    const COLORREF oldBack = SetBkColor(dc, g_app.windowColor);
    const int oldMode = SetBkMode(dc, OPAQUE);
    const int32_t first = std::max<int32_t>(0, area.top / grid->cellHeight);
    const int32_t last = std::min<int32_t>(grid->rows, area.bottom / grid->cellHeight + 1);
    for (int32_t row = first; row < last; ++row)
        TextOutA(dc, 0, row * grid->cellHeight, RowCells(grid, row), grid->columns);
    if (oldMode) SetBkMode(dc, oldMode);
    if (oldBack != CLR_INVALID) SetBkColor(dc, oldBack);
    if (oldText != CLR_INVALID) SetTextColor(dc, oldText);
}

void DcInverter::InvertRun(int32_t row, int32_t column1, int32_t column2)
{
    if (row < firstRow_ || row >= lastRow_) return;
    const Point from = CellToPoint(grid_, Cell{row, column1});
    const Point to = CellToPoint(grid_, Cell{row + 1, column2});
    const RECT rect{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                    std::max(from.y, to.y)};
    InvertRect(dc_, &rect);
}

void InvertCells(const ScreenGrid* grid, HDC dc, int32_t row, int32_t column1, int32_t column2)
{
    DcInverter inverter(grid, dc);
    InvertCells(inverter, row, column1, column2);
}

void InvertRange(const ScreenGrid* grid, HDC dc, Cell first, Cell last)
{
    DcInverter inverter(grid, dc);
    InvertRange(grid, inverter, first, last);
}

LRESULT CALLBACK ScreenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    ScreenGrid* grid = RecordOfWindow(window);
    switch (message) {
        case WM_CREATE: {
            const int result = AttachRecord(window, sizeof(ScreenGrid));
            // A failed creation leaves nothing for WM_DESTROY to find.
            if (result != 0) OnDestroy(window, RecordOfWindow(window));
            return result != 0 ? -1 : 0;
        }
        case UM_INITRECORD:
            return grid ? OnInitRecord(window, grid) : -1;
        case WM_SIZE:
            if (grid && grid->cells) OnSize(grid);
            break;
        case WM_PAINT:
            OnPaint(window, grid);
            return 0;
        case WM_LBUTTONDOWN:
            if (grid && grid->cells) OnButtonDown(window, grid);
            return 0;
        case WM_MOUSEMOVE:
            if (grid && grid->cells) OnMouseMove(window, grid);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        case WM_DESTROY:
            OnDestroy(window, grid);
            break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
