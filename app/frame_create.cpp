// Making the frame: window classes, the settings and the running state taken from them, the
// placement from "Start Size", the frame's children, menus, accelerators and the screen font;
// the layout of the children; and what the frame's destruction leaves to release.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/message_box.h"
#include "display/screen.h"
#include "display/status_line.h"
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

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The font mapper always answers some font; a face that the system does not have counts as
// no font at all, so that the settings then name what is really shown.
bool FaceInstalled(const char* face, BYTE charset)
{
    HDC screen = GetDC(nullptr);
    if (!screen) return true;
    LOGFONTA wanted{};
    wanted.lfCharSet = charset;
    std::snprintf(wanted.lfFaceName, sizeof wanted.lfFaceName, "%s", face);
    bool found = false;
    EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The stock fixed font stands in; its description becomes the three font settings.
void TakeStockFont()
{
    g_app.screenFontHandle = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    LOGFONTA stock{};
    if (!g_app.screenFontHandle || GetObjectA(g_app.screenFontHandle, sizeof stock, &stock) != sizeof stock) return;
    Settings& s = g_core.settings;
    std::snprintf(s.screenFont, sizeof s.screenFont, "%s", stock.lfFaceName);
    s.screenFontSize = MulDiv(std::abs(stock.lfHeight), 72, ScreenPixelsPerInch());
    s.screenCharset = stock.lfCharSet;
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
    if (s.screenFont[0] != '\0' && s.screenFontSize != 0 && FaceInstalled(s.screenFont, s.screenCharset)) {
        g_app.screenFontHandle = CreateFontA(-MulDiv(s.screenFontSize, ScreenPixelsPerInch(), 72), 0, 0, 0, 0,
                                             FALSE, FALSE, FALSE, s.screenCharset, OUT_DEFAULT_PRECIS,
                                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, s.screenFont);
    }
    if (!g_app.screenFontHandle) TakeStockFont();
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
