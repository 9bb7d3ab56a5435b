// Making the frame: window classes, the settings and the running state taken from them, the
// placement from "Start Size", the frame's children, menus, accelerators and the screen font;
// the layout of the children; and what the frame's destruction leaves to release.
#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/message_box.h"
#include "display/screen.h"
#include "display/status_line.h"
#include "display/syntax_paint.h"
#include "libs/dez/dez32.h"
#include "print/print.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

// A class that this process registered before (a second frame in a test) is as good as new.
bool Registered(bool ok) { return ok || GetLastError() == ERROR_CLASS_ALREADY_EXISTS; }

bool RegisterFrameClass(HINSTANCE instance)
{
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_FRAME_CLASS));
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, IDI_EDITOR);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = IDR_SHORT_MENU;
    wc.lpszClassName = className;
    return Registered(RegisterClassA(&wc) != 0);
}

// The wanted face's name against an enumerated one: ordinal, case ignored, as the font mapper
// takes names.
bool SameFaceName(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        const unsigned char fx = (x >= 'a' && x <= 'z') ? static_cast<unsigned char>(x - 32) : x;
        const unsigned char fy = (y >= 'a' && y <= 'z') ? static_cast<unsigned char>(y - 32) : y;
        if (fx != fy) return false;
        if (x == 0) return true;
    }
}

struct FaceSearch {
    const char* face;
    bool found;
};

int CALLBACK NoteFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM search)
{
    auto* s = reinterpret_cast<FaceSearch*>(search);
    const auto* full = reinterpret_cast<const ENUMLOGFONTEXA*>(font);
    if (SameFaceName(font->lfFaceName, s->face) ||
        SameFaceName(reinterpret_cast<const char*>(full->elfFullName), s->face))
        s->found = true;
    return s->found ? 0 : 1;
}

// A face name the system maps onto an installed face ("Helv", "MS Shell Dlg"): listed as a
// substitute, alone or with a character set ("Name,0").
bool FaceSubstituted(const char* face)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool found = false;
    char name[LF_FACESIZE + 8];
    for (DWORD i = 0; !found; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (char* comma = std::strchr(name, ',')) *comma = '\0';
        found = SameFaceName(name, face);
    }
    RegCloseKey(key);
    return found;
}

// The font mapper always answers some font; a face that the system has under no name and in no
// character set counts as no font at all. A face installed only for other character sets, or
// reached through a substitute name, is the user's choice and is kept.
bool FaceInstalled(const char* face)
{
    HDC screen = GetDC(nullptr);
    if (!screen) return true;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::snprintf(wanted.lfFaceName, sizeof wanted.lfFaceName, "%s", face);
    FaceSearch search{face, false};
    EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&search), 0);
    ReleaseDC(nullptr, screen);
    return search.found || FaceSubstituted(face);
}

LONG Smaller(LONG a, LONG b) { return a < b ? a : b; }

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance)
{
    return RegisterFrameClass(instance) && Registered(RegisterStatusLineClass(instance)) &&
           Registered(RegisterScreenClass(instance)) && Registered(RegisterDocumentClass(instance));
}

