// The document window (class "ZAVODO_Edit"): a screen grid view with the editor on top. It
// handles its own messages (the document's life, keys, caret, scroll bars, Save) and passes
// everything else, and the grid's share of size, mouse and set-up, to ScreenWndProc.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

bool RegisterDocumentClass(HINSTANCE instance);
// Opens a document window in the MDI client for path, or an untitled one for null. Answers
// the window, or null when the document could not be created.
HWND OpenDocumentWindow(const char* path);
// The document of a document window; null for any other window.
EditState* DocumentOfWindow(HWND window);

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
