// The status line (class "ZAVODO:StatusLine"): a message pane and the Caps Lock, Num Lock and
// insert-mode indicators along the frame's bottom edge. StatusLineWndProc repaints it whole;
// between repaints the editor redraws single panes with the Show* operations.
#pragma once

#include <windows.h>

#include <cstdint>

#include "doc/edit_state.h"

bool RegisterStatusLineClass(HINSTANCE instance);
// Computes the metrics and the status font into g_app (once, when the frame is created).
bool CreateStatusMetrics();
// The status line as a child of frame, placed later by LayoutStatusLine.
HWND CreateStatusLine(HWND frame);
// Puts the status line along the bottom of area and answers the height left above it.
int LayoutStatusLine(const RECT& area);

void PaintStatusLine();
void ShowCapsLock();
void ShowNumLock();
void ShowInsertMode();
// The status line reaches documents only through lookup (the document a window shows, or
// null): the editor sets it when it registers its window class.
void SetStatusDocumentLookup(EditState* (*lookup)(HWND window));
// A string-table text (id != 0), the position of a document (id 0), or nothing.
void ShowDocumentStatus(const EditState* doc, int stringId);
// The same for the document of a window, found through the lookup.
void ShowStatusMessage(HWND window, int stringId);
// Sets the message pane to a given text (at most 254 characters) and draws it.
void ShowStatusText(const char* text);
// The same, kept over the caret's position (a document activated or focused, the status
// line drawn again) until ReleaseStatusHold: the document window releases it on the next key
// or click. Another text replaces it at once.
void ShowStatusHeld(const char* text);
void ReleaseStatusHold();
// The message pane shows line and column in the position format.
void ShowStatusPosition(int32_t line, int32_t column);
// Draws first followed by second in the message pane, leaving statusText as it is.
void ShowStatusPair(const char* first, const char* second);

void DrawFrame3D(HDC dc, const RECT& rect, bool fill, bool sunken, int depth);
void DrawStatusBand(HDC dc, const RECT& rect);

LRESULT CALLBACK StatusLineWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
