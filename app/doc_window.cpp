// The document window: its EditState on top of the grid record, the document rendered into
// the grid's cells, the typing and movement keys, the caret, the scroll bars, Undo, Redo and
// Save. The grid view underneath lays out, paints and highlights the cells.
#include "app/doc_window.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/win32_screen.h"
#include "display/gdi_scoped.h"
#include "display/screen.h"
#include "display/status_line.h"
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

constexpr int kSmallestWidth = 100;
constexpr int kSmallestHeight = 50;

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(ScreenWndProc, window, message, wParam, lParam);
}

bool IsDocumentClass(HWND window)
{
    char name[64], expected[64];
    if (!GetClassNameA(window, name, sizeof name)) return false;
    std::snprintf(expected, sizeof expected, "%s", LoadStr(IDS_EDIT_CLASS));
    return std::strcmp(name, expected) == 0;
}

// The document's own blocks and the view's font; the grid view frees its cells and the record.
void ReleaseDocumentParts(EditState* doc)
{
    CloseWorkingWindow(doc);
    ClearUndo(doc);
    FreeBlock(doc->text);
    doc->text = nullptr;
    if (doc->font) DeleteObject(static_cast<HFONT>(doc->font));
    doc->font = nullptr;
}

// A creation that failed leaves nothing behind for WM_DESTROY.
LRESULT FailCreation(HWND window)
{
    if (auto* doc = reinterpret_cast<EditState*>(GetWindowLongPtrA(window, kRecordSlot))) {
        ReleaseDocumentParts(doc);
        FreeBlock(doc->cells);
        FreeBlock(doc);
    }
    SetWindowLongPtrA(window, kRecordSlot, 0);
    return -1;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    const char* path = mdi ? reinterpret_cast<const char*>(mdi->lParam) : nullptr;
    if (AttachRecord(window, sizeof(EditState)) != 0) return FailCreation(window);
    EditState* doc = DocumentOfWindow(window);
    if (!doc || !CreateDocument(doc, path)) return FailCreation(window);
    RedrawRows(doc, 0, 0, doc->rows, doc->columns);
    return 0;
}

LRESULT OnInitRecord(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    if (PassOn(window, UM_INITRECORD, wParam, lParam) != 0) return -1;
    doc->text = nullptr;
    doc->tabSize = g_core.settings.tabStops;
    doc->leftColumn = 0;
    doc->caretOffset = 0;
    doc->undoLog = nullptr;
    doc->undoNext = doc->undoCount = doc->undoCapacity = 0;
    return 0;
}

LRESULT OnSize(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    if (!doc->text) return PassOn(window, WM_SIZE, wParam, lParam);
    CloseWorkingWindow(doc);
    PassOn(window, WM_SIZE, wParam, lParam);
    if (doc->leftColumn != 0) ScrollLeft(doc, doc->leftColumn);
    SetTop(doc, doc->topOffset);
    CaretUpdate(doc);
    return 0;
}

void OnFocus(HWND window, EditState* doc, bool gained)
{
    if (!gained) {
        CloseWorkingWindow(doc);  // at most one document holds the program's working window
        DestroyCaret();
        return;
    }
    const int width = g_core.settings.largeCursor ? doc->cellWidth : doc->cellWidth / 3;
    if (!CreateCaret(window, nullptr, width > 0 ? width : 1, doc->cellHeight)) return;
    LocateCaret(doc);
    CaretUpdate(doc);
    ShowCaret(window);
}

// Characters that TypeKey inserts; other control codes (Ctrl+letters) are commands.
void OnChar(EditState* doc, WPARAM code)
{
    if (code == kKeyBackspace || code == kKeyTab || code == kKeyEnter || (code >= 32 && code != 127))
        TypeKey(doc, static_cast<int>(code & 0xFF));
}

void CaretToLineEnd(EditState* doc)
{
    while (doc->caretOffset < doc->length && doc->text[doc->caretOffset] != '\n') {
        AdvanceCaretOver(doc, static_cast<uint8_t>(doc->text[doc->caretOffset]));
        ++doc->caretOffset;
    }
}

