// Help in-process: the pages ShowHelp hands to the browser (Wine's winebrowser, pointed at a
// recording script), F1 through the message-filter hook and the status-line text of the
// menu-help step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/help.h"
#include "libs/vuzuze/vuzuze32.h"
#include "resources/ids.h"
#include "tests/win/win_helpers.h"

namespace {

std::string HelpFolder()
{
    char directory[MAX_PATH];
    UtilProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\help\\";
}

// Points winebrowser at a script that appends the URL it is given to a log, for one test. Both
// live in /tmp, which a Wine prefix sees as Z:\tmp.
struct RecordingBrowser {
    RecordingBrowser()
    {
        const std::string command = "/bin/sh " + base + ".sh";
        if (std::FILE* f = std::fopen(("Z:" + base + ".sh").c_str(), "wb")) {
            std::fprintf(f, "for url; do :; done\nprintf '%%s\\n' \"$url\" >> %s.log\n", base.c_str());
            ready = std::fclose(f) == 0 &&
                    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Browsers", REG_SZ, command.c_str(),
                                    static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
        }
    }
    ~RecordingBrowser()
    {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Browsers");  // the prefix's default browsers again
        for (const char* ext : {".sh", ".log"}) DeleteFileA(("Z:" + base + ext).c_str());
    }
    // The sorted file names of the pages opened so far, once count of them arrived (or time ran out).
    std::vector<std::string> Pages(size_t count) const
    {
        std::vector<std::string> pages;
        for (int wait = 0; wait < 100 && pages.size() < count; ++wait, Sleep(100)) {
            pages.clear();
            const std::string text = ReadBytes("Z:" + base + ".log");
            for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
                const std::string url = text.substr(at, end - at);
                EXPECT_EQ(url.rfind("file:///", 0), 0u) << url;
                pages.push_back(url.substr(url.rfind('/') + 1));
            }
        }
        std::sort(pages.begin(), pages.end());
        return pages;
    }
    static constexpr char kKey[] = "Software\\Wine\\WineBrowser";
    const std::string base = "/tmp/zavodo-help-" + std::to_string(GetCurrentProcessId());
    bool ready = false;
};

TEST(Help, EachRequestOpensItsPageAndOnlyThoseAndAMissingPageIsReported)
{
    BoxHook boxes;
    RecordingBrowser browser;
    if (!browser.ready) GTEST_SKIP() << "needs Wine's browser launcher";
    const struct {
        int file;
        UINT command;
        ULONG_PTR data;
        const char* page;  // null: nothing opens
    } table[] = {
        {IDS_HELP_FILE, HELP_CONTEXT, 10502, "10502.html"},
        {IDS_HELP_FILE, HELP_CONTEXT, 10405, "10405.html"},
        {IDS_HELP_FILE, HELP_CONTEXT, 10596, "10400.html"},  // no page of its own: the contents
        {IDS_HELP_FILE, HELP_CONTEXT, 10600, nullptr},
        {IDS_HELP_FILE, HELP_CONTEXT, 10399, nullptr},
        {IDS_HELP_FILE, HELP_CONTEXT, 9000, nullptr},
        {IDS_HELP_FILE, HELP_QUIT, 0, nullptr},
        {IDS_HELP_FILE, HELP_FINDER, HELP_OVERVIEW, "10400.html"},
        {IDS_SCRIPT_HELP_FILE, HELP_FINDER, 3, "kestrel.html"},
        {IDS_HELP_FILE, HELP_HELPONHELP, 0, "helponhelp.html"},
        {IDS_SCRIPT_HELP_FILE, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>("Proc"), "kestrel-proc.html"},
        {IDS_SCRIPT_HELP_FILE, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""), "kestrel-index.html"},
        {IDS_SCRIPT_HELP_FILE, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>("x y"), "kestrel-index.html"},
    };
    std::vector<std::string> expected{"10400.html"};  // the About box's Help button
    EXPECT_EQ(AboutDlgProc(nullptr, WM_COMMAND, IDM_HELP, 0), TRUE);
    for (const auto& row : table) {
        ShowHelp(row.file, row.command, row.data);
        if (row.page) expected.emplace_back(row.page);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(browser.Pages(expected.size()), expected);
    Sleep(1500);  // a request that should have opened nothing would arrive by now
    EXPECT_EQ(browser.Pages(expected.size()), expected);
    EXPECT_TRUE(g_boxes.empty());
    // The keyword's page forwards to its entry of the language page.
    EXPECT_TRUE(Has(ReadBytes(HelpFolder() + "kestrel-proc.html"), "url=kestrel.html#proc\""));
    EXPECT_TRUE(Has(ReadBytes(HelpFolder() + "kestrel.html"), "id=\"proc\""));

    const std::string page = HelpFolder() + "helponhelp.html";
    ASSERT_TRUE(MoveFileA(page.c_str(), (page + ".away").c_str()));
    ShowHelp(IDS_HELP_FILE, HELP_HELPONHELP, 0);
    MoveFileA((page + ".away").c_str(), page.c_str());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{("Cannot open file - " + page).substr(0, 19 + 80)});
}

