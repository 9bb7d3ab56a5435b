// Messages and strings from the string table: every user-visible text goes through these.
#pragma once

#include <windows.h>

// Shows string stringId followed by at most 80 characters of appended (null for none) in a
// message box owned by owner, captioned "Corvanet Editor". Kinds: 0 exclamation and OK,
// 1 Yes/No, 2 Yes/No/Cancel (question icon), any other stop icon and OK. Answers the button
// pressed (IDOK, IDYES, IDNO, IDCANCEL).
int ShowMessage(HWND owner, int kind, int stringId, const char* appended);
// The same box for a text already composed, shown as it is.
int ShowText(HWND owner, int kind, const char* text);

// The message-box style of a kind.
UINT MessageStyle(int kind);

// Loads string id into the shared 63-character scratch buffer of g_app and answers it; empty
// when the entry does not exist. The next call overwrites it: callers copy what they keep.
const char* LoadStr(int id);

// The module whose string table and resources the program uses.
HINSTANCE ResourceInstance();
