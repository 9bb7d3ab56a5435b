// Page Setup on the real frame: what it shows, the margin rule (below 3 inches taken as typed,
// 3 or more keeps the old value, more than 4 characters refused with a message), Cancel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/message_box.h"
#include "print/print.h"
#include "resources/ids.h"
#include "settings/settings_file.h"
#include "tests/win/frame_fixture.h"

namespace {

std::vector<std::string> g_boxes;
int RecordBox(HWND, const char* text, const char*, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

class PageSetup : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void SetUp() override
    {
        saved_ = g_core.settings;
        g_app.messageBoxHook = RecordBox;
        g_boxes.clear();
    }
    void TearDown() override
    {
        g_core.settings = saved_;
        SettingsSave();  // the settings file as it was for the tests after this one
        g_app.messageBoxHook = nullptr;
    }
    Settings saved_;
};

std::string Text(HWND dialog, int id)
{
    char text[64];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST_F(PageSetup, MarginsBelowThreeInchesAreTakenAndLongOnesRefused)
{
    // clang-format off
    const struct { const char* typed; const char* stored; bool refused; } table[] = {
        {"2.5", "2.5", false}, {"3", "0.25", false}, {"3.0", "0.25", false}, {"-1", "-1", false},
        {"abc", "abc", false}, {"", "", false}, {"0.125", "0.25", true}, {"1234567", "0.25", true}};
    // clang-format on
    for (const auto& row : table) {
        SCOPED_TRACE(row.typed);
        g_core.settings = saved_;
        g_boxes.clear();
        HWND dialog = CreateDialogParamA(ResourceInstance(), IDD_PAGE_SETUP, g_app.frameWindow, PageDlgProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Text(dialog, IDC_MARGIN_LEFT), saved_.marginLeft);
        EXPECT_EQ(Text(dialog, IDC_FOOTER), saved_.footer);
        SetDlgItemTextA(dialog, IDC_MARGIN_LEFT, row.typed);
        SetDlgItemTextA(dialog, IDC_HEADER, "");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_STREQ(g_core.settings.marginLeft, row.stored);
        EXPECT_STREQ(g_core.settings.header, row.refused ? saved_.header : "");
        EXPECT_EQ(g_boxes.size(), row.refused ? 1u : 0u);
        if (row.refused && !g_boxes.empty()) {
            EXPECT_EQ(g_boxes[0].rfind("A margin may have at most 4 characters: ", 0), 0u) << g_boxes[0];
        }
        DestroyWindow(dialog);
    }
}

TEST_F(PageSetup, CancelChangesNothing)
{
    HWND dialog = CreateDialogParamA(ResourceInstance(), IDD_PAGE_SETUP, g_app.frameWindow, PageDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, IDC_MARGIN_TOP, "1");
    SetDlgItemTextA(dialog, IDC_FOOTER, "x");
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(dialog);
    EXPECT_STREQ(g_core.settings.marginTop, saved_.marginTop);
    EXPECT_STREQ(g_core.settings.footer, saved_.footer);
}

}  // namespace
