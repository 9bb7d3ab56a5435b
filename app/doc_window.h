// The document window (class "ZAVODO_Edit"): one EditState per window, the text painted from
// the top row down, Save on command 504.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

bool RegisterDocumentClass(HINSTANCE instance);
// Opens a document window in the MDI client for path, or an untitled one for null. Answers
// the window, or null when the document could not be created.
HWND OpenDocumentWindow(const char* path);
// The document of a document window; null for any other window.
EditState* DocumentOfWindow(HWND window);
// Paints the document's rows into dc over area (client coordinates).
void PaintDocument(const EditState* doc, HDC dc, const RECT& area);

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
