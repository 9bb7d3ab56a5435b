// The document window (class "ZAVODO_Edit"): a screen grid view with the editor on top. It
// handles its own messages (the document's life, keys, caret, scroll bars, Save) and passes
// everything else, and the grid's share of size, mouse and set-up, to ScreenWndProc.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

bool RegisterDocumentClass(HINSTANCE instance);
// The document of a document window; null for any other window.
EditState* DocumentOfWindow(HWND window);

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
