// Reading and writing the settings file "QV5.INI": the main section's keys and "Start Size".
#pragma once

#include <windows.h>

#include <vector>

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

// One section of a profile file read in a single pass (the system reopens the file for each key
// read on its own), answering for its keys as GetPrivateProfileStringA would.
class ProfileSection {
public:
    ProfileSection(const char* file, const char* section);
    // The key's value, quotes taken off and cut to size - 1 characters as the system does, and
    // whether the key is there with a value ("key=" is; a line "key" alone or none is not).
    bool Read(const char* key, char* out, DWORD size) const;

private:
    const char* file_;
    const char* section_;
    std::vector<char> lines_;  // "key=value" strings, each ended by a NUL
    bool whole_ = false;       // false: too long to hold, each key is read from the file
};