// The movement keys; answers false for keys that are not movements.
bool MoveCaret(EditState* doc, WPARAM key, bool control)
{
    switch (key) {
        case VK_UP:
            LineUp(doc, doc->caretOffset);
            break;
        case VK_DOWN:
            LineDown(doc, doc->caretOffset);
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
        case VK_HOME:
            if (control) {
                doc->caretOffset = 0;
                LocateCaret(doc);
            } else {
                doc->caretOffset = LineStart(doc->text, doc->caretOffset);
                doc->caretColumn = -doc->leftColumn;
            }
            break;
        case VK_END:
            if (control) {
                doc->caretOffset = doc->length;
                LocateCaret(doc);
            } else {
                CaretToLineEnd(doc);
            }
            break;
        case VK_PRIOR:
            ScrollUp(doc, doc->rows);
            PlaceCaretAtCell(doc);
            break;
        case VK_NEXT:
            ScrollDown(doc, doc->rows);
            PlaceCaretAtCell(doc);
            break;
        default:
            return false;
    }
    return true;
}

bool OnKeyDown(EditState* doc, WPARAM key)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
        case VK_DELETE:
            TypeKey(doc, kKeyDelete);
            return true;
        case VK_INSERT:
            g_core.insertMode = !g_core.insertMode;
            ShowInsertMode();
            return true;
        case VK_CAPITAL:
            ShowCapsLock();
            return true;
        case VK_NUMLOCK:
            ShowNumLock();
            return true;
        default:
            break;
    }
    // Vertical movements leave the working window; Left and Right stay inside it.
    if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME ||
        key == VK_END)
        CloseWorkingWindow(doc);
    if (!MoveCaret(doc, key, control)) return false;
    doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
    return true;
}

void OnVScroll(EditState* doc, WORD code, WORD thumb)
{
    CloseWorkingWindow(doc);
    doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
    switch (code) {
        case SB_LINEUP:
            HideHighlight(AsGrid(doc));
            ScrollUp(doc, 1);
            break;
        case SB_LINEDOWN:
            HideHighlight(AsGrid(doc));
            ScrollDown(doc, 1);
            break;
        case SB_PAGEUP:
            HideHighlight(AsGrid(doc));
            ScrollUp(doc, doc->rows);
            break;
        case SB_PAGEDOWN:
            HideHighlight(AsGrid(doc));
            ScrollDown(doc, doc->rows);
            break;
        case SB_THUMBTRACK:
            ScrollToOffset(doc,
                           static_cast<int32_t>(thumb) * (doc->scrollDivisor > 0 ? doc->scrollDivisor : 1));
            break;
        case SB_TOP:
            ScrollToOffset(doc, 0);
            break;
        case SB_BOTTOM:
            ScrollToOffset(doc, doc->length);
            break;
        default:
            return;
    }
    SetVerticalPosition(doc, AbsoluteTop(doc));
    PlaceCaretAtCell(doc);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
}

void OnHScroll(EditState* doc, WORD code, WORD thumb)
{
    doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
    switch (code) {
        case SB_LINELEFT:
            ScrollLeft(doc, 1);
            break;
        case SB_LINERIGHT:
            ScrollRight(doc, 1);
            break;
        case SB_PAGELEFT:
            ScrollLeft(doc, doc->columns);
            break;
        case SB_PAGERIGHT:
            ScrollRight(doc, doc->columns);
            break;
        case SB_THUMBTRACK:
            ScrollToColumn(doc, thumb);
            break;
        default:
            return;
    }
    PlaceCaretAtCell(doc);
    CaretUpdate(doc);
}

LRESULT OnButtonDown(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    CloseWorkingWindow(doc);
    PassOn(window, WM_LBUTTONDOWN, wParam, lParam);
    doc->caretRow = doc->mouseRow;
    doc->caretColumn = doc->mouseColumn;
    PlaceCaretAtCell(doc);
    doc->anchorOffset = doc->caretOffset;
    CaretUpdate(doc);
    return 0;
}

