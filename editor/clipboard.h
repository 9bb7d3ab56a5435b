// The document's text on the clipboard: the selection out as CF_TEXT, CF_TEXT in at the caret.
#pragma once

#include "doc/edit_state.h"

// The bytes between anchorOffset and caretOffset, each LF as CR LF; false when the clipboard
// could not be had or the copy not made (the clipboard then keeps what it had or is empty).
bool CopySelectionToClipboard(EditState* doc);
// Inserts the clipboard's CF_TEXT at the caret without its CRs and redraws the view; false
// when there is no text or it could not be inserted.
bool PasteFromClipboard(EditState* doc);
// Whether the clipboard could be opened for owner and offers CF_TEXT: Paste has something to do.
bool ClipboardOffersText(WindowHandle owner);
