// The frame window's messages: its part of creation, the commands it carries out itself (new,
// open, exit, recent files, window arrangement, action-bar switches, tools, help), the menus
// that follow the active document, dropped files, another copy's files, and closing down.
#include "app/frame.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "editor/edit_window.h"
#include "app/help.h"
#include "app/late_libraries.h"
#include "app/message_box.h"
#include "app/recent_files.h"
#include "app/window_list.h"
#include "compile/compile.h"
#include "compile/compile_errors.h"
#include "display/screen.h"
#include "display/status_line.h"
#include "display/syntax_paint.h"
#include "doc/view.h"
#include "libs/dez/dez32.h"
#include "libs/vuzuze/vuzuze32.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

constexpr char kDialogEditor[] = "VIZIVIR.EXE";
constexpr char kUserWindowEditor[] = "RODEZEZE.EXE";

LRESULT DefaultFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(frame, g_app.clientWindow, message, wParam, lParam);
}

void CheckFrameItem(int command, bool checked)
{
    UtilCheckMenuItem(GetMenu(g_app.frameWindow), command, checked ? kUtilMenuChecked : 0);
}

void GrayFrameItem(HMENU menu, int command, bool grayed) { UtilGrayMenuItem(menu, command, grayed ? kUtilMenuGrayed : 0); }

// A new bar for the layout; the owner field is the editor's to set after each creation.
void MakeActionBar(int layout)
{
    ActionBarBlock* block = g_app.actionBarBlock;
    if (!block) return;
    if (HWND old = ActionBarWindow(block)) DestroyWindow(old);
    if (ActionBarCreate(g_app.frameWindow, ResourceInstance(), layout, 0, block))
        block->owner = HandleToULong(g_app.frameWindow);
}

// What DragAcceptFiles does, without loading the shell at start-up for it.
void AcceptDroppedFiles(HWND frame, bool accept)
{
    const LONG_PTR style = GetWindowLongPtrA(frame, GWL_EXSTYLE);
    SetWindowLongPtrA(frame, GWL_EXSTYLE, accept ? style | WS_EX_ACCEPTFILES : style & ~WS_EX_ACCEPTFILES);
}

void DestroyActionBar()
{
    if (g_app.actionBarBlock)
        if (HWND bar = ActionBarWindow(g_app.actionBarBlock)) DestroyWindow(bar);
}

LRESULT OnCreate(HWND frame)
{
    g_app.frameWindow = frame;
    g_app.compilerWindow = nullptr;
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = GetSubMenu(GetMenu(frame), 0);
    client.idFirstChild = IDM_FIRST_CHILD;
    HWND mdi = CreateWindowExA(0, "MDIClient", nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                               frame, nullptr, ResourceInstance(), &client);
    if (!mdi) return -1;
    g_app.clientWindow = mdi;
    g_app.clientDefaultProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(mdi, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MDIWndProc)));
    if (!g_app.clientDefaultProc) return -1;
    ShowWindow(mdi, SW_SHOW);
    HWND status = CreateStatusLine(frame);
    if (!status) return -1;
    ShowWindow(status, SW_SHOW);
    if (!g_app.actionBarBlock) return -1;
    ActionBarSetLarge(g_app.actionBarBlock, g_core.settings.largeIcons);
    if (g_app.actionBarShown) {
        if (!ActionBarCreate(frame, ResourceInstance(), IDL_BAR_SHORT, 0, g_app.actionBarBlock)) return -1;
        g_app.actionBarBlock->owner = HandleToULong(frame);
    }
    AcceptDroppedFiles(frame, true);
    return 0;
}

void OnActionBarSwitch(int command)
{
    ActionBarBlock* block = g_app.actionBarBlock;
    if (!block) return;
    Settings& s = g_core.settings;
    switch (command) {
        case IDM_ACTION_BAR:
            if (g_app.actionBarShown) {
                DestroyActionBar();
                CheckFrameItem(IDM_ACTION_BAR, false);
                g_app.actionBarShown = 0;
            } else {
                CheckFrameItem(IDM_ACTION_BAR, true);
                MakeActionBar(IDL_BAR_MAIN);
                g_app.actionBarShown = 1;
            }
            s.actionBar = g_app.actionBarShown;
            LayoutFrame();
            SettingsSave();
            break;
        case IDM_LARGE_ACTION_BAR:
            g_app.largeButtons = !g_app.largeButtons;
            s.largeIcons = g_app.largeButtons;
            SettingsSave();
            CheckFrameItem(IDM_LARGE_ACTION_BAR, g_app.largeButtons != 0);
            ActionBarSetLarge(block, g_app.largeButtons);
            if (g_app.actionBarShown) {
                MakeActionBar(IDL_BAR_MAIN);
                LayoutFrame();
            }
            break;
        case IDM_TOOLTIPS:
            block->tooltips = static_cast<uint8_t>(!block->tooltips);
            CheckFrameItem(IDM_TOOLTIPS, block->tooltips != 0);
            s.iconLabel = block->tooltips;
            SettingsSave();
            break;
    }
}

