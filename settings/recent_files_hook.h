// Where the settings file hands over to the recent-file list: SettingsLoad calls
// LoadRecentFiles first, SettingsSave calls SaveRecentFiles first. Both live in
// recent_files_file.cpp and move g_app.recentFiles to and from the file.
#pragma once

// Reads keys File1..File4 into the list; a missing key gives an empty entry.
void LoadRecentFiles();
// Writes the entries before the first empty one; the file's higher keys are left alone.
void SaveRecentFiles();
