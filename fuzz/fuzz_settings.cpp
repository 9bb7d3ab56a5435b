// Arbitrary stored texts for every key of the settings file and for "Start Size": no access
// outside a field (ASan), every text field stays NUL-terminated in its room, and what is saved
// loads back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/settings_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The file's reader hands over NUL-terminated texts; cut the input at its first NUL too.
    const std::string stored(reinterpret_cast<const char*>(data), size);
    const char* text = stored.c_str();

    StartSize start{};
    if (ParseStartSize(text, &start)) {
        char formatted[kStartSizeTextSize];
        FormatStartSize(start, formatted, sizeof formatted);
        StartSize again{};
        if (!ParseStartSize(formatted, &again)) std::abort();
        if (std::memcmp(&start, &again, sizeof start) != 0) std::abort();
    }

    Settings settings;
    for (const SettingKey& key : kSettingKeys) {
        LoadSetting(settings, key, text, nullptr);
        if (key.type == SettingType::Text) {
            if (std::memchr(SettingText(settings, key), '\0', key.size) == nullptr) std::abort();
        }
        if (key.check == SettingCheck::TabStops) {  // always a usable tab width
            if (settings.tabStops < kMinTabStops || settings.tabStops > kMaxTabStops) std::abort();
        }
        char saved[kSettingValueSize];
        FormatSetting(settings, key, saved, sizeof saved);
        Settings reloaded;
        LoadSetting(reloaded, key, saved, nullptr);
        if (key.type == SettingType::Text) {
            if (std::strcmp(SettingText(reloaded, key), SettingText(settings, key)) != 0) std::abort();
        } else if (SettingInt(reloaded, key) != SettingInt(settings, key)) {
            std::abort();
        }
    }
    return 0;
}
