// The document's text on the clipboard (CF_TEXT): out with CR LF line ends, in with the CRs
// left out, since the document keeps bare LFs; and the OEM conversion of typed characters.
#pragma once

#include <windows.h>

#include <cstdint>

#include "doc/edit_state.h"

// Puts n bytes as clipboard text for the window with the focus: each LF as CR LF, NUL bytes
// left out. Short of memory: message 303 and the clipboard keeps what it had; a clipboard
// that cannot be opened: nothing, no message. True when the clipboard holds the text.
bool CopyToClipboard(const char* bytes, int32_t n);
// Inserts the clipboard text at the caret, without CRs and NULs, as one undo record; then the
// view is redrawn from its top line. Short of memory: message 303, the document unchanged.
void PasteFromClipboard(EditState* doc);
// Whether the clipboard could be opened for owner and offers CF_TEXT: Paste has something to do.
bool ClipboardOffersText(WindowHandle owner);
// The OEM code of the ANSI character c.
uint8_t OemChar(uint8_t c);

// The allocation of the clipboard block, replaceable so that tests can make it fail.
using GlobalAllocFunction = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);
void SetClipboardAllocator(GlobalAllocFunction allocate);  // null restores GlobalAlloc
