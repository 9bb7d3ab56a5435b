// The question a modified document asks before its window closes or the session ends.
#pragma once

#include "doc/edit_state.h"

// True when the document's window may close: it was not modified, the user declined to save
// it, or it was saved (under a name chosen in the Save As dialog when it has none or its own
// could not be written). False when the user cancelled, here or in that dialog, or the save
// under the chosen name failed (the new name then stays the document's).
bool SavePrompt(EditState* doc);
