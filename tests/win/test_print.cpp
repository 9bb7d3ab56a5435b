// Page Setup on the real frame: what it shows, the margin rule (below 3 inches taken as typed,
// 3 or more keeps the old value, more than 4 characters refused with a message), Cancel.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/message_box.h"
#include "print/print.h"
#include "resources/ids.h"
#include "settings/settings_file.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

class PageSetup : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void SetUp() override
    {
        saved_ = g_core.settings;
    }
    void TearDown() override
    {
        g_core.settings = saved_;
        SettingsSave();  // the settings file as it was for the tests after this one
    }
    Settings saved_;
    BoxHook boxes_;
};

TEST_F(PageSetup, MarginsBelowThreeInchesAreTakenLongOnesRefusedAndCancelChangesNothing)
{
    // clang-format off
    const struct { const char* typed; const char* stored; bool refused; int button = IDOK; } table[] = {
        {"2.5", "2.5", false}, {"3", "0.25", false}, {"3.0", "0.25", false}, {"-1", "-1", false},
        {"abc", "abc", false}, {"", "", false}, {"0.125", "0.25", true}, {"1234567", "0.25", true},
        {"1", "0.25", false, IDCANCEL}};
    // clang-format on
    for (const auto& row : table) {
        SCOPED_TRACE(row.typed);
        g_core.settings = saved_;
        g_boxes.clear();
        HWND dialog = CreateDialogParamA(ResourceInstance(), IDD_PAGE_SETUP, g_app.frameWindow, PageDlgProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(DlgText(dialog, IDC_MARGIN_LEFT), saved_.marginLeft);
        EXPECT_EQ(DlgText(dialog, IDC_FOOTER), saved_.footer);
        SetDlgItemTextA(dialog, IDC_MARGIN_LEFT, row.typed);
        SetDlgItemTextA(dialog, IDC_HEADER, "");
        SendMessageA(dialog, WM_COMMAND, row.button, 0);
        EXPECT_STREQ(g_core.settings.marginLeft, row.stored);
        EXPECT_STREQ(g_core.settings.header, row.refused || row.button == IDCANCEL ? saved_.header : "");
        EXPECT_EQ(g_boxes.size(), row.refused ? 1u : 0u);
        if (row.refused && !g_boxes.empty()) {
            EXPECT_EQ(g_boxes[0].text.rfind("A margin may have at most 4 characters: ", 0), 0u) << g_boxes[0].text;
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
