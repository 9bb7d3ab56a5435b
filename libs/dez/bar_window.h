// The action-bar window of DEZ32.DLL: its class, measuring and painting.
#pragma once

#include "libs/dez/dez32.h"

namespace dez {

constexpr char kBarClass[] = "DezActionBar";

HINSTANCE LibraryInstance();

// Registers the bar's class once per process; true when it is registered.
bool RegisterBarClass();
void UnregisterBarClass();

// Gives each of count buttons its left edge and width for the bar's font; the bar's height.
int MeasureButtons(HWND frame, ActionBarButton* buttons, int count, bool large);

}  // namespace dez
