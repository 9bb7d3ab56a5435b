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
// Control bytes: below 32 but Tab and LF, and 127. Typing them edits nothing (see
// KeyOfTypedCode); they still load, save and paste as they are.
inline bool IsControlByte(uint8_t c)
{
    return (c < 32 && c != kKeyTab && c != kKeyLineEnd) || c == 127;
}
// The TypeKey key of a typed character code: Backspace, Tab, Enter (13, and the LF of
// Ctrl+Enter) and the bytes that are no control bytes as themselves; kKeyNone for the rest,
// so a Ctrl+letter without a command types nothing.
inline int KeyOfTypedCode(uint8_t code)
{
    return code == kKeyBackspace || code == kKeyEnter || !IsControlByte(code) ? code : kKeyNone;
}
void AutoIndent(EditState* doc);
// False when the match could not be deleted (see DeleteSelection): nothing was replaced.
bool ReplaceAtCaret(EditState* doc);
