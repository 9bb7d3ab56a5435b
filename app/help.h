// Help, the menu-help step, the message-filter hook, tool launching and the About box.
#pragma once

#include <windows.h>

// Help for a context of one of the two help files (fileId IDS_HELP_FILE or
// IDS_SCRIPT_HELP_FILE), with WinHelp's command and data. HELP_CONTEXT outside
// 10400..10596 shows nothing.
void ShowHelp(int fileId, UINT command, ULONG_PTR data);

// Tracks the highlighted menu entry of a WM_MENUSELECT (its wParam and lParam): menuHelpId,
// helpContext and the status line's text. document is the active document window or null.
void MenuHelpStep(HWND document, WPARAM wParam, LPARAM lParam);

// The message-filter hook of the user-interface thread: F1 in dialogs and menus becomes
// command 900. Install answers false when the hook cannot be set.
bool InstallMessageHook();
void RemoveMessageHook();
LRESULT CALLBACK MsgFilterHookFunc(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Starts "program arguments" with WinExec; message 311 and 0 when it cannot be started, else
// WinExec's answer.
UINT LaunchTool(const char* program, const char* arguments, int show);

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
