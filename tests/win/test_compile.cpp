// The compiler options dialog on the real frame: what it shows from the settings file, the map
// file box enabling line numbers, what OK writes and what Cancel leaves.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/message_box.h"
#include "compile/compile.h"
#include "resources/ids.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

std::string SettingsBytes()
{
    FlushSettings();
    return ReadBytes(WindowsPath("QV5.INI"));
}

class CompilerOptionsDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void SetUp() override
    {
        g_app.compiler = CompilerOptions{};
        WritePrivateProfileStringA("ZURIRIRU", nullptr, nullptr, "QV5.INI");
    }
    // The dialog made modeless, so the test can work its controls; EndDialog only hides it.
    static HWND Open()
    {
        return CreateDialogParamA(ResourceInstance(), IDD_COMPILER_OPTIONS, g_app.frameWindow,
                                  CompileOptionsDlgProc, 0);
    }
    static void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
};

TEST_F(CompilerOptionsDialog, UntouchedOkOnAFreshInstallationWritesTheDefaults)
{
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "KESTREL Compiler Options");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LINE_NUMBERS)));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WARNING_1), BST_CHECKED);
    EXPECT_EQ(DlgText(dialog, IDC_MAX_ERRORS), "20");
    Press(dialog, IDOK);
    DestroyWindow(dialog);
    EXPECT_NE(SettingsBytes().find("[ZURIRIRU]\r\nIncludePath=\r\nOptions=/W1 /E20 \r\n"), std::string::npos)
        << SettingsBytes();
}

TEST_F(CompilerOptionsDialog, StoredSwitchesFillTheControlsAndOkReadsThemBack)
{
    WritePrivateProfileStringA("ZURIRIRU", "Options", "/Z /ML /W2 /E50 /DDEBUG", "QV5.INI");
    WritePrivateProfileStringA("ZURIRIRU", "IncludePath", "C:\\INC", "QV5.INI");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_DEBUG_INFO), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_MAP_FILE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_LINE_NUMBERS), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_LINE_NUMBERS)));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WARNING_2), BST_CHECKED);
    EXPECT_EQ(DlgText(dialog, IDC_MAX_ERRORS), "50");
    EXPECT_EQ(DlgText(dialog, IDC_INCLUDE_PATH), "C:\\INC");
    EXPECT_EQ(DlgText(dialog, IDC_SAVED_OPTIONS), "/DDEBUG");
    // The limits: 3, 127, 80 and 80 characters.
    const std::string longText(200, '7');
    for (int id : {IDC_MAX_ERRORS, IDC_INCLUDE_PATH, IDC_SAVED_OPTIONS, IDC_SESSION_OPTIONS})
        SendDlgItemMessageA(dialog, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
    EXPECT_EQ(DlgText(dialog, IDC_MAX_ERRORS).size(), 3u);
    EXPECT_EQ(DlgText(dialog, IDC_INCLUDE_PATH).size(), 127u);
    EXPECT_EQ(DlgText(dialog, IDC_SAVED_OPTIONS).size(), 80u);

    // Map file off disables the line-numbers box; a maximum that is no number is 0; leading
    // blanks go, tabs stay.
    CheckDlgButton(dialog, IDC_MAP_FILE, BST_UNCHECKED);
    Press(dialog, IDC_MAP_FILE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LINE_NUMBERS)));
    CheckRadioButton(dialog, IDC_WARNING_0, IDC_WARNING_2, IDC_WARNING_0);
    SetDlgItemTextA(dialog, IDC_MAX_ERRORS, "x");
    SetDlgItemTextA(dialog, IDC_INCLUDE_PATH, "  C:\\K");
    SetDlgItemTextA(dialog, IDC_SAVED_OPTIONS, "  /A   /B ");
    SetDlgItemTextA(dialog, IDC_SESSION_OPTIONS, " \t/DX=1");
    Press(dialog, IDOK);
    DestroyWindow(dialog);
    const CompilerOptions& o = g_app.compiler;
    EXPECT_EQ(o.mapFile, 0);
    EXPECT_EQ(o.warningLevel, 0);
    EXPECT_EQ(o.maxErrors, 0);
    EXPECT_STREQ(o.compileCommandOptions, "\t/DX=1");
    const std::string ini = SettingsBytes();
    EXPECT_NE(ini.find("IncludePath=C:\\K\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Options=/Z /W0 /E0 /A /B \r\n"), std::string::npos) << ini;
}

TEST_F(CompilerOptionsDialog, CancelWritesNothingAndKeepsTheCommandsOptions)
{
    std::snprintf(g_app.compiler.compileCommandOptions, sizeof g_app.compiler.compileCommandOptions, "/DOLD");
    const std::string before = SettingsBytes();
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, IDC_SESSION_OPTIONS, "/DNEW");
    SetDlgItemTextA(dialog, IDC_INCLUDE_PATH, "C:\\NEW");
    Press(dialog, IDCANCEL);
    DestroyWindow(dialog);
    EXPECT_EQ(SettingsBytes(), before);
    EXPECT_STREQ(g_app.compiler.compileCommandOptions, "/DOLD");
}

}  // namespace
