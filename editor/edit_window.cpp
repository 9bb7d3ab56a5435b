// The document window: its EditState on top of the grid record, the document rendered into
// the grid's cells, the keys, the caret, the mouse selection, the scroll bars and the
// document's commands. The grid view underneath lays out, paints and highlights the cells.
#include "editor/edit_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/preferences.h"
#include "app/recent_files.h"
#include "compile/compile.h"
#include "display/gdi_scoped.h"
#include "display/mark_paint.h"
#include "display/screen.h"
#include "display/status_line.h"
#include "display/syntax_paint.h"
#include "doc/buffer.h"
#include "doc/document_file.h"
#include "doc/edit.h"
#include "doc/fault_marks.h"
#include "doc/grid.h"
#include "doc/keys.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "editor/block_mark.h"
#include "editor/clipboard.h"
#include "editor/find.h"
#include "editor/recovery.h"
#include "editor/save_prompt.h"
#include "libs/vuzuze/vuzuze32.h"
#include "print/print.h"
#include "resources/ids.h"

namespace {

constexpr int kSmallestWidth = 100;
constexpr int kSmallestHeight = 50;

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(ScreenWndProc, window, message, wParam, lParam);
}

bool KeyDown(int key)
{
    return GetKeyState(key) < 0;
}

bool Highlighted(const EditState* doc)
{
    return (doc->gridFlags & kGridHighlight) != 0;
}

void ClearSearchHit(EditState* doc)
{
    doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
}

bool IsDocumentClass(HWND window)
{
    char name[64], expected[64];
    if (!GetClassNameA(window, name, sizeof name)) return false;
    std::snprintf(expected, sizeof expected, "%s", LoadStr(IDS_EDIT_CLASS));
    return std::strcmp(name, expected) == 0;
}

// A modified document asks whether to save it first; its answer decides.
bool ConfirmClose(EditState* doc)
{
    return SavePrompt(doc);
}

// ---- The document's life ------------------------------------------------------------------

// The document's own blocks and the view's font; the grid view frees its cells and the record.
void ReleaseDocumentParts(EditState* doc)
{
    CloseWorkingWindow(doc);
    ClearUndo(doc);
    ClearFaultMarks(doc);
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
    RecoveryDocumentMade(doc);
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

// The part of a path after its last "/", ":" or backslash.
const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == ':' || *p == '\\') name = p + 1;
    return name;
}

LRESULT OnSize(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    // Maximised, the title joins the frame's caption: the file name alone keeps it short.
    if (doc->path[0]) SetWindowTextA(window, IsZoomed(window) ? FileNamePart(doc->path) : doc->path);
    CloseWorkingWindow(doc);
    PassOn(window, WM_SIZE, wParam, lParam);
    if (doc->leftColumn != 0) ScrollLeft(doc, doc->leftColumn);
    SetTop(doc, doc->topOffset);
    CaretUpdate(doc);
    return 0;
}

void OnSetFocus(HWND window, EditState* doc)
{
    const int width = g_core.settings.largeCursor ? doc->cellWidth : doc->cellWidth / 3;
    if (CreateCaret(window, nullptr, width, doc->cellHeight)) {
        LocateCaret(doc);
        CaretUpdate(doc);
        ShowCaret(window);
    }
    g_app.caretHiddenForDrag = 0;
}

void OnKillFocus(EditState* doc)
{
    CloseWorkingWindow(doc);  // at most one document holds the program's working window
    DestroyCaret();
}

// ---- Keys ---------------------------------------------------------------------------------

// Help on the keyword under the caret in the script language's help file; a bracket there
// has no entry.
void KeywordHelp(EditState* doc)
{
    char keyword[kHelpWordMax + 1];
    if (WordForHelp(doc, keyword) != 0 || keyword[0] == '\0') return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    ShowHelp(IDS_SCRIPT_HELP_FILE, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(keyword));
    SetCursor(previous);
}

CaretKey CaretKeyOf(WPARAM key)
{
    switch (key) {
        case VK_LEFT:
            return CaretKey::kLeft;
        case VK_RIGHT:
            return CaretKey::kRight;
        case VK_UP:
            return CaretKey::kUp;
        case VK_DOWN:
            return CaretKey::kDown;
        case VK_HOME:
            return CaretKey::kHome;
        default:
            return CaretKey::kEnd;
    }
}

bool IsViewKey(WPARAM key)
{
    return key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP ||
           key == VK_DOWN;
}

