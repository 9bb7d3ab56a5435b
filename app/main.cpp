// ZAVODO.EXE: start-up, the documents named on the command line, and the message loop.
#include <windows.h>

#include <cstdlib>

#include "app/app_state.h"
#include "app/doc_window.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

// Every argument names a file; the "/G" and "/N" switches come with the full command line.
void OpenStartDocuments()
{
    int opened = 0;
    for (int i = 1; i < __argc; ++i) {
        if (__argv[i][0] == '/') continue;
        if (OpenDocumentWindow(__argv[i])) ++opened;
    }
    if (opened == 0 && __argc <= 1 && g_core.settings.newFile) OpenDocumentWindow(nullptr);
}

int RunMessageLoop(HACCEL accelerators)
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        if (g_app.clientWindow && TranslateMDISysAccel(g_app.clientWindow, &msg)) continue;
        if (accelerators && TranslateAcceleratorA(g_app.frameWindow, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    g_app.instance = instance;
    g_core.screen = &g_win32Screen;
    SettingsLoad();

    if (!RegisterWindowClasses(instance)) return 1;
    HMENU menu = LoadMenuA(instance, IDR_MAIN_MENU);
    HACCEL accelerators = LoadAcceleratorsA(instance, IDR_ACCELERATORS);
    HWND frame = CreateFrameWindow(menu);
    if (!frame) {
        if (menu) DestroyMenu(menu);
        return 1;
    }
    ShowWindow(frame, show);
    UpdateWindow(frame);
    OpenStartDocuments();
    return RunMessageLoop(accelerators);
}
