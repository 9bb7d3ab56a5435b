// The Preferences dialog on the real frame with two documents, one of them minimised: the tab
// size rule reaching every view, the action-bar switches posted to the frame, the insert-mode
// pane, and a font confirmed in the real font dialog, kept on OK and dropped on Cancel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/preferences.h"
#include "app/window_list.h"
#include "display/status_geometry.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

int IniInt(const char* key)
{
    return static_cast<int>(GetPrivateProfileIntA("Kestrel Editor", key, -1, "QV5.INI"));
}

std::string SettingsBytes()
{
    FlushSettings();
    return ReadBytes(WindowsPath("QV5.INI"));
}

// The font dialog, once it is up: the largest size it offers that differs from the current
// one, then OK. A dialog that does not close gets Cancel after a second.
int g_ticks = 0;
void CALLBACK PickLargestSize(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND fonts = FindWindowA(nullptr, "Font Select");
    if (!fonts) return;
    if (++g_ticks > 20) {
        KillTimer(nullptr, timer);
        PostMessageA(fonts, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND sizes = GetDlgItem(fonts, 1138);
    const LRESULT last = SendMessageA(sizes, CB_GETCOUNT, 0, 0) - 1;
    if (last < 0 || SendMessageA(sizes, CB_GETCURSEL, 0, 0) == last) return;
    KillTimer(nullptr, timer);
    SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(last), 0);
    SendMessageA(fonts, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    PostMessageA(fonts, WM_COMMAND, IDOK, 0);
}

class Preferences : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DeleteSettingsFile();
        ASSERT_NE(StartTestFrame(800, 600), nullptr);
        for (HWND& w : docs_) {
            w = NewDocumentWindow(nullptr, 0, 0, 780, 300);  // room for a tab of 80 columns
            ASSERT_NE(w, nullptr);
            for (char c : {'\t', 'X'}) SendMessageA(w, WM_CHAR, static_cast<WPARAM>(c), 0);
        }
        ShowWindow(docs_[1], SW_MINIMIZE);
    }
    static void TearDownTestSuite() { StopTestFrame(); }

    // Made modeless, so the test can work its controls; EndDialog only hides it.
    static HWND Open()
    {
        HWND dialog =
            CreateDialogParamA(ResourceInstance(), IDD_PREFERENCES, docs_[0], PreferencesDlgProc, 0);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static void Press(HWND dialog, int id)
    {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    static void Confirm(HWND dialog, int button)
    {
        Press(dialog, button);
        DestroyWindow(dialog);
    }
    static EditState* Doc(int i) { return DocumentOfWindow(docs_[i]); }
    static int CellOfX()
    {
        const std::string row(Doc(0)->cells, static_cast<size_t>(Doc(0)->columns));
        return static_cast<int>(row.find('X'));
    }
    static std::vector<COLORREF> InsertPanePixels()
    {
        RECT c{};
        GetClientRect(g_app.statusLineWindow, &c);
        const PaneRect r = PaneTextArea({g_app.borderUnit, g_app.messagePaneWidth, g_app.indicatorPaneWidth},
                                        PaneRect{c.left, c.top, c.right, c.bottom}, kPaneInsertMode);
        std::vector<COLORREF> pixels;
        HDC dc = GetDC(g_app.statusLineWindow);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(g_app.statusLineWindow, dc);
        return pixels;
    }

    static HWND docs_[2];
};
HWND Preferences::docs_[2] = {};

TEST_F(Preferences, TabSizeIsClampedAndReachesEveryDocument)
{
    const struct {
        const char* typed;
        int stored;
    } cases[] = {{"0", 8}, {"99", 80}, {"80", 80}, {"1", 1}, {"x", 8}, {"", 8}};
    for (const auto& c : cases) {
        Doc(0)->tabSize = Doc(1)->tabSize = 3;
        HWND dialog = Open();
        SetDlgItemTextA(dialog, IDC_TAB_SIZE, c.typed);
        Confirm(dialog, IDOK);
        EXPECT_EQ(g_core.settings.tabStops, c.stored) << c.typed;
        EXPECT_EQ(Doc(0)->tabSize, c.stored) << c.typed;
        EXPECT_EQ(Doc(1)->tabSize, c.stored) << "the minimised one too: " << c.typed;
        EXPECT_EQ(CellOfX(), c.stored) << "the view is drawn again: " << c.typed;
        EXPECT_EQ(IniInt("TabStops"), c.stored) << c.typed;
    }
}

TEST_F(Preferences, ActionBarSwitchesArePostedOnlyWhenChanged)
{
    const struct {
        bool ticked;
        bool posted;
    } cases[] = {{true, false}, {false, true}, {false, false}, {true, true}};
    for (const auto& c : cases) {
        HWND dialog = Open();
        CheckDlgButton(dialog, IDC_SHOW_ACTION_BAR, c.ticked ? BST_CHECKED : BST_UNCHECKED);
        Confirm(dialog, IDOK);
        MSG msg;
        const bool posted = PeekMessageA(&msg, g_app.frameWindow, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) &&
                            LOWORD(msg.wParam) == IDM_ACTION_BAR;
        EXPECT_EQ(posted, c.posted) << c.ticked;
        Pump();
        EXPECT_EQ(g_app.actionBarShown, c.ticked ? 1 : 0);
        EXPECT_EQ(ActionBarWindow(g_app.actionBarBlock) != nullptr, c.ticked);
        EXPECT_EQ(IniInt("ActionBar"), c.ticked ? 1 : 0);
    }
}

TEST_F(Preferences, InsertModeRedrawsItsPaneAtOnce)
{
    const std::vector<COLORREF> ins = InsertPanePixels();
    for (int mode : {0, 1}) {
        HWND dialog = Open();
        CheckDlgButton(dialog, IDC_INSERT_MODE, mode ? BST_CHECKED : BST_UNCHECKED);
        ValidateRect(g_app.statusLineWindow, nullptr);
        Confirm(dialog, IDOK);
        EXPECT_EQ(g_core.insertMode, mode);
        EXPECT_EQ(IniInt("InsertMode"), mode);
        EXPECT_EQ(InsertPanePixels() == ins, mode == 1) << "without a repaint of the line: " << mode;
    }
}

TEST_F(Preferences, AConfirmedFontIsTakenOnOkAndDroppedOnCancel)
{
    for (int button : {IDCANCEL, IDOK}) {
        const int heights[2] = {Doc(0)->cellHeight, Doc(1)->cellHeight}, rows = Doc(0)->rows;
        const std::string before = SettingsBytes();
        const int size = g_core.settings.screenFontSize;
        HWND dialog = Open();
        g_ticks = 0;
        ASSERT_NE(SetTimer(nullptr, 0, 50, PickLargestSize), 0u);
        Press(dialog, IDC_SCREEN_FONT);
        ASSERT_EQ(g_app.prefFontChosen, 1) << "the font dialog was confirmed";
        Confirm(dialog, button);
        if (button == IDCANCEL) {
            EXPECT_EQ(SettingsBytes(), before);
            for (int i : {0, 1}) EXPECT_EQ(Doc(i)->cellHeight, heights[i]) << i;
            // An OK later does not take the cancelled choice either.
            Confirm(Open(), IDOK);
            EXPECT_EQ(g_core.settings.screenFontSize, size);
            for (int i : {0, 1}) EXPECT_EQ(Doc(i)->cellHeight, heights[i]) << i;
            continue;
        }
        EXPECT_GT(g_core.settings.screenFontSize, size);
        EXPECT_EQ(IniInt("ScreenFontSize"), g_core.settings.screenFontSize);
        for (int i : {0, 1}) {
            EXPECT_GT(Doc(i)->cellHeight, heights[i]) << i;
            EXPECT_NE(Doc(i)->font, g_app.screenFontHandle) << "each view draws in a copy of its own";
        }
        EXPECT_LT(Doc(0)->rows, rows) << "laid out again for the larger cells";
    }
}

}  // namespace