// The view as it stands on screen, highlight included, into a device context of the caller.
void PrintClient(EditState* doc, HDC dc)
{
    RECT client;
    if (!GetClientRect(doc->hwnd ? static_cast<HWND>(doc->hwnd) : nullptr, &client)) return;
    ScopedSelect font(dc, static_cast<HFONT>(doc->font));
    PaintRows(dc, AsGrid(doc), client);
    if (!(doc->gridFlags & kGridHighlight)) return;
    Cell a{doc->selAnchorRow, doc->selAnchorColumn}, b{doc->selEndRow, doc->selEndColumn};
    OrderCells(&a, &b);
    InvertRange(AsGrid(doc), dc, a, b);
}

void OnSave(EditState* doc)
{
    // SaveText leaves the document as it was when it fails; the user is told and may retry.
    if (!SaveText(doc)) ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_WRITE, doc->path);
}

// The document's own commands; false for those it leaves to the grid view.
bool OnCommand(EditState* doc, WORD command)
{
    CloseWorkingWindow(doc);
    switch (command) {
        case IDM_SAVE:
            OnSave(doc);
            return true;
        case IDM_UNDO:
            Undo(doc);
            return true;
        case IDM_REDO:
            Redo(doc);
            return true;
        default:
            return false;
    }
}

}  // namespace

EditState* DocumentOfWindow(HWND window)
{
    if (!IsDocumentClass(window)) return nullptr;
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
    wc.hIcon = LoadIconA(instance, "Document");  // none in the image gives the default icon
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_CREATE) return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    if (message == WM_GETMINMAXINFO) {
        // Asked before the record exists too: a window drawn on the client area keeps the
        // size drawn, however small.
        const LRESULT answer = PassOn(window, message, wParam, lParam);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{kSmallestWidth, kSmallestHeight};
        return answer;
    }
    EditState* doc = reinterpret_cast<EditState*>(GridOfWindow(window));
    if (!doc) return PassOn(window, message, wParam, lParam);
    switch (message) {
        case UM_INITRECORD:
            return OnInitRecord(window, doc, wParam, lParam);
        case WM_SIZE:
            return OnSize(window, doc, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (doc->text) OnFocus(window, doc, message == WM_SETFOCUS);
            break;
        case WM_CHAR:
            if (doc->text) OnChar(doc, wParam);
            return 0;
        case WM_KEYDOWN:
            if (doc->text && OnKeyDown(doc, wParam)) return 0;
            break;
        case WM_VSCROLL:
            if (doc->text) OnVScroll(doc, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_HSCROLL:
            if (doc->text) OnHScroll(doc, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            if (doc->text) return OnButtonDown(window, doc, wParam, lParam);
            break;
        case WM_MDIACTIVATE:
            // The frame's menu and action bar follow whether any document is active.
            if (g_app.frameWindow) PostMessageA(g_app.frameWindow, UM_SYNCMENU, 0, 0);
            if (reinterpret_cast<HWND>(lParam) == window) {
                ShowCapsLock();
                ShowNumLock();
                ShowInsertMode();
                ShowStatusMessage(window, 0);
            }
            break;
        case WM_PRINTCLIENT:
            if (doc->cells) PrintClient(doc, reinterpret_cast<HDC>(wParam));
            return 0;
        case UM_SYNCMENU:
            SetFrameMenu(g_app.mainMenu, GetSubMenu(g_app.mainMenu, 4));
            return 1;
        case WM_MENUSELECT:
            MenuHelpStep(window, wParam, lParam);
            return 0;
        case WM_COMMAND:
            if (doc->text && OnCommand(doc, LOWORD(wParam))) return 0;
            break;
        case WM_DESTROY:
            ReleaseDocumentParts(doc);
            if (g_app.documentCount > 0) --g_app.documentCount;
            break;
    }
    return PassOn(window, message, wParam, lParam);
}
