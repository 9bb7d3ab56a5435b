// The frame window: its class, its MDI client, and the commands it carries out itself or
// passes to the active document window.
#include "app/frame.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/doc_window.h"
#include "app/message_box.h"
#include "resources/ids.h"

namespace {

LRESULT OnCreate(HWND frame)
{
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr;  // the window list comes with the Window menu
    client.idFirstChild = IDM_FIRST_CHILD;
    HWND mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                     0, 0, frame, nullptr, ResourceInstance(), &client);
    if (!mdiClient) return -1;
    g_app.frameWindow = frame;
    g_app.mdiClient = mdiClient;
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
    if (!g_app.mdiClient) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app.mdiClient, WM_MDIGETACTIVE, 0, 0));
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
    return RegisterDocumentClass(instance);
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
        case WM_DESTROY:
            g_app.mdiClient = nullptr;
            g_app.frameWindow = nullptr;
            PostQuitMessage(0);
            return 0;
    }
    return DefFrameProcA(window, g_app.mdiClient, message, wParam, lParam);
}
