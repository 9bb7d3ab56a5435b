// The main section's key table and the value rules of the settings file.
#include "settings/settings_rules.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "resources/ids.h"

namespace {

// The defaults every key falls back to; never changed.
const Settings kDefaults{};

#define INT_KEY(id, field, kind, check)                                                                   \
    {                                                                                                     \
        id, SettingType::kind, offsetof(Settings, field), sizeof(Settings::field), 0, SettingCheck::check \
    }
#define TEXT_KEY(id, field, defaultId)                                                        \
    {                                                                                         \
        id, SettingType::Text, offsetof(Settings, field), sizeof(Settings::field), defaultId, \
            SettingCheck::None                                                                \
    }

}  // namespace

const SettingKey kSettingKeys[kSettingKeyCount] = {
    INT_KEY(IDS_KEY_NEWFILE, newFile, Int32, None),
    INT_KEY(IDS_KEY_ACTIONBAR, actionBar, Int32, None),
    INT_KEY(IDS_KEY_ICONLABEL, iconLabel, Int32, None),
    INT_KEY(IDS_KEY_LARGEICONS, largeIcons, Int32, None),
    INT_KEY(IDS_KEY_NOTABS, noTabs, Int32, None),
    INT_KEY(IDS_KEY_TABSTOPS, tabStops, Int8, TabStops),
    INT_KEY(IDS_KEY_LARGECURSOR, largeCursor, Int32, None),
    INT_KEY(IDS_KEY_AUTOINDENT, autoIndent, Int32, None),
    INT_KEY(IDS_KEY_INSERTMODE, insertMode, Int32, None),
    INT_KEY(IDS_KEY_MOUSEMODE, mouseMode, Int8, None),
    INT_KEY(IDS_KEY_OEMKEYS, oemKeys, Int32, None),
    TEXT_KEY(IDS_KEY_SCREENFONT, screenFont, IDS_DEFAULT_SCREENFONT),
    INT_KEY(IDS_KEY_SCREENCHARSET, screenCharset, UInt8, None),
    INT_KEY(IDS_KEY_SCREENFONTSIZE, screenFontSize, Int32, None),
    TEXT_KEY(IDS_KEY_PRINTERFONT, printerFont, IDS_DEFAULT_PRINTERFONT),
    INT_KEY(IDS_KEY_PRINTERCHARSET, printerCharset, UInt8, None),
    INT_KEY(IDS_KEY_PRINTERFONTSIZE, printerFontSize, Int16, None),
    TEXT_KEY(IDS_KEY_LEFT, marginLeft, 0),
    TEXT_KEY(IDS_KEY_TOP, marginTop, 0),
    TEXT_KEY(IDS_KEY_RIGHT, marginRight, 0),
    TEXT_KEY(IDS_KEY_BOTTOM, marginBottom, 0),
    TEXT_KEY(IDS_KEY_HEADER, header, 0),
    TEXT_KEY(IDS_KEY_FOOTER, footer, IDS_DEFAULT_FOOTER),
};

const SettingKey kRecoveryKeys[kRecoveryKeyCount] = {
    INT_KEY(IDS_KEY_RECOVERY, recoveryCopies, Int32, None),
    INT_KEY(IDS_KEY_DISKCHECK, checkDiskChanges, Int32, None),
    INT_KEY(IDS_KEY_SYNTAXCOLOURS, syntaxColours, Int32, None),
};

const SettingKey kFindKeys[kFindKeyCount] = {
    INT_KEY(IDS_KEY_FINDUP, findUp, Int32, None),
    INT_KEY(IDS_KEY_FINDWRAP, findWrap, Int32, None),
};

#undef INT_KEY
#undef TEXT_KEY

