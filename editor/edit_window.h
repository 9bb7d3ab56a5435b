// The document window (class "ZAVODO_Edit"): a screen grid view with the editor on top. It
// handles its own messages (the document's life, keys, caret, mouse, scroll bars, the
// clipboard, Undo, Redo, Save) and passes everything else, and the grid's share of size,
// mouse and set-up, to ScreenWndProc.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// Registers the class and tells the status line how to find a window's document.
bool RegisterDocumentClass(HINSTANCE instance);
// The document of a document window; null for any other window.
EditState* DocumentOfWindow(HWND window);

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