TEST(Help, F1InDialogsAndMenusBecomesCommand900AndTheMenuHelpStepNamesTheHighlightedEntry)
{
    HWND top = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    const struct {
        int code;
        UINT message;
        WPARAM key;
        HWND from;
        LRESULT answer;
        HWND to;  // null: nothing posted
    } table[] = {
        {MSGF_DIALOGBOX, WM_KEYDOWN, VK_F1, child, 1, top},
        {MSGF_DIALOGBOX, WM_KEYDOWN, VK_F1, top, 1, top},
        {MSGF_MENU, WM_KEYDOWN, VK_F1, child, 1, child},
        {MSGF_DIALOGBOX, WM_KEYUP, VK_F1, child, 0, nullptr},
        {MSGF_DIALOGBOX, WM_KEYDOWN, VK_F2, child, 0, nullptr},
        {MSGF_MESSAGEBOX, WM_KEYDOWN, VK_F1, child, 0, nullptr},
        {0x8001, WM_KEYDOWN, VK_F1, child, 0, nullptr},
    };
    // The window that command 900 was posted to (from the window of the key), or null.
    const auto postedTo = [](HWND from) -> HWND {
        MSG out;
        if (!PeekMessageA(&out, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) return nullptr;
        const bool help = out.wParam == IDM_HELP && out.lParam == reinterpret_cast<LPARAM>(from);
        return help ? out.hwnd : HWND_BROADCAST;
    };
    for (const auto& row : table) {
        MSG in{row.from, row.message, row.key, 0, 0, {0, 0}};
        EXPECT_EQ(MsgFilterHookFunc(row.code, 0, reinterpret_cast<LPARAM>(&in)), row.answer) << row.code;
        EXPECT_EQ(postedTo(row.from), row.to) << row.code;
    }
    // Through the dialog manager, as a dialog's message loop meets F1: only while hooked.
    MSG f1{child, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}};
    ASSERT_TRUE(InstallMessageHook());
    EXPECT_TRUE(IsDialogMessageA(top, &f1));
    EXPECT_EQ(postedTo(child), top);
    RemoveMessageHook();
    EXPECT_EQ(g_app.filterHook, nullptr);
    IsDialogMessageA(top, &f1);
    EXPECT_EQ(postedTo(child), nullptr);
    DestroyWindow(top);

    // The menu-help step names the highlighted entry on the status line.
    g_app.mainMenu = LoadMenuA(GetModuleHandleA(nullptr), IDR_MAIN_MENU);
    g_app.shortMenu = LoadMenuA(GetModuleHandleA(nullptr), IDR_SHORT_MENU);
    HMENU other = CreateMenu();
    AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Other");
    ASSERT_TRUE(g_app.mainMenu && g_app.shortMenu);
    HMENU main = g_app.mainMenu, shortMenu = g_app.shortMenu;
    g_app.menuHelpId = 0;
    const struct {
        HMENU current;
        WORD item, flags;
        HMENU clicked;
        int id;
        const char* status;
    } menus[] = {
        {main, IDM_OPEN, MF_HILITE, GetSubMenu(main, 0), IDM_OPEN, "Open an existing file"},
        {main, 560, MF_HILITE, main, IDM_FIRST_CHILD, "Select file to activate"},
        {main, 0, 0xFFFF, nullptr, IDM_FIRST_CHILD, ""},  // closed: the window's own text
        {main, 3, MF_POPUP | MF_HILITE, main, IDS_MENU_TOOLS, "Tool Menu"},
        {main, 0, MF_POPUP | MF_SYSMENU, main, IDS_MENU_SYSTEM, "System Menu"},
        {main, SC_CLOSE, MF_SYSMENU, main, SC_CLOSE, "Close the KESTREL Editor"},
        {main, 1, MF_POPUP, main, IDS_MENU_EDIT, "Edit Menu"},
        {main, 0, MF_POPUP, other, IDS_MENU_EDIT, "Edit Menu"},  // not one of the frame's
        {shortMenu, 1, MF_POPUP, shortMenu, IDS_MENU_HELP, "Help Menu"},
        {shortMenu, 0, MF_POPUP, shortMenu, IDS_MENU_FILE, "File Menu"},
    };
    for (const auto& row : menus) {
        g_app.currentMenu = row.current;
        MenuHelpStep(nullptr, MAKEWPARAM(row.item, row.flags), reinterpret_cast<LPARAM>(row.clicked));
        EXPECT_EQ(g_app.menuHelpId, row.id) << row.item;
        EXPECT_EQ(g_app.helpContext, row.id + HELP_COMMAND_BASE) << row.item;
        EXPECT_STREQ(g_app.statusText, row.status) << row.item;
    }
    for (HMENU menu : {other, main, shortMenu}) DestroyMenu(menu);
    g_app.currentMenu = g_app.mainMenu = g_app.shortMenu = nullptr;
}

// A tool's command line reaches the program whole (a compile of a script deep in folders); one
// too long to pass is refused rather than cut, and like a program that cannot be started it is
// named in message 311.
TEST(Help, ToolsGetTheirWholeCommandLineOrNoneAndWhatDoesNotStartIsNamed)
{
    BoxHook boxes;
    const struct {
        const char* program;
        size_t filler;
        bool starts;
    } table[] = {{"cmd.exe", 300, true}, {"ZNOTHERE.EXE", 300, false}, {"cmd.exe", 1100, false}};
    for (const auto& row : table) {
        g_boxes.clear();
        const std::string out = TempPath("ZTOOL.TXT"), filler(row.filler, 'k');
        DeleteFileA(out.c_str());
        const std::string arguments = "/c echo " + filler + ">" + out;
        EXPECT_EQ(LaunchTool(row.program, arguments.c_str(), SW_HIDE) >= 32, row.starts) << row.program;
        std::string echoed;
        for (int wait = 0; row.starts && wait < 100 && !Has(echoed, "\n"); ++wait, Sleep(100))
            echoed = ReadBytes(out);
        EXPECT_EQ(echoed, row.starts ? filler + "\r\n" : "") << row.program;
        const std::vector<std::string> expected(!row.starts, std::string("Error executing ") + row.program);
        EXPECT_EQ(BoxTexts(), expected) << row.program;
        DeleteFileA(out.c_str());
    }
}

}  // namespace