bool IsTableKey(WPARAM key)
{
    return IsViewKey(key) || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE || key == VK_INSERT ||
           key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_F1;
}

LRESULT OnKeyDown(HWND window, EditState* doc, WPARAM key, LPARAM lParam)
{
    if (!IsTableKey(key)) return PassOn(window, WM_KEYDOWN, key, lParam);
    // Leaving the line leaves the working window; Left and Right stay inside it, unless it ends
    // inside a long line and they could meet its end.
    if (IsViewKey(key) || WindowCut(doc)) CloseWorkingWindow(doc);
    if ((IsViewKey(key) || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE) && IsIconic(window))
        return 0;
    const bool shift = KeyDown(VK_SHIFT), control = KeyDown(VK_CONTROL);
    StartKeyMove(doc, shift);
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
            MoveCaretByKey(doc, CaretKeyOf(key), shift, control);
            return 0;
        case VK_PRIOR:
            MoveCaretByKey(doc, CaretKey::kPageUp, shift, control);
            return 0;
        case VK_NEXT:
            MoveCaretByKey(doc, CaretKey::kPageDown, shift, control);
            UpdateWindow(window);
            return 0;
        case VK_INSERT:
            g_core.insertMode = !g_core.insertMode;
            ShowInsertMode();
            return 0;
        case VK_DELETE:
            TypeKey(doc, kKeyDelete);
            return 0;
        case VK_CAPITAL:
            ShowCapsLock();
            return 0;
        case VK_NUMLOCK:
            ShowNumLock();
            return 0;
        default:  // VK_F1
            if (control)
                ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_OVERVIEW);
            else
                KeywordHelp(doc);
            return PassOn(window, WM_KEYDOWN, key, lParam);
    }
}

// What may move the caret, scroll the view or change the text: the block mark is looked for
// again once such input rests.
bool MayMoveCaret(UINT message)
{
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_COMMAND:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_SIZE:
        case WM_SETFOCUS:
            return true;
        default:
            return false;
    }
}

LRESULT OnChar(HWND window, EditState* doc, WPARAM code)
{
    if (IsIconic(window)) {
        if (code == kKeyEnter) ShowWindow(window, SW_RESTORE);
        return 0;
    }
    uint8_t byte = static_cast<uint8_t>(code & 0xFF);
    if (g_app.oemTranslate) byte = OemChar(byte);
    // 8, 9, 10 and 13 edit, the other control codes type nothing, every other byte is inserted.
    TypeKey(doc, KeyOfTypedCode(byte));
    return 0;
}

// ---- Mouse --------------------------------------------------------------------------------

void CaretToMouseCell(EditState* doc)
{
    doc->caretRow = doc->mouseRow;
    SetCaretTextColumn(doc, doc->leftColumn + doc->mouseColumn);
    PlaceCaretAtCell(doc);
}

// The grid view takes the press (mouse cell, capture); the caret and the anchor go there.
void PressAtMouse(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    PassOn(window, WM_LBUTTONDOWN, wParam, lParam);
    CaretToMouseCell(doc);
    doc->anchorOffset = doc->caretOffset;
}

LRESULT OnLeftButtonDown(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    g_app.leftButtonDown = 1;
    CloseWorkingWindow(doc);
    PressAtMouse(window, doc, wParam, lParam);
    CaretUpdate(doc);
    return 0;
}

POINT PointOf(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// While the button is held with the mouse outside the client area the view scrolls toward it
// a line or a column per turn, the selection following. Other messages are handled meanwhile
// (the button's release among them); mouse moves are dropped, the position is read here.
void AutoScroll(HWND window, EditState* doc, POINT mouse)
{
    RECT client;
    if (!GetClientRect(window, &client)) return;
    auto outside = [&client](POINT p) {
        return p.x < 0 || p.x > client.right || p.y < 0 || p.y > client.bottom;
    };
    while (g_app.leftButtonDown && outside(mouse)) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_MOUSEMOVE) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop to see
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (!g_app.leftButtonDown) break;
        }
        if (mouse.y < 0) {
            ScrollUp(doc, 1);
            ExtendSelection(doc);
        } else if (mouse.y > client.bottom) {
            if (ScrollDown(doc, 1)) ExtendSelection(doc);
        }
        if (mouse.x < 0) {
            ScrollLeft(doc, 1);
            ExtendSelection(doc);
        } else if (mouse.x > client.right) {
            ScrollRight(doc, 1);
            ExtendSelection(doc);
        }
        if (!GetCursorPos(&mouse) || !ScreenToClient(window, &mouse)) return;
    }
}

