// The program's one global state block: the portable core's part (CoreState) and the
// Win32 part with the window and instance handles.
#pragma once

#include <windows.h>

#include "doc/core_state.h"

struct ActionBarBlock;

struct AppState {
    HINSTANCE instance = nullptr;
    HWND frameWindow = nullptr;   // owner of every message box
    HWND mdiClient = nullptr;
    ActionBarBlock* actionBarBlock = nullptr;
    char scratch[64] = {};        // LoadStr's shared buffer: 63 characters and the NUL
};

extern AppState g_app;