void OnOpenCommand()
{
    const char* chosen = ChooseFileName(g_app.frameWindow, IDS_FILE_OPEN_TITLE, true);
    if (!chosen) return;
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s", chosen);
    OpenDocument(path);
    AddRecentFile(path);
}

void TellActiveDocumentToTakeFocus() { SendToActiveDocument(WM_SETFOCUS, 0, 0); }

// Answers true when the command is done and needs no default processing.
bool OnCommand(HWND frame, WPARAM wParam, LPARAM lParam)
{
    const int command = static_cast<short>(LOWORD(wParam));
    if (g_app.actionBarBlock) ActionBarSetState(-1, kActionBarChosen, command, g_app.actionBarBlock);
    switch (command) {
        case IDM_FIND_CLOSED:
            if (g_app.findDialog) DestroyWindow(g_app.findDialog);
            g_app.findDialog = nullptr;
            return false;
        case IDM_NEW:
            if (RoomForDocument()) NewDocumentWindow(nullptr, 0, 0, 0, 0);
            return true;
        case IDM_OPEN:
            OnOpenCommand();
            return false;
        case IDM_CLOSE:
            SendToActiveDocument(WM_CLOSE, 0, 0);
            return false;
        case IDM_EXIT:
            PostMessageA(frame, WM_CLOSE, 0, 0);
            return true;
        case IDM_RECENT_FIRST:
        case IDM_RECENT_FIRST + 1:
        case IDM_RECENT_FIRST + 2:
        case IDM_RECENT_LAST:
            OpenRecentFile(command);
            return false;
        case IDM_OEMKEYS:
            g_app.oemTranslate = !g_app.oemTranslate;
            CheckFrameItem(IDM_OEMKEYS, g_app.oemTranslate != 0);
            g_core.settings.oemKeys = g_app.oemTranslate;
            SettingsSave();
            return false;
        case IDM_COMPILER_OPTIONS:
            DialogBoxParamA(ResourceInstance(), IDD_COMPILER_OPTIONS, frame, CompileOptionsDlgProc, 0);
            return true;
        case IDM_NEXT_ERROR:
        case IDM_PREVIOUS_ERROR:
            StepError(command == IDM_NEXT_ERROR);
            return true;
        case IDM_DIALOG_EDITOR:
            SetForegroundWindow(frame);
            LaunchTool(kDialogEditor, "", SW_SHOW);
            return true;
        case IDM_USER_WINDOW_EDITOR:
            LaunchTool(kUserWindowEditor, "", SW_SHOW);
            return true;
        case IDM_TILE_HORIZONTAL:
        case IDM_TILE_VERTICAL:
            SendMessageA(g_app.clientWindow, WM_MDITILE,
                         command == IDM_TILE_HORIZONTAL ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
            TellActiveDocumentToTakeFocus();
            return true;
        case IDM_CASCADE:
            SendMessageA(g_app.clientWindow, WM_MDICASCADE, 0, 0);
            TellActiveDocumentToTakeFocus();
            return true;
        case IDM_ARRANGE_ICONS:
            SendMessageA(g_app.clientWindow, WM_MDIICONARRANGE, 0, 0);
            return true;
        case IDM_ACTION_BAR:
        case IDM_LARGE_ACTION_BAR:
        case IDM_TOOLTIPS:
            OnActionBarSwitch(command);
            return false;
        case IDM_CONTENTS:
            ShowHelp(IDS_HELP_FILE, HELP_FINDER, HELP_OVERVIEW);
            return false;
        case IDM_HELP_ON_HELP:
            ShowHelp(IDS_HELP_FILE, HELP_HELPONHELP, 0);
            return false;
        case IDM_SCRIPT_REFERENCE:
            ShowHelp(IDS_SCRIPT_HELP_FILE, HELP_FINDER, 3);
            return false;
        case IDM_SCRIPT_TOPIC:
            ShowHelp(IDS_SCRIPT_HELP_FILE, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""));
            return false;
        case IDM_ABOUT:
            UtilAboutBox(frame, ResourceInstance());
            return true;
        case IDM_HELP:
            ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_OVERVIEW);
            return false;
        default:
            SendToActiveDocument(WM_COMMAND, wParam, lParam);
            return false;
    }
}

