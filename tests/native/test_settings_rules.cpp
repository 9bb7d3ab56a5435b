// The settings file's value rules: the key table, loading of stored texts with their checks
// and cuts, integer conversion, and the "Start Size" text (that every key and "Start Size" load
// back what was saved is checked by fuzz_settings).
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "resources/ids.h"
#include "settings/settings_rules.h"
#include "tests/native/doc_helpers.h"

namespace {

const SettingKey& Key(int nameId)
{
    for (const SettingKey& key : kSettingKeys)
        if (key.nameId == nameId) return key;
    for (const SettingKey& key : kFindKeys)
        if (key.nameId == nameId) return key;
    ADD_FAILURE() << "no key with string id " << nameId;
    return kSettingKeys[0];
}

TEST(SettingsLoad, NamesAreWiredToTheirFieldsAndStoredTextsAreNarrowedCheckedAndCut)
{
    // The n-th key here loads the text of n; each field must show its own key's number.
    // clang-format off
    const int ids[] = {IDS_KEY_NEWFILE, IDS_KEY_ACTIONBAR, IDS_KEY_ICONLABEL, IDS_KEY_LARGEICONS, IDS_KEY_NOTABS,
        IDS_KEY_TABSTOPS, IDS_KEY_LARGECURSOR, IDS_KEY_AUTOINDENT, IDS_KEY_INSERTMODE, IDS_KEY_MOUSEMODE, IDS_KEY_OEMKEYS,
        IDS_KEY_SCREENFONT, IDS_KEY_SCREENCHARSET, IDS_KEY_SCREENFONTSIZE, IDS_KEY_PRINTERFONT, IDS_KEY_PRINTERCHARSET,
        IDS_KEY_PRINTERFONTSIZE, IDS_KEY_LEFT, IDS_KEY_TOP, IDS_KEY_RIGHT, IDS_KEY_BOTTOM, IDS_KEY_HEADER, IDS_KEY_FOOTER};
    // clang-format on
    Settings s;
    for (int n = 1; n <= kSettingKeyCount; ++n)
        LoadSetting(s, Key(ids[n - 1]), std::to_string(n).c_str(), nullptr);
    // Every field in declaration order.
    EXPECT_EQ(Join(s.newFile, s.actionBar, s.iconLabel, s.largeIcons, s.noTabs, s.tabStops, s.largeCursor,
                   s.autoIndent, s.insertMode, s.mouseMode, s.oemKeys, s.screenFont, s.screenCharset,
                   s.screenFontSize, s.printerFont, s.printerCharset, s.printerFontSize, s.marginLeft,
                   s.marginTop, s.marginRight, s.marginBottom, s.header, s.footer),
              "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23");
    // The find dialogs' keys: down and no wrap when missing.
    Settings find;
    LoadSetting(find, Key(IDS_KEY_FINDUP), nullptr, nullptr);
    LoadSetting(find, Key(IDS_KEY_FINDWRAP), nullptr, nullptr);
    EXPECT_EQ(Join(find.findUp, find.findWrap), "0 0");
    LoadSetting(find, Key(IDS_KEY_FINDUP), "1", nullptr);
    LoadSetting(find, Key(IDS_KEY_FINDWRAP), "2", nullptr);
    EXPECT_EQ(Join(find.findUp, find.findWrap), "1 2");

    // Stored texts are narrowed, checked and cut.
    const std::string fits(kFontNameSize - 1, 'a'), over = fits + "bcd";
    // clang-format off
    const struct { int id; std::string stored, expect; } cases[] = {
        // Tab stops are narrowed to a signed byte (264 to 8, 260 to 4, 200 to -56), then outside
        // 1..80 become 8.
        {IDS_KEY_TABSTOPS, "0", "8"}, {IDS_KEY_TABSTOPS, "81", "8"}, {IDS_KEY_TABSTOPS, "1", "1"},
        {IDS_KEY_TABSTOPS, "264", "8"}, {IDS_KEY_TABSTOPS, "260", "4"}, {IDS_KEY_TABSTOPS, "200", "8"},
        // Narrow fields keep the low bits; plain integers take whatever is stored, without checks.
        {IDS_KEY_MOUSEMODE, "-1", "-1"}, {IDS_KEY_MOUSEMODE, "258", "2"}, {IDS_KEY_PRINTERFONTSIZE, "65546", "10"},
        {IDS_KEY_PRINTERFONTSIZE, "40000", "-25536"}, {IDS_KEY_SCREENCHARSET, "-1", "255"},
        {IDS_KEY_PRINTERCHARSET, "256", "0"}, {IDS_KEY_NEWFILE, "-7", "-7"}, {IDS_KEY_FINDWRAP, "on", "0"},
        // Texts are cut to their room (1234 exactly fits); a present empty text is not the default.
        {IDS_KEY_LEFT, "0.125", "0.12"}, {IDS_KEY_BOTTOM, "1234", "1234"}, {IDS_KEY_HEADER, "", ""},
        {IDS_KEY_PRINTERFONT, over, fits},
    };
    // clang-format on
    for (const auto& c : cases) {
        Settings settings;
        LoadSetting(settings, Key(c.id), c.stored.c_str(), nullptr);
        const SettingKey& key = Key(c.id);  // its field as text, found through the table
        EXPECT_EQ(key.type == SettingType::Text ? SettingText(settings, key)
                                                : std::to_string(SettingInt(settings, key)),
                  c.expect)
            << c.id << " " << c.stored;
    }
}

using Sides = std::array<int32_t, 4>;
Sides Of(const StartSize& s)
{
    return {s.left, s.top, s.right, s.bottom};
}

TEST(SettingsRules, StartSizeTokensConvertLikeAtoiFontSizesAreCheckedAndValuesFormattedForTheFile)
{
    const Sides unset{-1, -1, -1, -1}, usual{10, 20, 630, 460};
    // clang-format off
    const struct { const char* text; Sides expect; /* unset: refused */ } cases[] = {
        {"10 20 630 460", usual}, {"10, 20 ,630,,460", usual},
        {"-8 -8 1288 1032 77", {-8, -8, 1288, 1032}},  // a maximised frame; extras ignored
        {"12px x 3.9 +4", {12, 0, 3, 4}}, {"\t5 99999999999 -99999999999 0", {5, INT32_MAX, INT32_MIN, 0}},
        {"", unset}, {",,, ,", unset}, {"10 20 630", unset}, {"10,20,,630,", unset},
    };
    // clang-format on
    for (const auto& c : cases) {
        StartSize size{-1, -1, -1, -1};
        EXPECT_EQ(ParseStartSize(c.text, &size), c.expect != unset) << '"' << c.text << '"';
        EXPECT_EQ(Of(size), c.expect) << '"' << c.text << '"';
    }
    // The default placement is the upper half, inset from the sides.
    EXPECT_EQ(Of(DefaultStartSize(19, 20, 1280, 1024)), (Sides{20, 39, 1260, 512}));
    EXPECT_EQ(Of(DefaultStartSize(18, 19, 641, 481)), (Sides{20, 37, 621, 240}));
    // The font size, decimals and the formats for the file.
    for (auto [size, checked] : {std::pair{6, 10}, {35, 10}, {-20, 10}, {7, 7}, {34, 34}, {12, 12}})
        EXPECT_EQ(CheckScreenFontSize(size), checked) << size;
    // clang-format off
    const std::pair<const char*, int32_t> decimals[] = {
        {"42", 42}, {"  +7", 7}, {"12abc", 12}, {"abc", 0}, {"-", 0}, {"0x10", 0}, {"2147483648", INT32_MAX},
        {"99999999999999999999999999", INT32_MAX}, {"-99999999999999999999999999", INT32_MIN},
    };
    // clang-format on
    for (const auto& [text, value] : decimals) EXPECT_EQ(ParseDecimal(text), value) << '"' << text << '"';

    // Integers and texts are formatted for the file.
    char out[kSettingValueSize];
    Settings settings;
    settings.tabStops = -3, settings.screenCharset = 255, settings.newFile = INT32_MIN;
    for (auto [id, text] : {std::pair{IDS_KEY_TABSTOPS, "-3"},
                            {IDS_KEY_SCREENCHARSET, "255"},
                            {IDS_KEY_NEWFILE, "-2147483648"},
                            {IDS_KEY_FOOTER, "Page &p"}}) {
        FormatSetting(settings, Key(id), out, sizeof out);
        EXPECT_STREQ(out, text) << id;
    }
    char small[kIntTextSize], tiny[3];
    FormatSettingInt(INT32_MIN, small, sizeof small);
    FormatSettingInt(12345, tiny, sizeof tiny);
    EXPECT_EQ(Join(small, tiny), "-2147483648 12");
}

}  // namespace