LRESULT OnMouseMove(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    if (g_app.leftButtonDown) {
        if (!g_app.caretHiddenForDrag) {
            HideCaret(window);
            g_app.caretHiddenForDrag = 1;
        }
        AutoScroll(window, doc, PointOf(lParam));
    }
    // Without the capture the press did not start here: the move means nothing to us.
    if (GetCapture() == window) {
        PassOn(window, WM_MOUSEMOVE, wParam, lParam);
        CaretToMouseCell(doc);
    }
    return 0;
}

LRESULT OnLeftButtonUp(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    g_app.leftButtonDown = 0;
    if (g_app.caretHiddenForDrag) {
        PlaceCaretAtCell(doc);
        ExtendSelection(doc);
        if (doc->caretOffset == doc->anchorOffset) HideHighlight(AsGrid(doc));
        ShowCaret(window);
        CaretUpdate(doc);
        UpdateWindow(window);
        g_app.caretHiddenForDrag = 0;
    }
    return PassOn(window, WM_LBUTTONUP, wParam, lParam);
}

// The right button does what the mouse setting says: 1 help on the word clicked, 2 Go To
// Line, 3 the next document window, anything else nothing.
LRESULT OnRightButtonUp(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    switch (g_core.settings.mouseMode) {
        case 1:
            PressAtMouse(window, doc, wParam, lParam);
            ReleaseCapture();
            CaretUpdate(doc);
            KeywordHelp(doc);
            CaretUpdate(doc);
            break;
        case 2:
            PostMessageA(g_app.frameWindow, WM_COMMAND, IDM_GOTO_LINE, 0);
            break;
        case 3:
            PostMessageA(g_app.clientWindow, WM_MDINEXT, reinterpret_cast<WPARAM>(window), 0);
            break;
        default:
            break;
    }
    return 0;
}

// ---- Scroll bars --------------------------------------------------------------------------
// The thumb's position comes from the message: both bars are scaled to at most
// kScrollUnits (16384) units, which the message's 16 bits hold exactly.

void OnVScroll(EditState* doc, WORD code, WORD thumb)
{
    CloseWorkingWindow(doc);
    ClearSearchHit(doc);
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
        default:  // SB_THUMBPOSITION, SB_ENDSCROLL: the view is where tracking left it
            break;
    }
    SetVerticalPosition(doc, AbsoluteTop(doc));
    PlaceCaretAtCell(doc);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
}

void OnHScroll(EditState* doc, WORD code, WORD thumb)
{
    // The caret goes to a cell, which may lie past a window cut inside a long line.
    if (WindowCut(doc)) CloseWorkingWindow(doc);
    ClearSearchHit(doc);
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
            break;
    }
    PlaceCaretAtCell(doc);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
}

// ---- Painting into a caller's device context ----------------------------------------------

// The view as it stands on screen, colours and highlight included.
void PrintClient(EditState* doc, HDC dc)
{
    RECT client;
    if (!GetClientRect(static_cast<HWND>(doc->hwnd), &client)) return;
    ScopedSelect font(dc, static_cast<HFONT>(doc->font));
    PaintDocumentRows(dc, doc, client);
    PaintFaultMarks(dc, doc, client);
    DrawBlockMark(static_cast<HWND>(doc->hwnd), dc, client);
    if (!Highlighted(doc)) return;
    Cell a{doc->selAnchorRow, doc->selAnchorColumn}, b{doc->selEndRow, doc->selEndColumn};
    OrderCells(&a, &b);
    InvertRange(AsGrid(doc), dc, a, b);
}

// ---- Commands -----------------------------------------------------------------------------

// SaveText leaves the document as it was when it fails: the user is told and may retry.
LRESULT SaveReport(EditState* doc)
{
    if (SaveText(doc)) {
        RecoveryDocumentSaved(doc);
        return 1;
    }
    ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_WRITE, doc->path);
    return 0;
}

LRESULT OnSaveAs(HWND window, EditState* doc)
{
    char* name = ChooseFileName(window, IDS_FILE_SAVE_TITLE, false);
    if (!name) return 0;
    std::snprintf(doc->path, sizeof doc->path, "%s", name);
    SetWindowTextA(window, doc->path);
    InvalidateRect(window, nullptr, FALSE);  // the new name may make it a script, or no longer one
    if (!SaveReport(doc)) return 0;
    AddRecentFile(name);
    return 1;
}

