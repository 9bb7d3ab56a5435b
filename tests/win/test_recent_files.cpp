// The recent-file list on a real File menu and in the settings file, and the file dialog run
// for real: a thread timer, dispatched by the dialog's own message loop, plays the user. The
// settings file of the test prefix is copied aside first and put back at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

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
        g_app.fileDialogPath[0] = '\0';
        g_app.filterIndex = 1;
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
    char second[] = "c:\\b.ksr";
    char longName[] = "c:\\a folder name long enough\\to shorten.inc";
    AddRecentFile(second);
    AddRecentFile(longName);
    BuildRecentFileMenu(file);
    expected.pop_back();
    expected.insert(expected.end(),
                    {"510 &1 TO SHORTEN.INC", "511 &2 C:\\B.KSR", "512 &3 C:\\WORK\\R&&D.KSR"});
    EXPECT_EQ(MenuLines(file), expected);
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

// Each tick looks for the file dialog owned by `owner`; once it is up, `act` checks and fills
// it and `button` closes it. Whatever is still up after five seconds is cancelled.
struct DialogPlayer {
    HWND owner;
    void (*act)(HWND dialog);
    int button;
    bool acted;
    int ticks;
} g_player;

BOOL CALLBACK VisitDialog(HWND window, LPARAM found)
{
    char name[16];
    if (!IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) ||
        lstrcmpA(name, "#32770") != 0)
        return TRUE;
    if (found == 0) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    if (found == 0 || GetWindow(window, GW_OWNER) != g_player.owner) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK PlayDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    if (++g_player.ticks > 50) EnumThreadWindows(GetCurrentThreadId(), VisitDialog, 0);
    if (g_player.acted || g_player.ticks > 50) return;
    EnumThreadWindows(GetCurrentThreadId(), VisitDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) return;
    g_player.acted = true;
    if (g_player.act) g_player.act(dialog);
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(g_player.button), 0);
}

char* RunDialog(HWND owner, bool open, void (*act)(HWND), int button)
{
    g_player = DialogPlayer{owner, act, button, false, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, PlayDialog);
    char* chosen = ChooseFileName(owner, open ? IDS_FILE_OPEN_TITLE : IDS_FILE_SAVE_TITLE, open);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_player.acted && g_player.ticks <= 50) << "the dialog did not come up, or hung";
    return chosen;
}

std::string g_folder;  // where the dialogs work, without a final backslash
RECT g_ownerRect;

// Checks the dialog's title, folder and current filter, then picks a filter and types a name.
void Expect(HWND dialog, const char* title, int filter, int newFilter, const char* name)
{
    char text[MAX_PATH] = "";
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, title);
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(lstrcmpiA(text, g_folder.c_str()), 0) << text;
    EXPECT_EQ(SendDlgItemMessageA(dialog, cmb1, CB_GETCURSEL, 0, 0) + 1, filter);
    SendDlgItemMessageA(dialog, cmb1, CB_SETCURSEL, static_cast<WPARAM>(newFilter - 1), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
    // The name box is an edit or an edit-combo, by the system's version of the dialog.
    for (int id : {edt1, cmb13}) SetDlgItemTextA(dialog, id, name);
}

// First use: off the owner's corner, in "Scripts" of the settings file, on the first filter.
void OpenWithTextFilter(HWND dialog)
{
    RECT rect;
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, g_ownerRect.left + 200);
    EXPECT_EQ(rect.top, g_ownerRect.top + 200);
    Expect(dialog, "File Open", 1, 7, "A.TXT");
}

// Next use: in the last path's folder on the last filter. Under "All Files" only the default
// extension, the text filter's, can complete a name without one.
void SaveUnderAllFiles(HWND dialog)
{
    Expect(dialog, "File Save", 7, 9, "NEW");
}

TEST_F(RecentFiles, DialogCarriesDirectoryFilterAndDefaultExtension)
{
    g_folder = TempPath("zavodo-recent-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(g_folder.c_str(), nullptr);
    const std::string textFile = g_folder + "\\A.TXT";
    WriteBytes(textFile, "");
    WritePrivateProfileStringA("paths", "Scripts", g_folder.c_str(), kIni);
    TestWindow window(WS_POPUP | WS_VISIBLE, 30, 40, 400, 300);
    HWND owner = window.hwnd;
    ASSERT_NE(owner, nullptr);
    GetWindowRect(owner, &g_ownerRect);

    const char* chosen = RunDialog(owner, true, OpenWithTextFilter, IDOK);
    EXPECT_EQ(lstrcmpiA(chosen ? chosen : "", textFile.c_str()), 0);
    EXPECT_EQ(g_app.filterIndex, 7u);

    WritePrivateProfileStringA("paths", "Scripts", TempPath("").c_str(), kIni);  // the last path decides now
    chosen = RunDialog(owner, false, SaveUnderAllFiles, IDOK);
    EXPECT_EQ(lstrcmpiA(chosen ? chosen : "", (g_folder + "\\NEW.TXT").c_str()), 0);
    EXPECT_EQ(g_app.filterIndex, 9u);

    EXPECT_EQ(RunDialog(owner, true, nullptr, IDCANCEL), nullptr);
    EXPECT_STREQ(g_app.fileDialogPath, "") << "a cancelled dialog forgets the last path";
    EXPECT_EQ(g_app.filterIndex, 9u);

    DeleteFileA(textFile.c_str());
    RemoveDirectoryA(g_folder.c_str());
    WritePrivateProfileStringA("paths", nullptr, nullptr, kIni);
}

}  // namespace
