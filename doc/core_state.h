// The part of the program's state that the portable core uses. The Win32 layer keeps its
// handles beside it and installs its ScreenSeam here at start-up.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"
#include "doc/screen_seam.h"
#include "settings/settings.h"

// The find and replace strings shared by all documents.
constexpr int kSearchTextSize = 33;  // 32 characters and the NUL
constexpr int kPatternSize = 256;
struct SearchState {
    char findText[kSearchTextSize] = {};
    char replaceText[kSearchTextSize] = {};
    // The dialog's check boxes as they stood at the last Find Next or Replace press (0 or 1).
    int32_t matchCase = 0;
    int32_t wholeWord = 0;
    // The pattern the skip table was built from: findText, lower-cased when built with
    // patternMatchCase 0. FindNext rebuilds it when either no longer agrees.
    int32_t patternMatchCase = 0;
    int32_t patternLength = 0;
    char pattern[kPatternSize] = {};
    uint8_t skipTable[256] = {};  // indexed by unsigned byte
    int32_t guardShift = 0;       // shift after a mismatch with the last byte matched
    // The same two for searching up, mirrored on the pattern's first byte.
    uint8_t backSkipTable[256] = {};
    int32_t backGuardShift = 0;
    // The find dialog's side: the command whose dialog is open (IDM_FIND or IDM_REPLACE, 0
    // none), the document it acts on, its Replace button (absent in Find) and the document of
    // the Goto Line dialog.
    int32_t findDialogTemplate = 0;
    WindowHandle findTarget = nullptr;
    WindowHandle replaceButton = nullptr;
    EditState* dialogTarget = nullptr;
};

struct CoreState {
    Settings settings;
    SearchState search;
    int32_t insertMode = 1;   // the running insert mode: 1 insert, 0 overwrite
    bool undoReplay = false;  // an undo or redo is replaying a record: make no records
    bool undoNoCopy = false;  // same moments: make no saved copies
    WorkingWindowSave working;
    uint32_t untitledCounter = 1;  // next number of an untitled document; never goes back
    ScreenSeam* screen = nullptr;
};

extern CoreState g_core;

inline ScreenSeam& Screen() { return *g_core.screen; }