void OnInitMenuPopup(HMENU menu, LPARAM lParam)
{
    const LPARAM position = ActiveDocumentMaximized() ? lParam - 1 : lParam;
    if (SendToActiveDocument(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), position) != 0) return;
    if (position == 0) {
        BuildRecentFileMenu(menu);
    } else if (position == 4) {
        const bool shown = g_app.actionBarShown != 0;
        const bool tips = g_app.actionBarBlock && g_app.actionBarBlock->tooltips;
        CheckFrameItem(IDM_ACTION_BAR, shown);
        CheckFrameItem(IDM_LARGE_ACTION_BAR, g_app.largeButtons != 0);
        CheckFrameItem(IDM_TOOLTIPS, tips);
        GrayFrameItem(GetMenu(g_app.frameWindow), IDM_LARGE_ACTION_BAR, !shown);
        GrayFrameItem(GetMenu(g_app.frameWindow), IDM_TOOLTIPS, !shown);
    }
}

void OnDropFiles(HWND frame, HDROP drop)
{
    if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
    const UINT count = DroppedFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = count; i-- > 0;) {
        char name[MAX_PATH];
        if (DroppedFile(drop, i, name, sizeof name) == 0) continue;
        CharUpperA(name);
        if (!RoomForDocument()) break;
        OpenDocument(name);
    }
    FinishDrop(drop);
}

void OnSyncMenu()
{
    if (SendToActiveDocument(UM_SYNCMENU, 0, 0) != 0) return;
    SetFrameMenu(g_app.shortMenu, GetSubMenu(g_app.shortMenu, 0));
    if (g_app.findDialog) PostMessageA(g_app.findDialog, WM_CLOSE, 0, 0);
}

void OnOpenFileFromOtherCopy(WPARAM atom, LPARAM line)
{
    char path[MAX_PATH];
    if (GlobalGetAtomNameA(static_cast<ATOM>(atom), path, sizeof path) == 0) return;
    HWND w = OpenDocument(path);
    if (!w) return;
    AddRecentFile(path);
    EditState* doc = line != 0 && w == ActiveDocument() ? DocumentOfWindow(w) : nullptr;
    if (!doc) return;
    GotoLine(doc, static_cast<int32_t>(line));
    FaultLineReached(w, static_cast<int>(line));  // the compiler's start on its first fault
}

void OnFontChange(HWND frame)
{
    if (g_app.screenFontHandle) DeleteObject(g_app.screenFontHandle);
    MakeScreenFont();
    InvalidateRect(frame, nullptr, TRUE);
    LOGFONTA description{};
    if (GetObjectA(g_app.screenFontHandle, sizeof description, &description) != sizeof description) return;
    for (HWND w = GetWindow(g_app.clientWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER)) continue;
        ScreenGrid* grid = RecordOfWindow(w);
        if (!grid) continue;
        HFONT copy = CreateFontIndirectA(&description);
        if (!copy) continue;  // the view keeps drawing in its old copy
        if (grid->font) DeleteObject(static_cast<HFONT>(grid->font));
        SetGridFont(grid, copy);
        ResizeGrid(grid);
        InvalidateRect(w, nullptr, TRUE);
    }
}

void OnWindowPosChanged(HWND frame)
{
    char title[64], shown[64];
    std::snprintf(title, sizeof title, "%s", LoadStr(IsIconic(frame) ? IDS_APP_CAPTION_ICONIC : IDS_APP_CAPTION));
    if (GetWindowTextA(frame, shown, sizeof shown) == 0 || std::strcmp(shown, title) != 0)
        SetWindowTextA(frame, title);
}

void ForwardToActiveBarItem()
{
    const ActionBarBlock* block = g_app.actionBarBlock;
    if (!block || block->activeItem == kActionBarNoItem || block->currentWindow >= kActionBarWindows) return;
    HWND holder = static_cast<HWND>(ULongToHandle(block->windows[block->currentWindow]));
    if (holder) SendMessageA(holder, kActionBarActivityMessage, 0, 0);
}

void OnDestroy(HWND frame)
{
    if (g_app.compilerWindow) PostMessageA(g_app.compilerWindow, WM_CLOSE, 0, 0);
    RemoveMessageHook();
    ReleaseFrameResources();
    AcceptDroppedFiles(frame, false);
    if (g_app.actionBarBlock) ActionBarShutdown(g_app.actionBarBlock);
    ShowHelp(IDS_HELP_FILE, HELP_QUIT, 0);
    ShowHelp(IDS_SCRIPT_HELP_FILE, HELP_QUIT, 0);
    PostQuitMessage(0);
}

}  // namespace

