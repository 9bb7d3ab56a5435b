// Help: WinHelp when its file is installed beside the program, else the HTML pages of the
// "help" folder beside it in the user's browser. Also the menu-help step of WM_MENUSELECT, the
// message-filter hook that turns F1 in dialogs and menus into command 900, tool launching and
// the About box's dialog procedure.
#include "app/help.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/late_libraries.h"
#include "app/message_box.h"
#include "app/path_join.h"
#include "display/status_line.h"
#include "libs/vuzuze/vuzuze32.h"
#include "resources/ids.h"

namespace {

constexpr ULONG_PTR kFirstContext = HELP_OVERVIEW;
constexpr ULONG_PTR kLastContext = 10596;
constexpr int kWindowListFirst = IDM_FIRST_CHILD + 1;
constexpr int kWindowListLast = 590;
constexpr int kDropDownCount = 6;
constexpr size_t kToolLineSize = 1024;
// Never a request of a hook chain: the answer is 0 without passing it on.
constexpr int kPrivateFilterCode = 0x8001;

constexpr char kHelpFolder[] = "help";
constexpr char kPageSuffix[] = ".html";
constexpr char kScriptPage[] = "kestrel";
constexpr char kHelpOnHelpPage[] = "helponhelp";
constexpr char kKeywordIndex[] = "index";
// Each keyword has a small page that forwards to its entry of the script page: the shell and
// winebrowser both drop or garble the "#entry" of a file URL, a page of its own survives.
constexpr char kKeywordPagePrefix[] = "kestrel-";
constexpr size_t kKeywordLimit = 32;

// The pages that answer one request: the topic, and what to show when the topic's page is not
// installed (empty: nothing).
struct HelpPages {
    char page[64] = {};
    char fallback[64] = {};
};

void SetPage(char (&out)[64], const char* stem)
{
    std::snprintf(out, sizeof out, "%s%s", stem, kPageSuffix);
}

void SetContextPage(char (&out)[64], ULONG_PTR context)
{
    std::snprintf(out, sizeof out, "%lu%s", static_cast<unsigned long>(context), kPageSuffix);
}

// The keyword's page when it is a plain word (letters, digits, underscores), else the index.
void SetKeywordPage(char (&out)[64], const char* keyword)
{
    char word[kKeywordLimit + 1] = {};
    size_t n = 0;
    for (; keyword && keyword[n] != '\0'; ++n) {
        const unsigned char c = static_cast<unsigned char>(keyword[n]);
        if (n == kKeywordLimit || (!std::isalnum(c) && c != '_')) {
            n = 0;
            break;
        }
        word[n] = static_cast<char>(std::tolower(c));
    }
    word[n] = '\0';
    std::snprintf(out, sizeof out, "%s%s%s", kKeywordPagePrefix, n > 0 ? word : kKeywordIndex, kPageSuffix);
}

// Which pages stand for a WinHelp request; false when the request shows nothing.
bool PagesFor(int fileId, UINT command, ULONG_PTR data, HelpPages& pages)
{
    const bool scriptHelp = fileId == IDS_SCRIPT_HELP_FILE;
    switch (command) {
        case HELP_CONTEXT:
            SetContextPage(pages.page, data);
            if (scriptHelp)
                SetPage(pages.fallback, kScriptPage);
            else
                SetContextPage(pages.fallback, HELP_OVERVIEW);
            return true;
        case HELP_CONTENTS:
        case HELP_FINDER:
            if (scriptHelp)
                SetPage(pages.page, kScriptPage);
            else
                SetContextPage(pages.page, HELP_OVERVIEW);
            return true;
        case HELP_HELPONHELP:
            SetPage(pages.page, kHelpOnHelpPage);
            return true;
        case HELP_PARTIALKEY:
            SetKeywordPage(pages.page, reinterpret_cast<const char*>(data));
            SetKeywordPage(pages.fallback, "");
            return true;
        default:
            return false;
    }
}

bool IsFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opens a page by its path with the shell, through the class when one is given.
bool ShellOpen(const char* path, const char* fileClass)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    if (fileClass) info.fMask |= SEE_MASK_CLASSNAME;
    info.hwnd = g_app.frameWindow;
    info.lpVerb = "open";
    info.lpFile = path;
    info.lpClass = fileClass;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteRequest(&info) != FALSE;
}

// The user's browser for .html first; where the extension has no association (Wine prefixes
// without a browser engine) the class that browsers register for web pages.
bool OpenInBrowser(const char* path)
{
    return ShellOpen(path, nullptr) || ShellOpen(path, "htmlfile");
}

void ShowHtmlHelp(const char* directory, const HelpPages& pages)
{
    char folder[kPathLimit];
    std::snprintf(folder, sizeof folder, "%s", directory);
    JoinPath(folder, kHelpFolder, g_app.driveSeparator[0], g_app.pathSeparator[0]);
    char path[kPathLimit];
    std::snprintf(path, sizeof path, "%s", folder);
    JoinPath(path, pages.page, g_app.driveSeparator[0], g_app.pathSeparator[0]);
    if (!IsFile(path) && pages.fallback[0] != '\0') {
        char other[kPathLimit];
        std::snprintf(other, sizeof other, "%s", folder);
        JoinPath(other, pages.fallback, g_app.driveSeparator[0], g_app.pathSeparator[0]);
        if (IsFile(other)) std::memcpy(path, other, sizeof path);
    }
    if (!IsFile(path) || !OpenInBrowser(path)) ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_OPEN, path);
}

