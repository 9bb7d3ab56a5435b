// The recent-file list on the File menu and the Open and Save As file dialogs. The list and
// the dialogs' remembered path and filter live in g_app; the rules are in recent_list.h and
// the list's load and save in the settings file (settings/recent_files_hook.h).
#pragma once

#include <windows.h>

#include "settings/recent_files_hook.h"

// Puts name in front of the list unless it is listed already (letter case ignored). Name is
// upper-cased in place: the caller's text is changed.
void AddRecentFile(char* name);

// Brings the list's entries on fileMenu up to date: a separator below Exit the first time,
// then one item per entry (commands IDM_RECENT_FIRST..IDM_RECENT_LAST). An empty list leaves
// the menu as it is.
void BuildRecentFileMenu(HMENU fileMenu);

// Opens the entry of command id (IDM_RECENT_FIRST..IDM_RECENT_LAST); the order stays.
void OpenRecentFile(int id);

// Shows the Open (open true) or Save As file dialog, captioned with string titleStringId,
// owned by owner. Answers the chosen path (g_app.fileDialogPath), or null when cancelled.
char* ChooseFileName(HWND owner, int titleStringId, bool open);

// The file dialogs' hook: places the dialog 200 pixels right of and below its owner's corner.
UINT_PTR CALLBACK FileHookDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// The hook of the other common dialogs: leaves every message to the dialog.
UINT_PTR CALLBACK MiscHookDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
