// The frame window (class "ZAVODO:Main"): the MDI client that holds the document windows,
// and the routing of commands to the active document.
#pragma once

#include <windows.h>

// Registers the frame's and the document window's classes.
bool RegisterWindowClasses(HINSTANCE instance);
// Creates the frame with its menu and MDI client; sets g_app.frameWindow and g_app.clientWindow.
// Answers the frame, or null.
HWND CreateFrameWindow(HMENU menu);
// The active document window, or null when none.
HWND ActiveDocument();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