// The help id of a highlighted drop-down of the frame's menu; current when it is none of them.
int DropDownHelpId(HMENU dropDown, int current)
{
    if (!dropDown || !g_app.currentMenu) return current;
    // A maximised document puts its system menu in front of the frame's drop-downs.
    BOOL maximized = FALSE;
    if (g_app.clientWindow)
        SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    const int base = maximized ? 1 : 0;
    for (int k = 0; k < kDropDownCount; ++k) {
        if (GetSubMenu(g_app.currentMenu, base + k) != dropDown) continue;
        // The short menu's second drop-down is its Help menu.
        if (k == 1 && g_app.currentMenu == g_app.shortMenu) return IDS_MENU_HELP;
        return IDS_MENU_FILE + k;
    }
    return current;
}

}  // namespace

void ShowHelp(int fileId, UINT command, ULONG_PTR data)
{
    if (command == HELP_CONTEXT && (data < kFirstContext || data > kLastContext)) return;
    char name[MAX_PATH];
    if (LoadStringA(ResourceInstance(), static_cast<UINT>(fileId), name, sizeof name) <= 0) name[0] = '\0';
    char directory[kPathLimit] = {};
    UtilProgramDirectory(directory, sizeof directory);
    char path[kPathLimit];
    std::memcpy(path, directory, sizeof path);
    JoinPath(path, name, g_app.driveSeparator[0], g_app.pathSeparator[0]);
    if (IsFile(path)) {
        WinHelpA(g_app.frameWindow, path, command, data);
        return;
    }
    HelpPages pages;
    if (PagesFor(fileId, command, data, pages)) ShowHtmlHelp(directory, pages);
}

void MenuHelpStep(HWND document, WPARAM wParam, LPARAM lParam)
{
    const UINT item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    const HMENU clicked = reinterpret_cast<HMENU>(lParam);
    if (!clicked && flags == 0xFFFF) {
        ShowStatusMessage(document, 0);
        return;
    }
    int id = static_cast<int>(item);
    if ((flags & MF_SYSMENU) && (flags & MF_POPUP)) {
        id = IDS_MENU_SYSTEM;
    } else if (flags & MF_POPUP) {
        id = DropDownHelpId(GetSubMenu(clicked, static_cast<int>(item)), g_app.menuHelpId);
    }
    if (id == g_app.menuHelpId) return;
    // Every entry of the window list shares the first one's text.
    if (id >= kWindowListFirst && id <= kWindowListLast) id = IDM_FIRST_CHILD;
    g_app.menuHelpId = id;
    ShowStatusMessage(document, g_app.menuHelpId);
    g_app.helpContext = g_app.menuHelpId + HELP_COMMAND_BASE;
}

bool InstallMessageHook()
{
    g_app.filterHook =
        SetWindowsHookExA(WH_MSGFILTER, MsgFilterHookFunc, g_app.instance, GetCurrentThreadId());
    return g_app.filterHook != nullptr;
}

void RemoveMessageHook()
{
    if (g_app.filterHook) UnhookWindowsHookEx(g_app.filterHook);
    g_app.filterHook = nullptr;
}

LRESULT CALLBACK MsgFilterHookFunc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == kPrivateFilterCode) return 0;
    if (code < 0) return CallNextHookEx(g_app.filterHook, code, wParam, lParam);
    if (code != MSGF_DIALOGBOX && code != MSGF_MENU) return 0;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (!msg || msg->message != WM_KEYDOWN || msg->wParam != VK_F1) return 0;
    HWND target = msg->hwnd;
    if (code == MSGF_DIALOGBOX) {
        // F1 arrives at the focused control: the dialog is its parent.
        if (HWND parent = GetParent(msg->hwnd)) target = parent;
    }
    PostMessageA(target, WM_COMMAND, IDM_HELP, reinterpret_cast<LPARAM>(msg->hwnd));
    return 1;
}

UINT LaunchTool(const char* program, const char* arguments, int show)
{
    // Room for a compile's line (a path of 259 characters and 80 of options). A longer line is
    // refused, never cut: its arguments end with a file name that a cut would make another.
    char line[kToolLineSize];
    const int length =
        std::snprintf(line, sizeof line, "%s %s", program ? program : "", arguments ? arguments : "");
    const bool whole = length >= 0 && static_cast<size_t>(length) < sizeof line;
    const UINT result = whole ? WinExec(line, static_cast<UINT>(show)) : 0;
    if (result < 32) {
        ShowMessage(g_app.frameWindow, 0, IDS_ERROR_EXECUTING, program);
        return 0;
    }
    return result;
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDM_HELP:
                    ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_OVERVIEW);
                    return TRUE;
                default:
                    return TRUE;
            }
        default:
            return FALSE;
    }
}
