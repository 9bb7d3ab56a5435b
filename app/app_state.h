// The program's one global state block: the portable core's part (CoreState) and the
// Win32 part with the window and instance handles.
#pragma once

#include <windows.h>

#include "doc/core_state.h"

struct ActionBarBlock;

struct AppState {
    HINSTANCE instance = nullptr;
    HWND frameWindow = nullptr;  // owner of every message box
    HWND mdiClient = nullptr;
    ActionBarBlock* actionBarBlock = nullptr;
    // Shared by every grid view: the screen font and the two system colours it is drawn in.
    HFONT screenFontHandle = nullptr;
    COLORREF windowTextColor = 0;
    COLORREF windowColor = 0;
    // The status line and its metrics; statusLineHeight stays 0 until the metrics exist.
    HWND statusLineWindow = nullptr;
    int borderUnit = 0;
    HFONT statusFont = nullptr;
    int statusLineHeight = 0;
    int messagePaneWidth = 0;
    int indicatorPaneWidth = 0;
    char statusText[255] = {};  // the message pane's text: at most 254 characters
    char scratch[64] = {};      // LoadStr's shared buffer: 63 characters and the NUL
    // When set, ShowMessage hands the composed box to it instead of MessageBoxA and answers
    // what it answers: how tests reply to message boxes without a user.
    int (*messageBoxHook)(HWND owner, const char* text, const char* caption, UINT style) = nullptr;
};

extern AppState g_app;