namespace {

// Each field's type must match what the table says, or the stores below would write past it.
constexpr size_t TypeSize(SettingType type)
{
    switch (type) {
        case SettingType::Int32:
            return sizeof(int32_t);
        case SettingType::Int16:
            return sizeof(int16_t);
        case SettingType::Int8:
        case SettingType::UInt8:
            return sizeof(int8_t);
        case SettingType::Text:
            break;
    }
    return 0;
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

namespace {

// ParseDecimal over [p, end): a token of "Start Size" is read on its own, never past its end.
int32_t ParseDecimalUntil(const char* p, const char* end)
{
    while (p != end && IsSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Accumulate in 64 bits and stop growing once past the int32 range.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; p != end && IsDigit(*p); ++p) {
        if (value <= limit) value = value * 10 + (*p - '0');
    }
    if (value > limit) value = limit;
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

int32_t ParseDecimal(const char* text)
{
    return ParseDecimalUntil(text, text + std::strlen(text));
}

int32_t CheckTabStops(int32_t value)
{
    // The field is 8 bits wide and signed: a stored 300 reads as 44, as the field would hold it.
    const int32_t narrowed = static_cast<int8_t>(value);  // NOLINT(bugprone-signed-char-misuse)
    return narrowed < kMinTabStops || narrowed > kMaxTabStops ? kDefaultTabStops : narrowed;
}

int32_t CheckScreenFontSize(int32_t value)
{
    return value < kMinScreenFontSize || value > kMaxScreenFontSize ? kDefaultScreenFontSize : value;
}

namespace {

void* FieldOf(Settings& settings, const SettingKey& key)
{
    return reinterpret_cast<char*>(&settings) + key.offset;
}

const void* FieldOf(const Settings& settings, const SettingKey& key)
{
    return reinterpret_cast<const char*>(&settings) + key.offset;
}

}  // namespace

void StoreSettingInt(Settings& settings, const SettingKey& key, int32_t value)
{
    if (key.type == SettingType::Text || key.size != TypeSize(key.type)) return;
    if (key.check == SettingCheck::TabStops) value = CheckTabStops(value);
    void* field = FieldOf(settings, key);
    // Narrowing keeps the low bits, as storing into the field's width does.
    switch (key.type) {
        case SettingType::Int32:
            std::memcpy(field, &value, sizeof(int32_t));
            break;
        case SettingType::Int16: {
            const int16_t narrow = static_cast<int16_t>(value);
            std::memcpy(field, &narrow, sizeof narrow);
            break;
        }
        case SettingType::Int8: {
            const int8_t narrow = static_cast<int8_t>(value);
            std::memcpy(field, &narrow, sizeof narrow);
            break;
        }
        case SettingType::UInt8: {
            const uint8_t narrow = static_cast<uint8_t>(value);
            std::memcpy(field, &narrow, sizeof narrow);
            break;
        }
        case SettingType::Text:
            break;
    }
}

int32_t SettingInt(const Settings& settings, const SettingKey& key)
{
    if (key.type == SettingType::Text || key.size != TypeSize(key.type)) return 0;
    const void* field = FieldOf(settings, key);
    switch (key.type) {
        case SettingType::Int32: {
            int32_t value;
            std::memcpy(&value, field, sizeof value);
            return value;
        }
        case SettingType::Int16: {
            int16_t value;
            std::memcpy(&value, field, sizeof value);
            return value;
        }
        case SettingType::Int8: {
            int8_t value;
            std::memcpy(&value, field, sizeof value);
            return value;
        }
        case SettingType::UInt8: {
            uint8_t value;
            std::memcpy(&value, field, sizeof value);
            return value;
        }
        case SettingType::Text:
            break;
    }
    return 0;
}

int32_t SettingDefaultInt(const SettingKey& key)
{
    return SettingInt(kDefaults, key);
}

const char* SettingDefaultText(const SettingKey& key)
{
    return SettingText(kDefaults, key);
}

void CopyCut(char* field, size_t size, const char* text)
{
    if (size == 0) return;
    size_t length = 0;
    while (length + 1 < size && text[length] != '\0') ++length;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

void StoreSettingText(Settings& settings, const SettingKey& key, const char* text)
{
    if (key.type != SettingType::Text) return;
    CopyCut(static_cast<char*>(FieldOf(settings, key)), key.size, text);
}

const char* SettingText(const Settings& settings, const SettingKey& key)
{
    if (key.type != SettingType::Text) return "";
    return static_cast<const char*>(FieldOf(settings, key));
}

void LoadSetting(Settings& settings, const SettingKey& key, const char* stored, const char* textDefault)
{
    if (key.type == SettingType::Text) {
        if (stored == nullptr) stored = textDefault != nullptr ? textDefault : SettingDefaultText(key);
        StoreSettingText(settings, key, stored);
    } else {
        StoreSettingInt(settings, key, stored != nullptr ? ParseDecimal(stored) : SettingDefaultInt(key));
    }
}

void FormatSetting(const Settings& settings, const SettingKey& key, char* out, size_t size)
{
    if (key.type == SettingType::Text) {
        CopyCut(out, size, SettingText(settings, key));
    } else {
        FormatSettingInt(SettingInt(settings, key), out, size);
    }
}

void FormatSettingInt(int32_t value, char* out, size_t size)
{
    if (size == 0) return;
    std::snprintf(out, size, "%d", static_cast<int>(value));
}

bool ParseStartSize(const char* text, StartSize* out)
{
    int32_t values[4];
    int count = 0;
    const char* p = text;
    while (count < 4) {
        while (*p == ' ' || *p == ',') ++p;
        if (*p == '\0') break;
        const char* start = p;
        while (*p != '\0' && *p != ' ' && *p != ',') ++p;
        values[count++] = ParseDecimalUntil(start, p);
    }
    if (count < 4) return false;
    *out = StartSize{values[0], values[1], values[2], values[3]};
    return true;
}

StartSize DefaultStartSize(int32_t captionHeight, int32_t menuHeight, int32_t screenWidth,
                           int32_t screenHeight)
{
    return StartSize{20, captionHeight + menuHeight, screenWidth - 20, screenHeight / 2};
}

void FormatStartSize(const StartSize& size, char* out, size_t outSize)
{
    if (outSize == 0) return;
    std::snprintf(out, outSize, "%d %d %d %d", static_cast<int>(size.left), static_cast<int>(size.top),
                  static_cast<int>(size.right), static_cast<int>(size.bottom));
}
