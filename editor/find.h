// The find commands of a document window and their dialogs: Find and Replace (modeless, one
// at a time, owned by the frame) and Goto Line (modal). The search itself is editor/search.h.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// Carries out command 531 Find, 532 Repeat Last Find, 533 Replace, 534 Goto Line, 535 Find
// Next (answer a FindResult: 0 not found, 1 found, 2 found after going round the text's end),
// 536 Find Previous (Repeat Last Find the other way), 537 Replace One (1 when the caret stood on
// a match and it was replaced) and 538 Replace All (answer the count) for the document of
// window; the others answer 0. False, with *answer untouched, for every other command.
bool FindCommand(HWND window, EditState* doc, int command, LRESULT* answer);

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK GotoLineDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
