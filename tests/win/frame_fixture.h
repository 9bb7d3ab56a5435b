// The program's real frame in a test process: the action-bar library started, the frame made
// hidden (or shown as asked) by CreateFrameWindow, and taken down again with the quit message
// it posts.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "libs/dez/dez32.h"

inline HWND StartTestFrame(int width = 0, int height = 0, int show = SW_HIDE)
{
    g_app.instance = GetModuleHandleA(nullptr);
    g_core.screen = &g_win32Screen;
    if (!g_app.actionBarBlock && !ActionBarInit(&g_app.actionBarBlock, 0)) return nullptr;
    if (!CreateFrameWindow(show)) return nullptr;
    // No window manager runs under the test display: place and show the frame ourselves.
    if (width > 0) SetWindowPos(g_app.frameWindow, HWND_TOP, 0, 0, width, height, SWP_SHOWWINDOW);
    UpdateWindow(g_app.frameWindow);
    return g_app.frameWindow;
}

inline void StopTestFrame()
{
    if (g_app.frameWindow) DestroyWindow(g_app.frameWindow);
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
