// The settings file on disk: defaults without a file, odd stored values, what a save writes,
// and "Start Size" from a real frame window. The file lives in the Windows directory of the
// test's own prefix; whatever stood there before is put back at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "doc/core_state.h"
#include "settings/settings_file.h"

namespace {

const char kFileName[] = "QV5.INI";

std::string FilePath()
{
    char dir[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(dir, sizeof dir);
    EXPECT_TRUE(length > 0 && length < sizeof dir);
    return std::string(dir) + "\\" + kFileName;
}

// The profile functions keep a cached copy of the file; this form of the call writes it out
// and drops it, so the file on disk is what the next read sees.
void DropCachedCopy()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kFileName);
}

void DeleteSettingsFile()
{
    DropCachedCopy();
    if (!DeleteFileA(FilePath().c_str())) {
        ASSERT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    }
}

bool ReadFileText(std::string* text)
{
    DropCachedCopy();
    FILE* file = std::fopen(FilePath().c_str(), "rb");
    if (file == nullptr) return false;
    text->clear();
    char chunk[512];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text->append(chunk, got);
    std::fclose(file);
    return true;
}

void WriteFileText(const std::string& text)
{
    DropCachedCopy();
    FILE* file = std::fopen(FilePath().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
    ASSERT_EQ(std::fclose(file), 0);
}

// A main section holding the given lines (each "Key=value", CR LF after each).
void WriteMainSection(const std::string& lines)
{
    WriteFileText("[Kestrel Editor]\r\n" + lines);
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\r\n" + text + "\r\n").find("\r\n" + line + "\r\n") != std::string::npos;
}

class SettingsFile : public testing::Test {
protected:
    static void SetUpTestSuite() { hadFile_ = ReadFileText(&original_); }
    static void TearDownTestSuite()
    {
        DeleteSettingsFile();
        if (hadFile_) WriteFileText(original_);
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

    // Fields set away from every default, so a load that leaves one alone is seen.
    static void Scramble(Settings& s)
    {
        s.newFile = s.actionBar = s.iconLabel = 7;
        s.largeIcons = s.noTabs = s.largeCursor = 7;
        s.autoIndent = s.insertMode = s.oemKeys = 7;
        s.tabStops = s.mouseMode = 7;
        s.screenCharset = s.printerCharset = 7;
        s.screenFontSize = s.printerFontSize = 7;
        for (char* text : {s.screenFont, s.printerFont, s.header, s.footer}) {
            std::snprintf(text, kFontNameSize, "x");
        }
        for (char* text : {s.marginLeft, s.marginTop, s.marginRight, s.marginBottom}) {
            std::snprintf(text, kMarginSize, "x");
        }
    }

    static bool hadFile_;
    static std::string original_;
};

bool SettingsFile::hadFile_ = false;
std::string SettingsFile::original_;

TEST_F(SettingsFile, NoFileGivesEveryDefault)
{
    Scramble(g_core.settings);
    SettingsLoad();
    const Settings& s = g_core.settings;
    EXPECT_EQ(s.newFile, 1);
    EXPECT_EQ(s.actionBar, 1);
    EXPECT_EQ(s.iconLabel, 1);
    EXPECT_EQ(s.largeIcons, 0);
    EXPECT_EQ(s.noTabs, 0);
    EXPECT_EQ(s.tabStops, 8);
    EXPECT_EQ(s.largeCursor, 0);
    EXPECT_EQ(s.autoIndent, 1);
    EXPECT_EQ(s.insertMode, 1);
    EXPECT_EQ(s.mouseMode, 1);
    EXPECT_EQ(s.oemKeys, 1);
    EXPECT_STREQ(s.screenFont, "Courier New");
    EXPECT_EQ(s.screenCharset, 0);
    EXPECT_EQ(s.screenFontSize, 10);
    EXPECT_STREQ(s.printerFont, "Courier");
    EXPECT_EQ(s.printerCharset, 0);
    EXPECT_EQ(s.printerFontSize, 10);
    EXPECT_STREQ(s.marginLeft, "0.25");
    EXPECT_STREQ(s.marginTop, "0.25");
    EXPECT_STREQ(s.marginRight, "0.25");
    EXPECT_STREQ(s.marginBottom, "0.25");
    EXPECT_STREQ(s.header, "&f");
    EXPECT_STREQ(s.footer, "Page &p");

    std::string text;
    EXPECT_FALSE(ReadFileText(&text)) << "loading must not create the file";
}

TEST_F(SettingsFile, MissingStartSizeGivesTheDefaultPlacement)
{
    RECT rect{-1, -1, -1, -1};
    EXPECT_FALSE(ReadStartSize(&rect));
    EXPECT_EQ(rect.left, 20);
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN) - 20);
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_GT(rect.top, 0);
}

TEST_F(SettingsFile, TabStopsAreCheckedOnLoad)
{
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"0", 8}, {"81", 8}, {"-3", 8}, {"80", 80}, {"264", 8}, {"260", 4}, {"12", 12}};
    for (const auto& c : cases) {
        WriteMainSection(std::string("TabStops=") + c.stored + "\r\n");
        g_core.settings.tabStops = 99;
        SettingsLoad();
        EXPECT_EQ(g_core.settings.tabStops, c.expected) << c.stored;
    }
}

