// Block matching in a document window: Ctrl+] and Shift+Ctrl+], and the box around the
// partner of the block keyword or bracket the caret stands on.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// The timer that looks for the partner once the caret has rested.
constexpr UINT_PTR kBlockMarkTimer = 0x5A57;

// Commands 526 and 527: the caret to the partner, or the selection up to it; a beep when
// there is none.
void MatchBlockCommand(EditState* doc, bool select);

// Input that may have moved the caret, scrolled or edited: the partner is looked for again
// when it rests.
void BlockMarkInput(HWND window, EditState* doc);
// The timer's tick: the partner on the visible rows, the old box and the new one repainted.
void BlockMarkTimer(HWND window, EditState* doc);
// Draws the box over cells just painted, before the highlight's inversion goes over them.
void DrawBlockMark(HWND window, HDC dc, const RECT& area);
