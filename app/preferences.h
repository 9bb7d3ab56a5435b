// The Preferences dialog (command 509): start-up, action-bar, editing and tab settings and the
// screen font, applied to the running program and every open document when confirmed.
#pragma once

#include <windows.h>

// Run modally, owned by the active document window; the dialog state lives in g_app.
INT_PTR CALLBACK PreferencesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