TEST_F(SettingsFile, OddValuesLoadAsStored)
{
    const std::string longName(300, 'N');
    WriteMainSection(
        "Left=0.125\r\n"
        "Top=1234\r\n"
        "Header=\r\n"
        "ScreenFont=" +
        longName +
        "\r\n"
        "MouseMode=-1\r\n"
        "PrinterFontSize=70000\r\n"
        "ScreenCharset=238\r\n"
        "ScreenFontSize=6\r\n"
        "NewFile=abc\r\n"
        "ActionBar=\r\n"
        "autoindent=0\r\n"
        "No Tabs=1\r\n");
    Scramble(g_core.settings);
    SettingsLoad();
    const Settings& s = g_core.settings;
    EXPECT_STREQ(s.marginLeft, "0.12");
    EXPECT_STREQ(s.marginTop, "1234");
    EXPECT_STREQ(s.marginRight, "0.25");
    EXPECT_STREQ(s.header, "") << "a present empty header is no header";
    EXPECT_STREQ(s.footer, "Page &p");
    EXPECT_EQ(std::string(s.screenFont), longName.substr(0, kFontNameSize - 1));
    EXPECT_EQ(s.mouseMode, -1);
    EXPECT_EQ(s.printerFontSize, static_cast<int16_t>(70000));
    EXPECT_EQ(s.screenCharset, 238);
    EXPECT_EQ(s.screenFontSize, 6) << "the font size is checked when the font is made, not here";
    EXPECT_EQ(s.newFile, 0);
    EXPECT_EQ(s.actionBar, 0) << "a present value that is not a number reads as 0";
    EXPECT_EQ(s.autoIndent, 0) << "keys match without regard to case";
    EXPECT_EQ(s.noTabs, 1);
    EXPECT_EQ(s.iconLabel, 1);
}

TEST_F(SettingsFile, StartSizeReadsBlanksAndCommasAlike)
{
    for (const char* stored : {"10 20 630 460", "10,20,630,460", "10, 20,,630 ,460"}) {
        WriteMainSection(std::string("Start Size=") + stored + "\r\n");
        RECT rect{};
        ASSERT_TRUE(ReadStartSize(&rect)) << stored;
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 20);
        EXPECT_EQ(rect.right, 630);
        EXPECT_EQ(rect.bottom, 460);
    }
}

TEST_F(SettingsFile, UnusableStartSizeGivesTheDefaultPlacement)
{
    for (const char* stored : {"", "10 20 630", ", ,"}) {
        WriteMainSection(std::string("Start Size=") + stored + "\r\n");
        RECT rect{};
        EXPECT_FALSE(ReadStartSize(&rect)) << stored;
        EXPECT_EQ(rect.left, 20) << stored;
        EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN) / 2) << stored;
    }
    // A value longer than the reader's room is cut, not overrun: three numbers and the start
    // of a huge fourth, which saturates.
    WriteMainSection("Start Size=1 2 3 " + std::string(200, '9') + "\r\n");
    RECT rect{};
    ASSERT_TRUE(ReadStartSize(&rect));
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, INT32_MAX);
}

TEST_F(SettingsFile, SaveWritesEveryKeyAlsoDefaults)
{
    g_core.settings.tabStops = 4;
    g_core.settings.mouseMode = -2;
    std::snprintf(g_core.settings.header, kTemplateSize, "%s", "");
    std::snprintf(g_core.settings.marginLeft, kMarginSize, "%s", "1.5");
    SettingsSave();

    std::string text;
    ASSERT_TRUE(ReadFileText(&text));
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
    Scramble(g_core.settings);
    SettingsLoad();
    EXPECT_EQ(g_core.settings.tabStops, 4);
    EXPECT_EQ(g_core.settings.mouseMode, -2);
    EXPECT_STREQ(g_core.settings.header, "");
    EXPECT_STREQ(g_core.settings.marginLeft, "1.5");
    EXPECT_STREQ(g_core.settings.screenFont, "Courier New");
}

// A hidden top-level window standing in for the frame.
class FrameStandIn {
public:
    FrameStandIn(int x, int y, int width, int height)
        : window_(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~FrameStandIn()
    {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    FrameStandIn(const FrameStandIn&) = delete;
    FrameStandIn& operator=(const FrameStandIn&) = delete;
    HWND window() const { return window_; }

private:
    HWND window_;
};

TEST_F(SettingsFile, StartSizeIsTheFrameRectangleUnlessMinimised)
{
    FrameStandIn frame(30, 40, 500, 300);
    ASSERT_NE(frame.window(), nullptr);
    g_app.frameWindow = frame.window();
    SettingsSave();

    std::string text;
    ASSERT_TRUE(ReadFileText(&text));
    EXPECT_TRUE(HasLine(text, "Start Size=30 40 530 340")) << text;
    RECT rect{};
    ASSERT_TRUE(ReadStartSize(&rect));
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 530);
    EXPECT_EQ(rect.bottom, 340);

    // Moved, then minimised: the save keeps the placement stored before.
    ASSERT_TRUE(SetWindowPos(frame.window(), nullptr, 60, 70, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE));
    ShowWindow(frame.window(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(frame.window()));
    g_core.settings.tabStops = 6;
    SettingsSave();
    ASSERT_TRUE(ReadFileText(&text));
    EXPECT_TRUE(HasLine(text, "Start Size=30 40 530 340")) << text;
    EXPECT_TRUE(HasLine(text, "TabStops=6")) << "the other keys are still written";

    // Shown again at the new place: that is what is stored.
    ShowWindow(frame.window(), SW_RESTORE);
    ASSERT_FALSE(IsIconic(frame.window()));
    SettingsSave();
    ASSERT_TRUE(ReadFileText(&text));
    EXPECT_TRUE(HasLine(text, "Start Size=60 70 460 270")) << text;
}

}  // namespace
