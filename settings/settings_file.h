// Reading and writing the settings file "QV5.INI": the main section's keys and "Start Size".
#pragma once

#include <windows.h>

// Reads the recent-file list, then every key of the main section into g_core.settings, in
// table order. Missing keys, a missing section or a missing file give the defaults.
void SettingsLoad();

// Writes the recent-file list, then "Start Size" from the frame window's outer rectangle
// (skipped while the frame is minimised or absent, so the stored value stays), then every
// key of the main section, also those at their defaults. A failed write is ignored.
void SettingsSave();

// Reads "Start Size" into *rect and answers true; when the key is missing, empty or holds fewer
// than four numbers, sets the default placement instead and answers false.
bool ReadStartSize(RECT* rect);
