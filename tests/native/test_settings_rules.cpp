// The settings file's value rules: the key table, loading of stored texts with their checks
// and cuts, integer conversion, and the "Start Size" text.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "resources/ids.h"
#include "settings/settings_rules.h"

namespace {

const SettingKey& Key(int nameId)
{
    for (const SettingKey& key : kSettingKeys) {
        if (key.nameId == nameId) return key;
    }
    ADD_FAILURE() << "no key with string id " << nameId;
    return kSettingKeys[0];
}

// Loads one stored text into a default Settings.
Settings Loaded(int nameId, const char* stored)
{
    Settings settings;
    LoadSetting(settings, Key(nameId), stored, nullptr);
    return settings;
}

TEST(SettingsTable, EveryKeyReachesItsOwnField)
{
    // Loading a distinctive value into one key must change that key's field and no other.
    for (const SettingKey& changed : kSettingKeys) {
        Settings settings;
        LoadSetting(settings, changed, "3", nullptr);
        for (const SettingKey& other : kSettingKeys) {
            if (&other == &changed) continue;
            if (other.type == SettingType::Text) {
                EXPECT_STREQ(SettingText(settings, other), SettingDefaultText(other)) << other.nameId;
            } else {
                EXPECT_EQ(SettingInt(settings, other), SettingDefaultInt(other)) << other.nameId;
            }
        }
        if (changed.type == SettingType::Text) {
            EXPECT_STREQ(SettingText(settings, changed), "3");
        } else {
            EXPECT_EQ(SettingInt(settings, changed), 3);
        }
    }
}

TEST(SettingsTable, NamesAreWiredToTheDocumentedFields)
{
    EXPECT_EQ(Loaded(IDS_KEY_NEWFILE, "5").newFile, 5);
    EXPECT_EQ(Loaded(IDS_KEY_ACTIONBAR, "5").actionBar, 5);
    EXPECT_EQ(Loaded(IDS_KEY_ICONLABEL, "5").iconLabel, 5);
    EXPECT_EQ(Loaded(IDS_KEY_LARGEICONS, "5").largeIcons, 5);
    EXPECT_EQ(Loaded(IDS_KEY_NOTABS, "5").noTabs, 5);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "5").tabStops, 5);
    EXPECT_EQ(Loaded(IDS_KEY_LARGECURSOR, "5").largeCursor, 5);
    EXPECT_EQ(Loaded(IDS_KEY_AUTOINDENT, "5").autoIndent, 5);
    EXPECT_EQ(Loaded(IDS_KEY_INSERTMODE, "5").insertMode, 5);
    EXPECT_EQ(Loaded(IDS_KEY_MOUSEMODE, "5").mouseMode, 5);
    EXPECT_EQ(Loaded(IDS_KEY_OEMKEYS, "5").oemKeys, 5);
    EXPECT_STREQ(Loaded(IDS_KEY_SCREENFONT, "Arial").screenFont, "Arial");
    EXPECT_EQ(Loaded(IDS_KEY_SCREENCHARSET, "5").screenCharset, 5);
    EXPECT_EQ(Loaded(IDS_KEY_SCREENFONTSIZE, "5").screenFontSize, 5);
    EXPECT_STREQ(Loaded(IDS_KEY_PRINTERFONT, "Arial").printerFont, "Arial");
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERCHARSET, "5").printerCharset, 5);
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERFONTSIZE, "5").printerFontSize, 5);
    EXPECT_STREQ(Loaded(IDS_KEY_LEFT, "1.5").marginLeft, "1.5");
    EXPECT_STREQ(Loaded(IDS_KEY_TOP, "1.5").marginTop, "1.5");
    EXPECT_STREQ(Loaded(IDS_KEY_RIGHT, "1.5").marginRight, "1.5");
    EXPECT_STREQ(Loaded(IDS_KEY_BOTTOM, "1.5").marginBottom, "1.5");
    EXPECT_STREQ(Loaded(IDS_KEY_HEADER, "&t").header, "&t");
    EXPECT_STREQ(Loaded(IDS_KEY_FOOTER, "&d").footer, "&d");
}

TEST(SettingsTable, TextDefaultsTheStringTableHoldsAreTakenFromIt)
{
    EXPECT_EQ(Key(IDS_KEY_SCREENFONT).textDefaultId, IDS_DEFAULT_SCREENFONT);
    EXPECT_EQ(Key(IDS_KEY_PRINTERFONT).textDefaultId, IDS_DEFAULT_PRINTERFONT);
    EXPECT_EQ(Key(IDS_KEY_FOOTER).textDefaultId, IDS_DEFAULT_FOOTER);
    EXPECT_EQ(Key(IDS_KEY_HEADER).textDefaultId, 0);
}

