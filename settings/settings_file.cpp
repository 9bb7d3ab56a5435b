// The settings file on disk: moves the main section's texts between "QV5.INI" and the key
// table of settings_rules, and reads and writes "Start Size". The file is named without a
// directory, so it lives in the system's profile directory. Nothing here is ever reported.
#include "settings/settings_file.h"

#include <cstring>

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

// The largest section read in one pass; a larger one is read key by key.
constexpr DWORD kMostSectionBytes = 256 * 1024;

// Reads a key's text and answers whether the key is present. Integer keys are read as text
// too and converted by the rules: the system's integer reader gives the default for a key
// that is present but empty, where a present value that is not a number must read as 0.
// The reader gives back its default only for a missing key, so a key read as empty is asked
// again with a non-empty default: still empty means present and empty.
bool ReadValue(const char* file, const char* section, const char* key, char* out, DWORD size)
{
    GetPrivateProfileStringA(section, key, "", out, size, file);
    if (out[0] != '\0') return true;
    char probe[2];
    GetPrivateProfileStringA(section, key, "-", probe, sizeof probe, file);
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

void LoadKey(const ProfileSection& section, const SettingKey& key)
{
    char name[kNameSize];
    if (!LoadName(key.nameId, name, kNameSize)) return;
    char value[kReadSize];
    const bool present = section.Read(name, value, kReadSize);
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
    Section names;
    if (!LoadSection(&names)) return;
    const ProfileSection section(names.file, names.name);
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

ProfileSection::ProfileSection(const char* file, const char* section) : file_(file), section_(section)
{
    // The answer fills all but two bytes of a buffer it did not fit: a larger one is tried.
    for (DWORD size = 16 * 1024; size <= kMostSectionBytes && !whole_; size *= 4) {
        lines_.assign(size, '\0');
        const DWORD used = GetPrivateProfileSectionA(section, lines_.data(), size, file);
        whole_ = used < size - 2;
        if (whole_) lines_.resize(used + 1);
    }
    if (!whole_) lines_.clear();
}

bool ProfileSection::Read(const char* key, char* out, DWORD size) const
{
    if (!whole_) return ReadValue(file_, section_, key, out, size);
    if (size == 0) return false;
    out[0] = '\0';
    const size_t keyLength = std::strlen(key);
    for (const char* line = lines_.data(); *line != '\0'; line += std::strlen(line) + 1) {
        const char* equals = std::strchr(line, '=');
        const size_t nameLength = equals ? static_cast<size_t>(equals - line) : std::strlen(line);
        if (nameLength != keyLength || CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line,
                                                      static_cast<int>(nameLength), key,
                                                      static_cast<int>(keyLength)) != CSTR_EQUAL) {
            continue;
        }
        // The first line of the name decides; one without a value reads as no key at all.
        if (!equals) return false;
        const char* value = equals + 1;
        size_t length = std::strlen(value);
        // A value in matching quotes loses them, unless the cut leaves no closing one to drop.
        const bool quoted = (value[0] == '"' || value[0] == '\'') && length > 1 && value[length - 1] == value[0];
        if (quoted) {
            ++value;
            --length;
        }
        size_t kept = length < size - 1 ? length : size - 1;
        std::memcpy(out, value, kept);
        if (quoted && size >= length) --kept;
        out[kept] = '\0';
        return true;
    }
    return false;
}
