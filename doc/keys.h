// The caret keys of a document: the arrows, Home, End, Page Up and Page Down, plain or with Shift
// (the highlight follows the caret) and Ctrl (words, the text's ends).
#pragma once

#include "doc/edit_state.h"

enum class CaretKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown };

// Before any movement key: with Shift a selection starts at the caret, or the highlighted one
// goes on from the end the caret is drawn at.
void StartKeyMove(EditState* doc, bool shift);
// Moves the caret as the key does and brings it into view; StartKeyMove has been called.
void MoveCaretByKey(EditState* doc, CaretKey key, bool shift, bool control);
// Select All: Ctrl+Home then Shift+Ctrl+End, so the whole text is highlighted with the caret at
// its end and the anchor on its first byte, above the view when the text is taller.
void SelectAll(EditState* doc);