TEST(SettingsLoad, MissingKeysGiveTheDefaults)
{
    Settings settings;
    settings.newFile = 0;
    settings.tabStops = 3;
    settings.mouseMode = 2;
    std::strcpy(settings.marginTop, "9");
    std::strcpy(settings.header, "x");
    std::strcpy(settings.footer, "y");
    for (const SettingKey& key : kSettingKeys) {
        const char* textDefault = key.nameId == IDS_KEY_FOOTER ? "from the table" : nullptr;
        LoadSetting(settings, key, nullptr, textDefault);
    }
    EXPECT_EQ(settings.newFile, 1);
    EXPECT_EQ(settings.tabStops, 8);
    EXPECT_EQ(settings.mouseMode, 1);
    EXPECT_STREQ(settings.marginTop, "0.25");
    EXPECT_STREQ(settings.header, "&f");
    EXPECT_STREQ(settings.footer, "from the table");
}

TEST(SettingsLoad, TabStopsAreNarrowedThenChecked)
{
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "0").tabStops, 8);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "81").tabStops, 8);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "-3").tabStops, 8);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "1").tabStops, 1);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "80").tabStops, 80);
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "264").tabStops, 8);   // low byte 8
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "260").tabStops, 4);   // low byte 4: in range, kept
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "200").tabStops, 8);   // a signed byte of -56
    EXPECT_EQ(Loaded(IDS_KEY_TABSTOPS, "junk").tabStops, 8);  // reads as 0
}

TEST(SettingsLoad, NarrowFieldsKeepTheLowBits)
{
    EXPECT_EQ(Loaded(IDS_KEY_MOUSEMODE, "-1").mouseMode, -1);
    EXPECT_EQ(Loaded(IDS_KEY_MOUSEMODE, "258").mouseMode, 2);
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERFONTSIZE, "65546").printerFontSize, 10);
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERFONTSIZE, "40000").printerFontSize, 40000 - 65536);
    EXPECT_EQ(Loaded(IDS_KEY_SCREENCHARSET, "255").screenCharset, 255);
    EXPECT_EQ(Loaded(IDS_KEY_SCREENCHARSET, "-1").screenCharset, 255);
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERCHARSET, "256").printerCharset, 0);
    // Plain integers take whatever is stored, without checks.
    EXPECT_EQ(Loaded(IDS_KEY_NEWFILE, "-7").newFile, -7);
    EXPECT_EQ(Loaded(IDS_KEY_SCREENFONTSIZE, "99").screenFontSize, 99);
}

TEST(SettingsLoad, TextsAreCutToTheirRoom)
{
    EXPECT_STREQ(Loaded(IDS_KEY_LEFT, "0.125").marginLeft, "0.12");
    EXPECT_STREQ(Loaded(IDS_KEY_BOTTOM, "1234").marginBottom, "1234");  // exactly fits
    EXPECT_STREQ(Loaded(IDS_KEY_TOP, "").marginTop, "");

    const std::string fits(kFontNameSize - 1, 'a');
    const std::string over = fits + "bcd";
    EXPECT_EQ(Loaded(IDS_KEY_SCREENFONT, fits.c_str()).screenFont, fits);
    EXPECT_EQ(Loaded(IDS_KEY_PRINTERFONT, over.c_str()).printerFont, fits);
    EXPECT_EQ(Loaded(IDS_KEY_FOOTER, over.c_str()).footer, fits);
}

TEST(SettingsLoad, PresentEmptyTextIsNotTheDefault)
{
    EXPECT_STREQ(Loaded(IDS_KEY_HEADER, "").header, "");
    EXPECT_STREQ(Loaded(IDS_KEY_HEADER, nullptr).header, "&f");
}

TEST(SettingsRules, ScreenFontSizeOutside7To34Becomes10)
{
    EXPECT_EQ(CheckScreenFontSize(6), 10);
    EXPECT_EQ(CheckScreenFontSize(35), 10);
    EXPECT_EQ(CheckScreenFontSize(-20), 10);
    EXPECT_EQ(CheckScreenFontSize(7), 7);
    EXPECT_EQ(CheckScreenFontSize(34), 34);
    EXPECT_EQ(CheckScreenFontSize(12), 12);
}

