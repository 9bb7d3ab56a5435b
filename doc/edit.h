// The operations that change a document's text: characters and strings at the caret, the
// selection, the typing operation with its keys, automatic indentation and the replace steps.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

// Key codes of TypeKey besides the bytes it inserts.
constexpr int kKeyNone = 0;
constexpr int kKeyDelete = 1;
constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyLineEnd = 10;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

// Asks whether to go on without undo information (message 315); Yes clears the log.
bool ProceedWithoutUndo(EditState* doc);
bool InsertChar(EditState* doc, uint8_t c);
int DeleteChar(EditState* doc);
bool InsertString(EditState* doc, const char* s);
// The bytes from the anchor to the caret; false, with nothing changed, when the user would
// rather keep them than lose the undo log (no memory for their copy).
bool DeleteSelection(EditState* doc);
void TypeKey(EditState* doc, int key);
void AutoIndent(EditState* doc);
// False when the match could not be deleted (see DeleteSelection): nothing was replaced.
bool ReplaceAtCaret(EditState* doc);
