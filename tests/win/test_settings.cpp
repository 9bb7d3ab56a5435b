// The settings file on disk: defaults without a file, what the profile reader hands over, what
// a save writes, and "Start Size" from a real frame window (the value rules themselves are
// tested natively). The file lives in the Windows directory of the test's own prefix; whatever
// stood there before is put back at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "doc/core_state.h"
#include "settings/settings_file.h"
#include "settings/settings_rules.h"
#include "tests/win/win_helpers.h"

namespace {

std::string FileText()
{
    FlushSettings();
    return ReadBytes(WindowsPath("QV5.INI"));
}

// A main section holding the given lines (each "Key=value", CR LF after each).
void WriteMainSection(const std::string& lines)
{
    FlushSettings();
    WriteBytes(WindowsPath("QV5.INI"), "[Kestrel Editor]\r\n" + lines);
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\r\n" + text + "\r\n").find("\r\n" + line + "\r\n") != std::string::npos;
}

std::string Value(const Settings& settings, const SettingKey& key)
{
    return key.type == SettingType::Text ? SettingText(settings, key)
                                         : std::to_string(SettingInt(settings, key));
}

class SettingsFile : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        FlushSettings();
        hadFile_ = FileExists(WindowsPath("QV5.INI"));
        original_ = ReadBytes(WindowsPath("QV5.INI"));
    }
    static void TearDownTestSuite()
    {
        DeleteSettingsFile();
        if (hadFile_) WriteBytes(WindowsPath("QV5.INI"), original_);
    }
    void SetUp() override
    {
        DeleteSettingsFile();
        g_core.settings = Settings{};
        g_app.frameWindow = nullptr;
    }
    void TearDown() override
    {
        g_app.frameWindow = nullptr;
        g_core.settings = Settings{};
    }
    // Every field away from its default, so a load that leaves one alone is seen.
    static void Scramble()
    {
        for (const SettingKey& key : kSettingKeys) LoadSetting(g_core.settings, key, "7", nullptr);
    }

    static bool hadFile_;
    static std::string original_;
};
bool SettingsFile::hadFile_ = false;
std::string SettingsFile::original_;

TEST_F(SettingsFile, NoFileGivesEveryDefaultAndLoadingCreatesNone)
{
    Scramble();
    SettingsLoad();
    for (const SettingKey& key : kSettingKeys)
        EXPECT_EQ(Value(g_core.settings, key), Value(Settings{}, key)) << key.nameId;
    EXPECT_STREQ(g_core.settings.screenFont, "Courier New");  // the string table's texts
    EXPECT_STREQ(g_core.settings.printerFont, "Courier");
    EXPECT_STREQ(g_core.settings.footer, "Page &p");
    EXPECT_FALSE(FileExists(WindowsPath("QV5.INI")));
}

TEST_F(SettingsFile, StoredValuesReachTheirFieldsAsTheReaderHandsThemOver)
{
    const std::string longName(300, 'N');
    WriteMainSection("Top=1234\r\nHeader=\r\nScreenFont=" + longName +
                     "\r\nNewFile=abc\r\nActionBar=\r\nautoindent=0\r\nNo Tabs=1\r\nTabStops=264\r\n");
    Scramble();
    SettingsLoad();
    const Settings& s = g_core.settings;
    EXPECT_STREQ(s.marginTop, "1234");
    EXPECT_STREQ(s.marginRight, "0.25");
    EXPECT_STREQ(s.header, "") << "a present empty header is no header";
    EXPECT_STREQ(s.footer, "Page &p");
    EXPECT_EQ(std::string(s.screenFont), longName.substr(0, kFontNameSize - 1));
    EXPECT_EQ(s.newFile, 0);
    EXPECT_EQ(s.actionBar, 0) << "a present value that is not a number reads as 0";
    EXPECT_EQ(s.autoIndent, 0) << "keys match without regard to case";
    EXPECT_EQ(s.noTabs, 1);
    EXPECT_EQ(s.tabStops, 8) << "checked on load";
    EXPECT_EQ(s.iconLabel, 1);
}

