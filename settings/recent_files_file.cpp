// The recent-file list in the settings file: section "Recent Files", keys "File1".."File4".
// Like the rest of the settings file, nothing here is ever reported: a list that cannot be
// read stays empty, one that cannot be written is written again at the next save.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "resources/ids.h"
#include "settings/recent_files_hook.h"
#include "settings/settings_file.h"

namespace {

// Section and key names: 38 characters and the NUL.
constexpr int kNameSize = 39;

bool LoadName(int id, char* out, int size)
{
    return LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), out, size) > 0;
}

struct RecentSection {
    char file[kNameSize];
    char name[kNameSize];
    char keyFormat[kNameSize];
};

bool LoadRecentSection(RecentSection* section)
{
    return LoadName(IDS_SETTINGS_FILE, section->file, kNameSize) &&
           LoadName(IDS_RECENT_SECTION, section->name, kNameSize) &&
           LoadName(IDS_RECENT_KEY_FORMAT, section->keyFormat, kNameSize);
}

// The key of entry index: the format's "%d" replaced by index + 1. The format comes from the
// string table, so it is never handed to snprintf as a format of its own.
void FormatKey(const RecentSection& section, int index, char* out, size_t size)
{
    const char* format = section.keyFormat;
    const char* field = std::strstr(format, "%d");
    if (field == nullptr) {
        std::snprintf(out, size, "%s", format);
        return;
    }
    std::snprintf(out, size, "%.*s%d%s", static_cast<int>(field - format), format, index + 1, field + 2);
}

}  // namespace

void LoadRecentFiles()
{
    RecentSection section;
    if (!LoadRecentSection(&section)) return;
    const ProfileSection stored(section.file, section.name);
    for (int k = 0; k < kRecentFileCount; ++k) {
        char key[kNameSize];
        FormatKey(section, k, key, sizeof key);
        stored.Read(key, g_app.recentFiles[k], sizeof g_app.recentFiles[k]);  // empty when missing
    }
}

void SaveRecentFiles()
{
    RecentSection section;
    if (!LoadRecentSection(&section)) return;
    // Keys past the first empty entry stay as the file has them.
    for (int k = 0; k < kRecentFileCount && g_app.recentFiles[k][0] != '\0'; ++k) {
        char key[kNameSize];
        FormatKey(section, k, key, sizeof key);
        static_cast<void>(WritePrivateProfileStringA(section.name, key, g_app.recentFiles[k], section.file));
    }
}
