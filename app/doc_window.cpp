// The document window: creation and destruction of its EditState, painting of its text in
// the screen font, and Save.
#include "app/doc_window.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/row_text.h"
#include "app/win32_screen.h"
#include "doc/buffer.h"
#include "doc/document_file.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "resources/ids.h"

namespace {

// Characters of one painted row: the widest view the horizontal bar allows, and the NUL.
constexpr int32_t kRowBuffer = kHorizontalColumns + 256;

// The screen font from the settings; its size is in points of the screen's resolution.
HFONT MakeScreenFont()
{
    int pixelsPerInch = 96;
    if (HDC screen = GetDC(nullptr)) {
        pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    const Settings& s = g_core.settings;
    return CreateFontA(-MulDiv(s.screenFontSize, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       s.screenCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, s.screenFont);
}

// Takes the cell size from the font's metrics.
bool MeasureCells(HWND window, EditState* doc)
{
    HDC dc = GetDC(window);
    if (!dc) return false;
    HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(doc->font));
    TEXTMETRICA metrics;
    const BOOL measured = GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (!measured) return false;
    doc->cellHeight = metrics.tmHeight + metrics.tmExternalLeading;
    doc->cellWidth = metrics.tmAveCharWidth;
    return doc->cellHeight > 0 && doc->cellWidth > 0;
}

// Rows and columns that fit the client area, a partly visible last one included.
void FitGrid(EditState* doc, int width, int height)
{
    if (doc->cellWidth <= 0 || doc->cellHeight <= 0) return;
    doc->rows = (height + doc->cellHeight - 1) / doc->cellHeight;
    doc->columns = (width + doc->cellWidth - 1) / doc->cellWidth;
}

void ReleaseDocument(HWND window, EditState* doc)
{
    SetWindowLongPtrA(window, kRecordSlot, 0);
    if (!doc) return;
    ClearUndo(doc);
    FreeBlock(doc->text);
    if (doc->font) DeleteObject(static_cast<HFONT>(doc->font));
    FreeBlock(doc);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    const char* path = mdi ? reinterpret_cast<const char*>(mdi->lParam) : nullptr;

    auto* doc = static_cast<EditState*>(AllocRecord(sizeof(EditState)));
    if (!doc) return -1;
    SetLastError(0);
    if (!SetWindowLongPtrA(window, kRecordSlot, reinterpret_cast<LONG_PTR>(doc)) && GetLastError() != 0) {
        FreeBlock(doc);
        return -1;
    }
    doc->hwnd = window;
    doc->tabSize = g_core.settings.tabStops;
    doc->font = MakeScreenFont();
    if (!doc->font || !MeasureCells(window, doc)) {
        ReleaseDocument(window, doc);
        return -1;
    }
    RECT client;
    if (GetClientRect(window, &client)) FitGrid(doc, client.right, client.bottom);

    if (!CreateDocument(doc, path)) {
        ReleaseDocument(window, doc);
        return -1;
    }
    return 0;
}

void OnPaint(HWND window, const EditState* doc)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    if (doc) PaintDocument(doc, dc, paint.rcPaint);
    EndPaint(window, &paint);
}

void OnSave(EditState* doc)
{
    // SaveText leaves the document as it was when it fails; the user is told and may retry.
    if (!SaveText(doc)) ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_WRITE, doc->path);
}

}  // namespace

void PaintDocument(const EditState* doc, HDC dc, const RECT& area)
{
    if (!doc->text || doc->cellHeight <= 0) return;
    HGDIOBJ oldFont = SelectObject(dc, static_cast<HFONT>(doc->font));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_WINDOW));

    char row[kRowBuffer];
    const char* end = doc->text + doc->length;
    const char* line = doc->text + doc->topOffset;
    for (int y = 0; line < end && y < area.bottom; y += doc->cellHeight) {
        const char* next = NextLineStart(end, line);
        int32_t lineLength = static_cast<int32_t>(next - line);
        if (lineLength > 0 && line[lineLength - 1] == '\n') --lineLength;
        if (y + doc->cellHeight > area.top) {
            const int32_t n = ExpandRow(line, lineLength, doc->tabSize, doc->leftColumn, row, kRowBuffer);
            // The rest of the row keeps the background the class brush erased.
            TextOutA(dc, 0, y, row, n);
        }
        line = next;
    }

    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldFont);
}

EditState* DocumentOfWindow(HWND window)
{
    return reinterpret_cast<EditState*>(GridOfWindow(window));
}

bool RegisterDocumentClass(HINSTANCE instance)
{
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_EDIT_CLASS));
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditWndProc;
    wc.cbWndExtra = sizeof(EditState*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

HWND OpenDocumentWindow(const char* path)
{
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_EDIT_CLASS));
    MDICREATESTRUCTA create{};
    create.szClass = className;
    create.szTitle = "";  // CreateDocument names the window
    create.hOwner = ResourceInstance();
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = CW_USEDEFAULT;
    create.cy = CW_USEDEFAULT;
    create.lParam = reinterpret_cast<LPARAM>(path);
    return reinterpret_cast<HWND>(
        SendMessageA(g_app.mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    EditState* doc = DocumentOfWindow(window);
    switch (message) {
        case WM_CREATE:
            return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_SIZE:
            if (doc) FitGrid(doc, LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_PAINT:
            OnPaint(window, doc);
            return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            if (doc && GetClientRect(window, &client))
                PaintDocument(doc, reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDM_SAVE && doc) {
                OnSave(doc);
                return 0;
            }
            break;
        case WM_DESTROY:
            ReleaseDocument(window, doc);
            break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