HWND ActiveDocument()
{
    if (!g_app.clientWindow) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, 0));
}

bool ActiveDocumentMaximized()
{
    if (!g_app.clientWindow) return false;
    BOOL maximized = FALSE;
    HWND active = reinterpret_cast<HWND>(
        SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active && maximized;
}

LRESULT SendToActiveDocument(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND active = ActiveDocument();
    if (!active || !IsWindow(active)) return 0;
    return SendMessageA(active, message, wParam, lParam);
}

void SetFrameMenu(HMENU menu, HMENU windowMenu)
{
    if (menu == g_app.currentMenu || !g_app.frameWindow) return;
    SendMessageA(g_app.clientWindow, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(windowMenu));
    // A frame that holds its painting draws the new menu bar with everything else at the release.
    if (!g_app.framePaintingHeld) DrawMenuBar(g_app.frameWindow);
    g_app.currentMenu = menu;
    if (!g_app.actionBarShown) return;
    MakeActionBar(menu == g_app.shortMenu ? IDL_BAR_SHORT : IDL_BAR_MAIN);
    RECT unused;
    if (g_app.actionBarBlock) ActionBarClientRect(g_app.frameWindow, g_app.actionBarBlock, 0, 0, &unused, 0);
}

bool QueryCloseDocuments()
{
    if (!g_app.clientWindow) return true;
    for (HWND w = GetWindow(g_app.clientWindow, GW_CHILD);; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!w || !IsWindow(w)) return true;
        if (GetWindow(w, GW_OWNER)) continue;
        if (SendMessageA(w, WM_QUERYENDSESSION, 0, 0) == 0) return false;
    }
}

void UpdateActionBarButtons()
{
    ActionBarBlock* block = g_app.actionBarBlock;
    if (!block || g_app.currentMenu == g_app.shortMenu) return;
    auto set = [block](int command, bool enabled) {
        ActionBarSetState(-1, enabled ? kActionBarEnabled : kActionBarGrayed, command, block);
    };
    if (HWND active = ActiveDocument()) {
        if (const EditState* doc = DocumentOfWindow(active)) {
            const bool selection = (doc->gridFlags & kGridHighlight) != 0;
            set(IDM_CUT, selection);
            set(IDM_COPY, selection);
            set(IDM_UNDO, doc->undoNext > 0);
            set(IDM_REDO, doc->undoNext < doc->undoCount);
        }
    }
    set(IDM_PASTE, IsClipboardFormatAvailable(CF_TEXT) != 0);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            // A frame whose creation failed has nothing of the running program to close down.
            if (g_app.frameWindow == window && g_app.clientWindow) OnDestroy(window);
            return 0;
        case WM_NCDESTROY:
            if (g_app.frameWindow == window) {
                g_app.frameWindow = g_app.clientWindow = g_app.statusLineWindow = nullptr;
                g_app.findDialog = g_app.compilerWindow = nullptr;
            }
            break;
        case WM_SIZE:
            LayoutFrame();
            return 0;
        case WM_CLOSE:
            if (QueryCloseDocuments()) {
                SettingsSave();
                DestroyWindow(window);
            }
            return 0;
        case WM_QUERYENDSESSION:
            return QueryCloseDocuments();
        case WM_SYSCOLORCHANGE:
            if (g_app.actionBarBlock) ActionBarColorsChanged(g_app.actionBarBlock);
            g_app.windowTextColor = GetSysColor(COLOR_WINDOWTEXT);
            g_app.windowColor = GetSysColor(COLOR_WINDOW);
            LoadSyntaxColours();
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_SETTINGCHANGE:
            // A high-contrast scheme switched on or off comes as a settings change.
            LoadSyntaxColours();
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_FONTCHANGE:
            OnFontChange(window);
            return 0;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(window);
            break;
        case WM_SYSKEYDOWN:
        case WM_SYSCOMMAND:
            ForwardToActiveBarItem();
            break;
        case WM_COMMAND:
            if (OnCommand(window, wParam, lParam)) return 0;
            break;
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
            return 0;
        case WM_MENUSELECT:
            if (HWND active = ActiveDocument())
                SendMessageA(active, WM_MENUSELECT, wParam, lParam);
            else
                MenuHelpStep(nullptr, wParam, lParam);
            return 0;
        case WM_DROPFILES:
            OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
            return 0;
        case UM_SYNCMENU:
            OnSyncMenu();
            return 0;
        case UM_OPENFILE:
            OnOpenFileFromOtherCopy(wParam, lParam);
            return 0;
        case UM_IGNORED:
            return 0;
    }
    return DefaultFrame(window, message, wParam, lParam);
}
