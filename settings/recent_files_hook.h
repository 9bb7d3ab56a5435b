// Where the settings file hands over to the recent-file list: SettingsLoad calls
// LoadRecentFiles first, SettingsSave calls SaveRecentFiles first. Until the list exists,
// recent_files_hook.cpp supplies empty ones; the list's own file replaces that file (and its
// line in settings/CMakeLists.txt) and may move these declarations into its header.
#pragma once

void LoadRecentFiles();
void SaveRecentFiles();