void OnUndoRedo(EditState* doc, bool redo)
{
    HideHighlight(AsGrid(doc));
    if ((redo ? Redo(doc) : Undo(doc)) == 0) MessageBeep(0);
}

// The bytes from the anchor to the caret, whichever comes first, to the clipboard; false when
// the clipboard did not take them.
bool CopySelection(const EditState* doc)
{
    const int32_t start = std::clamp(std::min(doc->anchorOffset, doc->caretOffset), 0, doc->length);
    const int32_t end = std::clamp(std::max(doc->anchorOffset, doc->caretOffset), 0, doc->length);
    return CopyToClipboard(doc->text + start, end - start);
}

void OnPaste(EditState* doc)
{
    if (!ClipboardOffersText(doc->hwnd)) return;
    if (Highlighted(doc) && !DeleteSelection(doc)) return;  // the user kept the selection
    PasteFromClipboard(doc);
    LocateCaret(doc);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
}

LRESULT OnCommand(HWND window, EditState* doc, WPARAM wParam, LPARAM lParam)
{
    const int command = static_cast<int16_t>(LOWORD(wParam));
    // Undo and Redo replay a record near the caret inside the working window.
    if (command != IDM_UNDO && command != IDM_REDO) CloseWorkingWindow(doc);
    LRESULT answer = 0;
    if (FindCommand(window, doc, command, &answer)) return answer;
    switch (command) {
        case IDM_SAVE:
            return doc->path[0] ? SaveReport(doc) : OnSaveAs(window, doc);
        case IDM_SAVE_AS:
            return OnSaveAs(window, doc);
        case IDM_UNDO:
            OnUndoRedo(doc, false);
            return 0;
        case IDM_REDO:
            OnUndoRedo(doc, true);
            return 0;
        case IDM_CUT:
            // A Cut that could not copy deletes nothing.
            if (Highlighted(doc) && CopySelection(doc)) TypeKey(doc, kKeyDelete);
            return 0;
        case IDM_COPY:
            if (Highlighted(doc)) CopySelection(doc);
            return 0;
        case IDM_PASTE:
            OnPaste(doc);
            return 0;
        case IDM_SELECT_ALL:
            SelectAll(doc);
            return 0;
        case IDM_MATCH_BLOCK:
        case IDM_SELECT_TO_MATCH:
            MatchBlockCommand(doc, command == IDM_SELECT_TO_MATCH);
            return 0;
        case IDM_HELP:
            ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, static_cast<ULONG_PTR>(g_app.helpContext));
            return 0;
        case IDM_COMPILE:
            CompileDocument(window, doc);
            return 0;
        case IDM_COMPILER_NOTICE:
            CompilerNotice(wParam, lParam);
            return 0;
        case IDM_PRINT_SETUP:
            PrintSetup();
            return 0;
        case IDM_PRINT:
            PrintDocument(doc);
            return 0;
        case IDM_PREFERENCES:
            DialogBoxParamA(ResourceInstance(), IDD_PREFERENCES, window, PreferencesDlgProc, 0);
            return 0;
        default:
            return PassOn(window, WM_COMMAND, wParam, lParam);
    }
}

// ---- Activation and the frame's menu ------------------------------------------------------

// The Edit and Find menus' positions once the frame has allowed for a maximised document's
// system menu.
constexpr LPARAM kEditMenuPosition = 1;
constexpr LPARAM kFindMenuPosition = 2;

void GrayItem(HMENU menu, int command, bool grayed)
{
    UtilGrayMenuItem(menu, command, grayed ? kUtilMenuGrayed : 0);
}

void SetEditMenu(HWND window, const EditState* doc, HMENU menu)
{
    const bool noSelection = !Highlighted(doc);
    GrayItem(menu, IDM_COPY, noSelection);
    GrayItem(menu, IDM_PASTE, true);
    GrayItem(menu, IDM_CUT, true);
    GrayItem(menu, IDM_UNDO, doc->undoNext <= 0);
    GrayItem(menu, IDM_REDO, doc->undoNext >= doc->undoCount);
    GrayItem(menu, IDM_CUT, noSelection);
    GrayItem(menu, IDM_PASTE, !ClipboardOffersText(window));
    UtilCheckMenuItem(menu, IDM_OEMKEYS, g_app.oemTranslate ? kUtilMenuChecked : 0);
}

