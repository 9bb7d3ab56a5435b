// The part of the program's state that the portable core uses. The Win32 layer keeps its
// handles beside it and installs its ScreenSeam here at start-up.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"
#include "doc/screen_seam.h"
#include "settings/settings.h"

struct CoreState {
    Settings settings;
    WorkingWindowSave working;
    uint32_t untitledCounter = 1;  // next number of an untitled document; never goes back
    ScreenSeam* screen = nullptr;
};

extern CoreState g_core;

inline ScreenSeam& Screen() { return *g_core.screen; }
