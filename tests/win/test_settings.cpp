// "Start Size" as a save writes it from a real frame window, minimised or not (the value rules
// are tested natively, the file's keys end to end). The file lives in the Windows directory of
// the test's own prefix; whatever stood there before is put back at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "doc/core_state.h"
#include "settings/settings_file.h"
#include "tests/win/win_helpers.h"

namespace {

std::string FileText()
{
    FlushSettings();
    return ReadBytes(WindowsPath("QV5.INI"));
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\r\n" + text + "\r\n").find("\r\n" + line + "\r\n") != std::string::npos;
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

    static bool hadFile_;
    static std::string original_;
};
bool SettingsFile::hadFile_ = false;
std::string SettingsFile::original_;

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
