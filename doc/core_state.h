// The part of the program's state that the portable core uses. The Win32 layer keeps its
// handles beside it and installs its ScreenSeam here at start-up.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"
#include "doc/screen_seam.h"
#include "settings/settings.h"

// The find and replace strings shared by all documents.
constexpr int kSearchTextSize = 33;  // 32 characters and the NUL
struct SearchState {
    char findText[kSearchTextSize] = {};
    char replaceText[kSearchTextSize] = {};
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