TEST_F(SettingsFile, StartSizeIsReadWithinTheReadersRoomOrIsTheDefaultPlacement)
{
    const RECT placement{20, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU),
                         GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) / 2};
    ASSERT_GT(placement.top, 0);
    // The last: three numbers and the start of a huge fourth, which saturates.
    const struct {
        std::string stored;  // empty: no file
        bool found;
        RECT rect;
    } cases[] = {
        {"", false, placement},
        {"Start Size=", false, placement},
        {"Start Size=10 20 630", false, placement},
        {"Start Size=10, 20,,630 ,460", true, {10, 20, 630, 460}},
        {"Start Size=1 2 3 " + std::string(200, '9'), true, {1, 2, 3, INT32_MAX}},
    };
    for (const auto& c : cases) {
        if (c.stored.empty()) DeleteSettingsFile();
        if (!c.stored.empty()) WriteMainSection(c.stored + "\r\n");
        RECT rect{-1, -1, -1, -1};
        EXPECT_EQ(ReadStartSize(&rect), c.found) << c.stored;
        EXPECT_EQ(Sides(rect), Sides(c.rect)) << c.stored;
    }
}

TEST_F(SettingsFile, SaveWritesEveryKeyAlsoDefaults)
{
    g_core.settings.tabStops = 4;
    g_core.settings.mouseMode = -2;
    std::snprintf(g_core.settings.header, kTemplateSize, "%s", "");
    std::snprintf(g_core.settings.marginLeft, kMarginSize, "%s", "1.5");
    SettingsSave();

    const std::string text = FileText();
    EXPECT_TRUE(HasLine(text, "[Kestrel Editor]")) << text;
    for (const char* line : {"NewFile=1",        "ActionBar=1",        "IconLabel=1",
                             "LargeIcons=0",     "No Tabs=0",          "TabStops=4",
                             "LargeCursor=0",    "AutoIndent=1",       "InsertMode=1",
                             "MouseMode=-2",     "OEMKeys=1",          "ScreenFont=Courier New",
                             "ScreenCharset=0",  "ScreenFontSize=10",  "PrinterFont=Courier",
                             "PrinterCharset=0", "PrinterFontSize=10", "Left=1.5",
                             "Top=0.25",         "Right=0.25",         "Bottom=0.25",
                             "Header=",          "Footer=Page &p"}) {
        EXPECT_TRUE(HasLine(text, line)) << line << " missing from\n" << text;
    }
    EXPECT_EQ(text.find("Start Size"), std::string::npos) << "no frame window, no placement";

    // What was written loads back, the empty header included.
    const Settings saved = g_core.settings;
    Scramble();
    SettingsLoad();
    for (const SettingKey& key : kSettingKeys)
        EXPECT_EQ(Value(g_core.settings, key), Value(saved, key)) << key.nameId;
}

TEST_F(SettingsFile, StartSizeIsTheFrameRectangleUnlessMinimised)
{
    TestWindow frame(WS_OVERLAPPEDWINDOW, 30, 40, 500, 300);
    ASSERT_NE(frame.hwnd, nullptr);
    g_app.frameWindow = frame.hwnd;
    SettingsSave();
    EXPECT_TRUE(HasLine(FileText(), "Start Size=30 40 530 340")) << FileText();

    // Moved, then minimised: the save keeps the placement stored before.
    ASSERT_TRUE(SetWindowPos(frame.hwnd, nullptr, 60, 70, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE));
    ShowWindow(frame.hwnd, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(frame.hwnd));
    g_core.settings.tabStops = 6;
    SettingsSave();
    EXPECT_TRUE(HasLine(FileText(), "Start Size=30 40 530 340")) << FileText();
    EXPECT_TRUE(HasLine(FileText(), "TabStops=6")) << "the other keys are still written";

    // Shown again at the new place: that is what is stored.
    ShowWindow(frame.hwnd, SW_RESTORE);
    ASSERT_FALSE(IsIconic(frame.hwnd));
    SettingsSave();
    EXPECT_TRUE(HasLine(FileText(), "Start Size=60 70 460 270")) << FileText();
}

}  // namespace