TEST(SettingsRules, DecimalConversionReadsLikeAtoi)
{
    EXPECT_EQ(ParseDecimal("42"), 42);
    EXPECT_EQ(ParseDecimal("-3"), -3);
    EXPECT_EQ(ParseDecimal("  +7"), 7);
    EXPECT_EQ(ParseDecimal("12abc"), 12);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("-"), 0);
    EXPECT_EQ(ParseDecimal("0x10"), 0);
    EXPECT_EQ(ParseDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    // Out of range saturates rather than wrapping.
    EXPECT_EQ(ParseDecimal("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("99999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999999"), INT32_MIN);
}

TEST(SettingsSave, IntegersAndTextsAreFormattedForTheFile)
{
    char out[kSettingValueSize];
    Settings settings;
    settings.tabStops = -3;
    FormatSetting(settings, Key(IDS_KEY_TABSTOPS), out, sizeof out);
    EXPECT_STREQ(out, "-3");
    settings.screenCharset = 255;
    FormatSetting(settings, Key(IDS_KEY_SCREENCHARSET), out, sizeof out);
    EXPECT_STREQ(out, "255");
    settings.newFile = INT32_MIN;
    FormatSetting(settings, Key(IDS_KEY_NEWFILE), out, sizeof out);
    EXPECT_STREQ(out, "-2147483648");
    FormatSetting(settings, Key(IDS_KEY_FOOTER), out, sizeof out);
    EXPECT_STREQ(out, "Page &p");

    char small[kIntTextSize];
    FormatSettingInt(INT32_MIN, small, sizeof small);
    EXPECT_STREQ(small, "-2147483648");
    char tiny[3];
    FormatSettingInt(12345, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "12");
}

TEST(SettingsSave, EveryKeyLoadsBackWhatWasSaved)
{
    Settings saved;
    saved.newFile = 0;
    saved.actionBar = -5;
    saved.largeIcons = 1;
    saved.tabStops = 80;
    saved.mouseMode = -2;
    saved.screenCharset = 204;
    saved.screenFontSize = 33;
    saved.printerFontSize = -300;
    std::strcpy(saved.screenFont, "Lucida Console");
    std::strcpy(saved.marginRight, "1.75");
    std::strcpy(saved.header, "");
    std::strcpy(saved.footer, "&d &t");

    Settings loaded;
    for (const SettingKey& key : kSettingKeys) {
        char text[kSettingValueSize];
        FormatSetting(saved, key, text, sizeof text);
        LoadSetting(loaded, key, text, "unused");
    }
    for (const SettingKey& key : kSettingKeys) {
        if (key.type == SettingType::Text) {
            EXPECT_STREQ(SettingText(loaded, key), SettingText(saved, key)) << key.nameId;
        } else {
            EXPECT_EQ(SettingInt(loaded, key), SettingInt(saved, key)) << key.nameId;
        }
    }
}

StartSize Unset()
{
    return StartSize{-1, -1, -1, -1};
}

void ExpectStartSize(const StartSize& size, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(size.left, left);
    EXPECT_EQ(size.top, top);
    EXPECT_EQ(size.right, right);
    EXPECT_EQ(size.bottom, bottom);
}

TEST(StartSizeText, BlanksAndCommasSeparateAlike)
{
    for (const char* text : {"10 20 630 460", "10,20,630,460", "10, 20 ,630,,460", "  10 20 630 460 "}) {
        StartSize size = Unset();
        ASSERT_TRUE(ParseStartSize(text, &size)) << text;
        ExpectStartSize(size, 10, 20, 630, 460);
    }
}

TEST(StartSizeText, FewerThanFourNumbersCountAsMissing)
{
    for (const char* text : {"", " ", ",,, ,", "10", "10 20 630", "10,20,,630,"}) {
        StartSize size = Unset();
        EXPECT_FALSE(ParseStartSize(text, &size)) << text;
        ExpectStartSize(size, -1, -1, -1, -1);
    }
}

TEST(StartSizeText, TokensConvertLikeAtoi)
{
    StartSize size = Unset();
    ASSERT_TRUE(ParseStartSize("-8 -8 1288 1032 77", &size));  // a maximised frame; extras ignored
    ExpectStartSize(size, -8, -8, 1288, 1032);

    ASSERT_TRUE(ParseStartSize("12px x 3.9 +4", &size));
    ExpectStartSize(size, 12, 0, 3, 4);

    ASSERT_TRUE(ParseStartSize("\t5 99999999999 -99999999999 0", &size));
    ExpectStartSize(size, 5, INT32_MAX, INT32_MIN, 0);
}

TEST(StartSizeText, FormatsWithBlanksAndReadsBack)
{
    char text[kStartSizeTextSize];
    FormatStartSize(StartSize{-8, 0, 1288, 1032}, text, sizeof text);
    EXPECT_STREQ(text, "-8 0 1288 1032");

    const StartSize widest{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
    FormatStartSize(widest, text, sizeof text);
    StartSize back = Unset();
    ASSERT_TRUE(ParseStartSize(text, &back));
    ExpectStartSize(back, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN);
}

TEST(StartSizeText, DefaultPlacementIsTheUpperHalfInsetFromTheSides)
{
    ExpectStartSize(DefaultStartSize(19, 20, 1280, 1024), 20, 39, 1260, 512);
    ExpectStartSize(DefaultStartSize(18, 19, 641, 481), 20, 37, 621, 240);
}

}  // namespace
