// The recent-file list on a real File menu and in the settings file (the file dialogs are run
// end to end, their folders and filters tested natively). The settings file of the test prefix
// is copied aside first and put back at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/recent_files.h"
#include "resources/ids.h"
#include "settings/settings_file.h"
#include "tests/win/win_helpers.h"

namespace {

const char kIni[] = "QV5.INI";
const char kRecent[] = "Recent Files";

std::string Key(const char* section, const char* key)
{
    char value[400];
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, kIni);
    return value;
}

// The menu as "id text" lines, "-" for a separator.
std::vector<std::string> MenuLines(HMENU menu)
{
    std::vector<std::string> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[300] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        lines.push_back((info.fType & MFT_SEPARATOR) ? "-" : std::to_string(info.wID) + " " + text);
    }
    return lines;
}

class RecentFiles : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        FlushSettings();
        hadFile_ = CopyFileA(WindowsPath(kIni).c_str(), WindowsPath("QV5.SAV").c_str(), FALSE);
    }
    static void TearDownTestSuite()
    {
        DeleteSettingsFile();
        if (hadFile_) MoveFileA(WindowsPath("QV5.SAV").c_str(), WindowsPath(kIni).c_str());
    }
    void SetUp() override
    {
        for (char* entry : g_app.recentFiles) entry[0] = '\0';
        WritePrivateProfileStringA(kRecent, nullptr, nullptr, kIni);
    }
    static bool hadFile_;
};
bool RecentFiles::hadFile_ = false;

TEST_F(RecentFiles, MenuShowsTheListOnceBelowExit)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), IDR_SHORT_MENU);
    ASSERT_NE(bar, nullptr);
    HMENU file = GetSubMenu(bar, 0);
    std::vector<std::string> expected = MenuLines(file);
    ASSERT_EQ(expected.back(), "508 E&xit\tAlt+X");
    BuildRecentFileMenu(file);
    EXPECT_EQ(MenuLines(file), expected) << "an empty list adds nothing, not even the separator";

    char first[] = "c:\\work\\r&d.ksr";
    AddRecentFile(first);
    EXPECT_STREQ(first, "C:\\WORK\\R&D.KSR") << "the caller's text is upper-cased";
    expected.insert(expected.end(), {"-", "510 &1 C:\\WORK\\R&&D.KSR"});
    for (int pass = 0; pass < 2; ++pass) {
        BuildRecentFileMenu(file);
        EXPECT_EQ(MenuLines(file), expected) << "building again replaces the entries";
    }
    DestroyMenu(bar);
}

TEST_F(RecentFiles, AGapEndsTheListAndSaveLeavesHigherKeys)
{
    const std::string longName(300, 'L');
    WritePrivateProfileStringA(kRecent, "File1", "c:\\one.ksr", kIni);
    WritePrivateProfileStringA(kRecent, "File3", "C:\\THREE.KSR", kIni);
    WritePrivateProfileStringA(kRecent, "File4", longName.c_str(), kIni);
    SettingsLoad();
    EXPECT_EQ((std::vector<std::string>(std::begin(g_app.recentFiles), std::end(g_app.recentFiles))),
              (std::vector<std::string>{"c:\\one.ksr", "", "C:\\THREE.KSR", longName.substr(0, 259)}));
    HMENU menu = CreatePopupMenu();
    BuildRecentFileMenu(menu);
    EXPECT_EQ(MenuLines(menu), std::vector<std::string>{"510 &1 c:\\one.ksr"});
    DestroyMenu(menu);

    lstrcpyA(g_app.recentFiles[0], "C:\\NEW.KSR");
    lstrcpyA(g_app.recentFiles[2], "C:\\HIDDEN.KSR");
    SettingsSave();
    EXPECT_EQ(Key(kRecent, "File1"), "C:\\NEW.KSR");
    EXPECT_EQ(Key(kRecent, "File2"), "(none)");
    EXPECT_EQ(Key(kRecent, "File3"), "C:\\THREE.KSR") << "entries after the gap are not written";
    EXPECT_EQ(Key(kRecent, "File4"), longName) << "the stored value is left as it was";
}

}  // namespace
