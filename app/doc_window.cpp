// The document window: creation and destruction of its EditState, its character grid painted
// in the screen font, the typing keys, caret movement, Undo and Redo, and Save.
#include "app/doc_window.h"

#include <algorithm>
#include <cstdio>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/win32_screen.h"
#include "doc/buffer.h"
#include "doc/document_file.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "resources/ids.h"

namespace {

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

void ReleaseDocument(HWND window, EditState* doc)
{
    SetWindowLongPtrA(window, kRecordSlot, 0);
    if (!doc) return;
    CloseWorkingWindow(doc);
    ClearUndo(doc);
    FreeBlock(doc->text);
    FreeBlock(doc->cells);
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
    RECT client{};
    GetClientRect(window, &client);
    if (LayoutCells(AsGrid(doc), client.right, client.bottom) != 0 || !CreateDocument(doc, path)) {
        ReleaseDocument(window, doc);
        return -1;
    }
    RedrawRows(doc, 0, 0, doc->rows, doc->columns);
    return 0;
}

void OnSize(EditState* doc, int width, int height)
{
    CloseWorkingWindow(doc);
    HideHighlight(AsGrid(doc));
    if (!ResizeCells(AsGrid(doc), width, height)) return;
    RedrawRows(doc, 0, 0, doc->rows, doc->columns);
    if (GetFocus() == doc->hwnd) CaretUpdate(doc);
}

void OnFocus(HWND window, EditState* doc, bool gained)
{
    if (!gained) {
        CloseWorkingWindow(doc);  // at most one document holds the program's working window
        DestroyCaret();
        return;
    }
    CreateCaret(window, nullptr, g_core.settings.largeCursor ? doc->cellWidth : 2, doc->cellHeight);
    CaretUpdate(doc);
    ShowCaret(window);
}

// Characters that TypeKey inserts; other control codes (Ctrl+letters) are commands.
void OnChar(EditState* doc, WPARAM code)
{
    if (code == kKeyBackspace || code == kKeyTab || code == kKeyEnter || (code >= 32 && code != 127))
        TypeKey(doc, static_cast<int>(code & 0xFF));
}

bool OnKeyDown(EditState* doc, WPARAM key)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
        case VK_DELETE:
            TypeKey(doc, kKeyDelete);
            return true;
        case 'Z':
        case 'Y':
            if (!control) return false;
            if (key == 'Z') Undo(doc);
            else Redo(doc);
            return true;
        case VK_UP:
        case VK_DOWN:
            CloseWorkingWindow(doc);
            if (key == VK_UP) LineUp(doc, doc->caretOffset);
            else LineDown(doc, doc->caretOffset);
            break;
        case VK_LEFT:
            if (doc->caretOffset > 0 && doc->text[doc->caretOffset - 1] != '\n') {
                --doc->caretOffset;
                ColumnOfCaret(doc);
            }
            break;
        case VK_RIGHT:
            if (doc->caretOffset < doc->length && doc->text[doc->caretOffset] != '\n') {
                AdvanceCaretOver(doc, static_cast<uint8_t>(doc->text[doc->caretOffset]));
                ++doc->caretOffset;
            }
            break;
        default:
            return false;
    }
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
    return true;
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
    if (!doc->cells || doc->cellHeight <= 0) return;
    HGDIOBJ oldFont = SelectObject(dc, static_cast<HFONT>(doc->font));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    // Each row that meets the update area is one run of text on an opaque background.
    const int32_t first = area.top / doc->cellHeight;
    const int32_t last = std::min<int32_t>(doc->rows, area.bottom / doc->cellHeight + 1);
    for (int32_t r = first; r < last; ++r)
        TextOutA(dc, 0, r * doc->cellHeight, RowCells(AsGrid(const_cast<EditState*>(doc)), r), doc->columns);
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
            if (doc && wParam != SIZE_MINIMIZED) OnSize(doc, LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (doc) OnFocus(window, doc, message == WM_SETFOCUS);
            break;
        case WM_CHAR:
            if (doc) OnChar(doc, wParam);
            return 0;
        case WM_KEYDOWN:
            if (doc && OnKeyDown(doc, wParam)) return 0;
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
                CloseWorkingWindow(doc);
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