// Answers 1 for the two menus the document fills; the frame fills the others.
LRESULT OnInitMenuPopup(HWND window, const EditState* doc, HMENU menu, LPARAM position)
{
    if (position == kEditMenuPosition) {
        SetEditMenu(window, doc, menu);
        return 1;
    }
    if (position == kFindMenuPosition) {
        GrayItem(menu, IDM_REPLACE, false);  // Find, Repeat and Line Number keep the resource's state
        return 1;
    }
    return PassOn(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), position);
}

void OnMdiActivate(HWND window, EditState* doc, LPARAM lParam)
{
    // The frame's menu and action bar follow whether any document is active.
    if (g_app.frameWindow) PostMessageA(g_app.frameWindow, UM_SYNCMENU, 0, 0);
    if (reinterpret_cast<HWND>(lParam) == window) {
        ShowCapsLock();
        ShowNumLock();
        ShowInsertMode();
        RecoveryActivated(window, doc);
    }
    ShowDocumentStatus(doc, 0);
}

LRESULT OnSyncMenu(EditState* doc)
{
    SetFrameMenu(g_app.mainMenu, GetSubMenu(g_app.mainMenu, 4));
    ShowDocumentStatus(doc, 0);
    return 1;
}

}  // namespace

EditState* DocumentOfWindow(HWND window)
{
    if (!IsDocumentClass(window)) return nullptr;
    return reinterpret_cast<EditState*>(GridOfWindow(window));
}

bool RegisterDocumentClass(HINSTANCE instance)
{
    SetStatusDocumentLookup(DocumentOfWindow);
    g_app.gridOverlay = DrawBlockMark;
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_EDIT_CLASS));
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditWndProc;
    wc.cbWndExtra = sizeof(EditState*);
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, IDI_DOCUMENT);  // none in the image gives the default icon
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
    if (message == UM_INITRECORD) return OnInitRecord(window, doc, wParam, lParam);
    if (message == WM_DESTROY) {
        RecoveryWindowGone(window, doc);
        ReleaseDocumentParts(doc);
        if (g_app.documentCount > 0) --g_app.documentCount;
        return PassOn(window, message, wParam, lParam);
    }
    // Until CreateDocument has made the text the window is only a grid view.
    if (!doc->text) return PassOn(window, message, wParam, lParam);
    // What may change the text; the snapshot waits for the input to rest.
    if (message == WM_CHAR || message == WM_KEYDOWN || message == WM_COMMAND) RecoveryInput(window, doc);
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN) ReleaseStatusHold();  // a compile error's message
    if (MayMoveCaret(message)) BlockMarkInput(window, doc);
    switch (message) {
        case WM_SIZE:
            return OnSize(window, doc, wParam, lParam);
        case WM_SETFOCUS:
            OnSetFocus(window, doc);
            break;
        case WM_KILLFOCUS:
            OnKillFocus(doc);
            break;
        case WM_KEYDOWN:
            return OnKeyDown(window, doc, wParam, lParam);
        case WM_CHAR:
            return OnChar(window, doc, wParam);
        case WM_CLOSE:
            if (!ConfirmClose(doc)) return 0;
            break;
        case WM_QUERYENDSESSION:
            return ConfirmClose(doc) ? TRUE : FALSE;
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(window, doc, wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(window, doc, wParam, lParam);
        case WM_LBUTTONUP:
            return OnLeftButtonUp(window, doc, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            HideHighlight(AsGrid(doc));
            SelectWordAtCaret(doc);
            break;
        case WM_RBUTTONDOWN:
            return 0;
        case WM_RBUTTONUP:
            return OnRightButtonUp(window, doc, wParam, lParam);
        case WM_VSCROLL:
            OnVScroll(doc, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnHScroll(doc, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_COMMAND:
            return OnCommand(window, doc, wParam, lParam);
        case WM_INITMENUPOPUP:
            return OnInitMenuPopup(window, doc, reinterpret_cast<HMENU>(wParam), lParam);
        case WM_MDIACTIVATE:
            OnMdiActivate(window, doc, lParam);
            break;
        case UM_SYNCMENU:
            return OnSyncMenu(doc);
        case UM_DISKCHANGED:
            return RecoveryDiskChanged(window, doc);
        case WM_TIMER:
            if (wParam == kBlockMarkTimer) {
                BlockMarkTimer(window, doc);
                return 0;
            }
            if (wParam != kSnapshotTimer) break;
            RecoveryTimer(window, doc);
            return 0;
        case WM_MENUSELECT:
            MenuHelpStep(window, wParam, lParam);
            return 0;
        case WM_PRINTCLIENT:
            if (doc->cells) PrintClient(doc, reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            break;
    }
    return PassOn(window, message, wParam, lParam);
}