void MakeScreenFont()
{
    g_app.screenFontHandle = nullptr;
    const Settings& s = g_core.settings;
    if (s.screenFont[0] != '\0' && s.screenFontSize != 0 && FaceInstalled(s.screenFont)) {
        g_app.screenFontHandle = CreateFontA(-MulDiv(s.screenFontSize, ScreenPixelsPerInch(), 72), 0, 0, 0, 0,
                                             FALSE, FALSE, FALSE, s.screenCharset, OUT_DEFAULT_PRECIS,
                                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, s.screenFont);
    }
    // The stock fixed font stands in for this run; the settings keep naming the user's font, so
    // that it comes back once it is installed again.
    if (!g_app.screenFontHandle) g_app.screenFontHandle = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

void ReleaseFrameResources()
{
    // The attached menu goes with the frame window; the other one is ours to destroy.
    HMENU attached = g_app.frameWindow ? GetMenu(g_app.frameWindow) : nullptr;
    if (g_app.mainMenu && g_app.mainMenu != attached) DestroyMenu(g_app.mainMenu);
    if (g_app.shortMenu && g_app.shortMenu != attached) DestroyMenu(g_app.shortMenu);
    g_app.mainMenu = g_app.shortMenu = g_app.currentMenu = nullptr;
    if (g_app.screenFontHandle) DeleteObject(g_app.screenFontHandle);  // a stock font ignores it
    g_app.screenFontHandle = nullptr;
    if (g_app.statusFont) DeleteObject(g_app.statusFont);
    g_app.statusFont = nullptr;
    ForgetPrinter();
}

void HoldFramePainting()
{
    HWND frame = g_app.frameWindow;
    // Turning redrawing back on shows a window: a hidden frame is left alone.
    if (!frame || g_app.framePaintingHeld || !IsWindowVisible(frame)) return;
    SendMessageA(frame, WM_SETREDRAW, FALSE, 0);
    g_app.framePaintingHeld = 1;
}

void ReleaseFramePainting()
{
    if (!g_app.framePaintingHeld) return;
    g_app.framePaintingHeld = 0;
    HWND frame = g_app.frameWindow;
    if (!frame || !IsWindow(frame)) return;
    SendMessageA(frame, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(frame, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LayoutFrame()
{
    HWND frame = g_app.frameWindow;
    if (!frame) return;
    SetFocus(frame);  // the frame's default processing hands it on to the active document
    if (IsIconic(frame)) return;
    RECT r;
    if (!g_app.actionBarBlock || !ActionBarClientRect(frame, g_app.actionBarBlock, 0, 0, &r, 0)) {
        if (!GetClientRect(frame, &r)) return;
    }
    const int height = g_app.statusLineHeight;
    if (g_app.statusLineWindow) MoveWindow(g_app.statusLineWindow, r.left, r.bottom - height, r.right, height, TRUE);
    if (g_app.clientWindow)
        MoveWindow(g_app.clientWindow, r.left, r.top, r.right - r.left, r.bottom - height - r.top, TRUE);
}

bool CreateFrameWindow(int show)
{
    HINSTANCE instance = ResourceInstance();
    if (!RegisterWindowClasses(instance)) return false;
    if (!CreateStatusMetrics()) return false;
    SettingsLoad();

    const Settings& s = g_core.settings;
    g_core.insertMode = s.insertMode;
    g_app.actionBarShown = s.actionBar;
    g_app.largeButtons = s.largeIcons;
    g_app.oemTranslate = s.oemKeys;
    if (g_app.actionBarBlock) g_app.actionBarBlock->tooltips = static_cast<uint8_t>(s.iconLabel != 0);

    RECT r;
    const bool stored = ReadStartSize(&r);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const bool plainShow = show != SW_HIDE && show != SW_SHOWMAXIMIZED && show != SW_MINIMIZE &&
                           show != SW_SHOWMINNOACTIVE;
    if (plainShow && r.right >= screenWidth && r.bottom >= screenHeight) show = SW_SHOWMAXIMIZED;

    char className[64], title[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_FRAME_CLASS));
    std::snprintf(title, sizeof title, "%s", LoadStr(IDS_APP_CAPTION));
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (stored && show != SW_HIDE && show != SW_SHOWMAXIMIZED) {
        x = r.left;
        y = r.top;
        height = Smaller(r.bottom - r.top, screenHeight - r.top);
        width = Smaller(r.right - r.left, screenWidth + 2 * GetSystemMetrics(SM_CXFRAME) - r.left);
    }
    HWND frame = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height,
                                 nullptr, nullptr, instance, nullptr);
    if (!frame) return false;

    InstallMessageHook();  // without it F1 in dialogs and menus does nothing: no reason to stop
    ShowWindow(frame, show);
    g_app.shortMenu = g_app.currentMenu = GetMenu(frame);
    g_app.mainMenu = LoadMenuA(instance, IDR_MAIN_MENU);
    g_app.accelerators = LoadAcceleratorsA(instance, IDR_ACCELERATORS);
    g_app.windowTextColor = GetSysColor(COLOR_WINDOWTEXT);
    g_app.windowColor = GetSysColor(COLOR_WINDOW);
    LoadSyntaxColours();
    if (g_core.settings.screenFontSize < 7 || g_core.settings.screenFontSize > 34) g_core.settings.screenFontSize = 10;
    MakeScreenFont();
    return true;
}

int ScreenPixelsPerInch()
{
    int pixelsPerInch = 96;
    if (HDC screen = GetDC(nullptr)) {
        pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return pixelsPerInch > 0 ? pixelsPerInch : 96;
}
