// The settings file on disk: moves the main section's texts between "QV5.INI" and the key
// table of settings_rules, and reads and writes "Start Size". The file is named without a
// directory, so it lives in the system's profile directory. Nothing here is ever reported.
#include "settings/settings_file.h"

#include "app/app_state.h"
#include "doc/core_state.h"
#include "resources/ids.h"
#include "settings/recent_files_hook.h"
#include "settings/settings_rules.h"

namespace {

// Section and key names are short; 39 characters and the NUL.
constexpr int kNameSize = 40;
// A stored value longer than this is cut here first, then to its field's room.
constexpr DWORD kReadSize = 256;

bool LoadName(int id, char* out, int size)
{
    // The string table is linked into the program's own image (or the test program's).
    return LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), out, size) > 0;
}

struct Section {
    char file[kNameSize];
    char name[kNameSize];
};

bool LoadSection(Section* section)
{
    return LoadName(IDS_SETTINGS_FILE, section->file, kNameSize) &&
           LoadName(IDS_SETTINGS_SECTION, section->name, kNameSize);
}

// Reads a key's text and answers whether the key is present. Integer keys are read as text
// too and converted by the rules: the system's integer reader gives the default for a key
// that is present but empty, where a present value that is not a number must read as 0.
// The reader gives back its
// default only for a missing key, so a key read as empty is asked again with a non-empty
// default: still empty means present and empty.
bool ReadValue(const Section& section, const char* key, char* out, DWORD size)
{
    GetPrivateProfileStringA(section.name, key, "", out, size, section.file);
    if (out[0] != '\0') return true;
    char probe[2];
    GetPrivateProfileStringA(section.name, key, "-", probe, sizeof probe, section.file);
    return probe[0] == '\0';
}

void WriteValue(const Section& section, const char* key, const char* value)
{
    // A write that fails (read-only file, full disk) is ignored: the settings stay in memory
    // and are written again at the next save.
    static_cast<void>(WritePrivateProfileStringA(section.name, key, value, section.file));
}

// "Start Size" from the frame's outer rectangle; a minimised or missing frame keeps the stored
// value, so the next start opens where the frame last was shown.
void WriteStartSize(const Section& section)
{
    HWND frame = g_app.frameWindow;
    if (frame == nullptr || !IsWindow(frame) || IsIconic(frame)) return;
    RECT rect;
    if (!GetWindowRect(frame, &rect)) return;
    char key[kNameSize];
    if (!LoadName(IDS_KEY_STARTSIZE, key, kNameSize)) return;
    char value[kStartSizeTextSize];
    FormatStartSize(StartSize{rect.left, rect.top, rect.right, rect.bottom}, value, sizeof value);
    WriteValue(section, key, value);
}

void LoadKey(const Section& section, const SettingKey& key)
{
    char name[kNameSize];
    if (!LoadName(key.nameId, name, kNameSize)) return;
    char value[kReadSize];
    const bool present = ReadValue(section, name, value, kReadSize);
    char textDefault[kSettingValueSize];
    const bool haveTextDefault =
        key.textDefaultId != 0 && LoadName(key.textDefaultId, textDefault, sizeof textDefault);
    LoadSetting(g_core.settings, key, present ? value : nullptr, haveTextDefault ? textDefault : nullptr);
}

void SaveKey(const Section& section, const SettingKey& key)
{
    char name[kNameSize];
    if (!LoadName(key.nameId, name, kNameSize)) return;
    char value[kSettingValueSize];
    FormatSetting(g_core.settings, key, value, sizeof value);
    WriteValue(section, name, value);
}

}  // namespace

void SettingsLoad()
{
    LoadRecentFiles();
    Section section;
    if (!LoadSection(&section)) return;
    for (const SettingKey& key : kSettingKeys) LoadKey(section, key);
    for (const SettingKey& key : kRecoveryKeys) LoadKey(section, key);
    for (const SettingKey& key : kFindKeys) LoadKey(section, key);
}

void SettingsSave()
{
    SaveRecentFiles();
    Section section;
    if (!LoadSection(&section)) return;
    WriteStartSize(section);
    for (const SettingKey& key : kSettingKeys) SaveKey(section, key);
    for (const SettingKey& key : kRecoveryKeys) SaveKey(section, key);
    for (const SettingKey& key : kFindKeys) SaveKey(section, key);
    // Puts the system's cached copy on disk now, so a crash later loses nothing; this form of
    // the call answers FALSE by its definition.
    static_cast<void>(WritePrivateProfileStringA(nullptr, nullptr, nullptr, section.file));
}

bool ReadStartSize(RECT* rect)
{
    char text[kStartSizeReadSize] = "";
    Section section;
    char key[kNameSize];
    if (LoadSection(&section) && LoadName(IDS_KEY_STARTSIZE, key, kNameSize)) {
        GetPrivateProfileStringA(section.name, key, "", text, sizeof text, section.file);
    }
    StartSize size;
    bool stored = ParseStartSize(text, &size);
    if (!stored) {
        size = DefaultStartSize(GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU),
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    *rect = RECT{size.left, size.top, size.right, size.bottom};
    return stored;
}
