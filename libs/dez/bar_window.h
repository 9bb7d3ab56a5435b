// The action-bar window of DEZ32.DLL: its class, its height and its repaints.
#pragma once

#include "libs/dez/dez32.h"

namespace dez {

constexpr char kBarClass[] = "DezActionBar";

HINSTANCE LibraryInstance();

// Registers the bar's class once per process (and the tooltip control's); true when it is
// registered.
bool RegisterBarClass();
void UnregisterBarClass();

// The height of a bar of small or of large buttons. The window lays its buttons out itself
// when it is created, from the block passed as its creation parameter.
int BarHeight(bool large);

// Repaints the button at index of the block's list.
void RepaintButton(HWND bar, int index);

// Remakes the grayed pictures in the current system colours and repaints the bar.
void RefreshColors(HWND bar);

}  // namespace dez
