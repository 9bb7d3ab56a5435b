// The value rules of the settings file's main section: one table of keys that drives both
// loading and saving, the conversions between a key's text and its Settings field, and the
// "Start Size" text. Portable: the Win32 layer only moves the texts between the file and here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

enum class SettingType : uint8_t {
    Int32,  // int; 0 off, nonzero on unless the key gives a meaning
    Int16,  // narrowed to 16 bits on load
    Int8,   // narrowed to 8 bits on load
    UInt8,  // charsets: narrowed to 0..255 on load
    Text,   // cut to the field's size on load
};

enum class SettingCheck : uint8_t {
    None,
    TabStops,  // after narrowing, outside kMinTabStops..kMaxTabStops becomes kDefaultTabStops
};

// One key of the main section. A key's default is its field's value in a default-made
// Settings; a text default that the string table holds is taken from there by the reader
// (textDefaultId), so the displayed texts have one home.
struct SettingKey {
    int nameId;  // string id of the key's name
    SettingType type;
    size_t offset;      // of the field in Settings
    size_t size;        // bytes of the field; for texts including the NUL
    int textDefaultId;  // 0: the default is the field's initial text
    SettingCheck check;
};

constexpr int kSettingKeyCount = 23;

// The keys in file order: the order of loading and of saving.
extern const SettingKey kSettingKeys[kSettingKeyCount];

// The recovery keys of the main section and the syntax colours, saved and loaded after the
// table above.
constexpr int kRecoveryKeyCount = 3;
extern const SettingKey kRecoveryKeys[kRecoveryKeyCount];

// The find dialogs' direction and wrap, saved and loaded after the recovery keys.
constexpr int kFindKeyCount = 2;
extern const SettingKey kFindKeys[kFindKeyCount];

constexpr int32_t kMinTabStops = 1;
constexpr int32_t kMaxTabStops = 80;
constexpr int32_t kDefaultTabStops = 8;
constexpr int32_t kMinScreenFontSize = 7;
constexpr int32_t kMaxScreenFontSize = 34;
constexpr int32_t kDefaultScreenFontSize = 10;

// Room for any value of the table as the file holds it: the longest text field, or an int32.
constexpr size_t kSettingValueSize = 32;

// Room for any int32 formatted with "%d", and for four of them with blanks between.
constexpr size_t kIntTextSize = 12;
constexpr size_t kStartSizeTextSize = 48;
// The buffer "Start Size" is read into; longer values are cut by the reader.
constexpr size_t kStartSizeReadSize = 40;

// Decimal text to integer the way atoi reads it: leading white space, an optional sign, then
// digits; anything else ends the number, and a text that does not start with one gives 0.
// Out-of-range values saturate at the int32 limits instead of being undefined.
int32_t ParseDecimal(const char* text);

// The tab width rule: narrowed to a signed byte, then outside 1..80 becomes 8.
int32_t CheckTabStops(int32_t value);

// The screen font size rule, applied when the screen font is made: outside 7..34 becomes 10.
int32_t CheckScreenFontSize(int32_t value);

// A key's default: the field's value in a default-made Settings.
int32_t SettingDefaultInt(const SettingKey& key);
const char* SettingDefaultText(const SettingKey& key);

// Stores a value read from the file into the key's integer field: narrowed to the field's
// width, then the key's check.
void StoreSettingInt(Settings& settings, const SettingKey& key, int32_t value);
int32_t SettingInt(const Settings& settings, const SettingKey& key);

// Stores a text read from the file into the key's text field, cut to the field's room.
void StoreSettingText(Settings& settings, const SettingKey& key, const char* text);
const char* SettingText(const Settings& settings, const SettingKey& key);

// Loads one key: `stored` is the file's text, or null when the key is missing; then an
// integer key takes its default, a text key `textDefault` (the string table's text) or, when
// that is null, its field's initial text. Present integers are read with ParseDecimal.
void LoadSetting(Settings& settings, const SettingKey& key, const char* stored, const char* textDefault);

// The text a key is saved as: integers with "%d", texts as they are (cut to `size`).
void FormatSetting(const Settings& settings, const SettingKey& key, char* out, size_t size);

// Copies text into a field of `size` bytes, cutting it so the NUL always fits.
void CopyCut(char* field, size_t size, const char* text);

// "%d" into out (at least kIntTextSize bytes; a smaller buffer is cut, never overrun).
void FormatSettingInt(int32_t value, char* out, size_t size);

// The frame's outer rectangle as "Start Size" stores it.
struct StartSize {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Splits text at blanks and commas and converts the first four tokens with ParseDecimal. A
// text with fewer than four tokens is treated like a missing key: false, `out` unchanged.
bool ParseStartSize(const char* text, StartSize* out);

// The rectangle used when "Start Size" is missing or unusable: 20 pixels in from the left and
// right screen edges, below a caption and a menu bar, down to the middle of the screen.
StartSize DefaultStartSize(int32_t captionHeight, int32_t menuHeight, int32_t screenWidth,
                           int32_t screenHeight);

// "%d %d %d %d": left, top, right, bottom (kStartSizeTextSize bytes hold any rectangle).
void FormatStartSize(const StartSize& size, char* out, size_t outSize);
