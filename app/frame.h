// The frame window (class "ZAVODO:Main"): its creation and layout, its menus, the commands it
// carries out itself, and the routing of every other command to the active document window.
#pragma once

#include <windows.h>

// Registers the classes, loads the settings, makes the frame with its MDI client, status line
// and action bar at the stored placement, installs the message hook, loads the menus and the
// accelerators and makes the screen font. The action-bar library must be initialised first.
// False when any of it fails.
bool CreateFrameWindow(int show);
// The window classes of the frame, the status line, the grid view and the document window;
// classes already registered by this process count as registered.
bool RegisterWindowClasses(HINSTANCE instance);
// The action bar at the top, the status line at the bottom, the MDI client between them.
void LayoutFrame();
// The shared screen font from the settings, or the stock fixed font (whose description then
// replaces the three font settings).
void MakeScreenFont();
// Menus, printer blocks and fonts that the frame's destruction leaves behind.
void ReleaseFrameResources();
// Opening documents into the shown frame retitles it, rebuilds its menu bar and changes the
// scroll bars many times over, and each change repaints the frame's border at once. While
// held, a shown frame paints nothing; the release paints it and its children once. Every
// message box releases first, so that none stands over an unpainted frame.
void HoldFramePainting();
void ReleaseFramePainting();

HWND ActiveDocument();
bool ActiveDocumentMaximized();
// 0 when no document window is active; else its answer.
LRESULT SendToActiveDocument(UINT message, WPARAM wParam, LPARAM lParam);
// Attaches menu with its window-list submenu, and rebuilds the action bar for it.
void SetFrameMenu(HMENU menu, HMENU windowMenu);
// Asks every document window in window order; false as soon as one refuses to close.
bool QueryCloseDocuments();
// The idle step: the Cut, Copy, Undo, Redo and Paste buttons follow the active document.
void UpdateActionBarButtons();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK MDIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// The screen's vertical pixels per inch (96 when the screen does not say).
int ScreenPixelsPerInch();

// Most document windows open at one time.
constexpr int kMaxDocuments = 67;
