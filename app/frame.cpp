// The frame window: its class, its MDI client, and the commands it carries out itself or
// passes to the active document window.
#include "app/frame.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/doc_window.h"
#include "app/message_box.h"
#include "display/screen.h"
#include "display/status_line.h"
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

void TakeSystemColors()
{
    g_app.windowTextColor = GetSysColor(COLOR_WINDOWTEXT);
    g_app.windowColor = GetSysColor(COLOR_WINDOW);
}

// The status line along the bottom, the MDI client in what is left above it.
void LayOut(HWND frame)
{
    RECT area;
    if (!GetClientRect(frame, &area)) return;
    const int height = LayoutStatusLine(area);
    if (g_app.clientWindow) MoveWindow(g_app.clientWindow, area.left, area.top, area.right, height, TRUE);
}

LRESULT OnCreate(HWND frame)
{
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr;  // the window list comes with the Window menu
    client.idFirstChild = IDM_FIRST_CHILD;
    HWND clientWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                     0, 0, frame, nullptr, ResourceInstance(), &client);
    if (!clientWindow) return -1;
    g_app.frameWindow = frame;
    g_app.clientWindow = clientWindow;
    TakeSystemColors();
    if (!g_app.screenFontHandle) g_app.screenFontHandle = MakeScreenFont();
    // Without its metrics the status line stays away and the documents take the whole area.
    if (CreateStatusMetrics()) CreateStatusLine(frame);
    return 0;
}

// Commands of the frame itself answer true; the rest belong to the active document.
bool OnCommand(HWND frame, WORD command)
{
    switch (command) {
        case IDM_EXIT:
            PostMessageA(frame, WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
    }
}

}  // namespace

HWND ActiveDocument()
{
    if (!g_app.clientWindow) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, 0));
}

bool RegisterWindowClasses(HINSTANCE instance)
{
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_FRAME_CLASS));
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) return false;
    return RegisterScreenClass(instance) && RegisterStatusLineClass(instance) &&
           RegisterDocumentClass(instance);
}

HWND CreateFrameWindow(HMENU menu)
{
    char className[64];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_FRAME_CLASS));
    char title[64];
    std::snprintf(title, sizeof title, "%s", LoadStr(IDS_APP_CAPTION));
    HWND frame = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu,
                                 ResourceInstance(), nullptr);
    return frame;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_COMMAND:
            if (OnCommand(window, LOWORD(wParam))) return 0;
            // The window list's entries are the MDI client's own business.
            if (LOWORD(wParam) >= IDM_FIRST_CHILD) break;
            if (HWND doc = ActiveDocument()) {
                SendMessageA(doc, WM_COMMAND, wParam, lParam);
                return 0;
            }
            break;
        case WM_SIZE:
            LayOut(window);
            return 0;
        case WM_SYSCOLORCHANGE:
            TakeSystemColors();
            break;
        case WM_DESTROY:
            g_app.statusLineWindow = nullptr;
            g_app.clientWindow = nullptr;
            g_app.frameWindow = nullptr;
            PostQuitMessage(0);
            return 0;
    }
    return DefFrameProcA(window, g_app.clientWindow, message, wParam, lParam);
}
