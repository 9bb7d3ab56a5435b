// The frame in-process: placement from "Start Size", the menus that follow the documents, the
// command routing, the rubber band's refusals, dropped files, the window list, and the session's
// end (what the real program shows of these is checked end to end).
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/window_list.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "settings/settings_file.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

// The commands that reach a document window, recorded by a procedure put in front of its own.
std::vector<int> g_docCommands;
WNDPROC g_docProc = nullptr;
LRESULT CALLBACK RecordingProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        // Only the routing is checked here: the commands' own dialogs (some modal) stay shut.
        g_docCommands.push_back(LOWORD(wParam));
        return 0;
    }
    return CallWindowProcA(g_docProc, w, message, wParam, lParam);
}

RECT ChildRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, g_app.clientWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsFile();
        ASSERT_NE(StartTestFrame(900, 700), nullptr);
    }
    void TearDown() override
    {
        StopTestFrame();
        DeleteSettingsFile();
    }
    static HWND NewDoc()
    {
        HWND doc = NewDocumentWindow(nullptr, 0, 0, 0, 0);
        Pump();
        return doc;
    }
    static void Band(POINT from, POINT to)
    {
        SendMessageA(g_app.clientWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(g_app.clientWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageA(g_app.clientWindow, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        Pump();
    }

    BoxHook boxes;
};

TEST(FramePlacement, StartSizeGivesDefaultMaximisedOrShortenedFrames)
{
    // A plain placement is started end to end.
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        std::string stored;
        bool maximized;
        RECT expected;  // all 0: the platform's choice
    } table[] = {
        {"", false, {0, 0, 0, 0}},
        {"0 0 " + std::to_string(screenW) + " " + std::to_string(screenH), true, {0, 0, 0, 0}},
        {"40 300 640 " + std::to_string(screenH + 200), false, {40, 300, 640, screenH}},
    };
    for (const auto& row : table) {
        DeleteSettingsFile();
        if (!row.stored.empty())
            WritePrivateProfileStringA("Kestrel Editor", "Start Size", row.stored.c_str(), "QV5.INI");
        g_app.instance = GetModuleHandleA(nullptr);
        g_core.screen = &g_win32Screen;
        ASSERT_TRUE(g_app.actionBarBlock || ActionBarInit(&g_app.actionBarBlock, 0));
        ASSERT_TRUE(CreateFrameWindow(SW_SHOWNORMAL)) << row.stored;
        RECT r;
        GetWindowRect(g_app.frameWindow, &r);
        EXPECT_EQ(IsZoomed(g_app.frameWindow) != 0, row.maximized) << row.stored;
        if (row.expected.right != 0) {
            EXPECT_EQ(Sides(r), Sides(row.expected)) << row.stored;
        }
        StopTestFrame();
    }
    DeleteSettingsFile();
}

TEST_F(Frame, LayoutPutsTheStatusLineAtTheBottomAndTheClientBelowTheBar)
{
    RECT frame, client, status, bar;
    GetClientRect(g_app.frameWindow, &frame);
    GetWindowRect(g_app.clientWindow, &client);
    GetWindowRect(g_app.statusLineWindow, &status);
    GetWindowRect(ActionBarWindow(g_app.actionBarBlock), &bar);
    EXPECT_EQ(status.bottom - status.top, g_app.statusLineHeight);
    EXPECT_EQ(client.top, bar.bottom);
    EXPECT_EQ(client.bottom, status.top);
    EXPECT_EQ(client.right - client.left, frame.right);
    POINT bottom{0, status.bottom};
    ScreenToClient(g_app.frameWindow, &bottom);
    EXPECT_EQ(bottom.y, frame.bottom);
}

TEST_F(Frame, MenuAndBarFollowTheFirstDocumentAndTheLastClose)
{
    EXPECT_EQ(GetMenu(g_app.frameWindow), g_app.shortMenu);
    EXPECT_EQ(g_app.actionBarBlock->buttonCount, 5);  // the two foreign entries and New, Open, Exit
    HWND doc = NewDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(GetMenu(g_app.frameWindow), g_app.mainMenu);
    EXPECT_EQ(g_app.currentMenu, g_app.mainMenu);
    EXPECT_EQ(g_app.actionBarBlock->buttonCount, 17);
    EXPECT_EQ(g_app.actionBarBlock->owner, HandleToULong(g_app.frameWindow));
    SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
    Pump();
    EXPECT_EQ(GetMenu(g_app.frameWindow), g_app.shortMenu);
    EXPECT_EQ(g_app.actionBarBlock->buttonCount, 5);
    EXPECT_EQ(g_app.documentCount, 0);
}

TEST_F(Frame, EachCommandReachesItsHandler)
{
    HWND doc = NewDoc();
    ASSERT_NE(doc, nullptr);
    g_docProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(doc, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    const int oem = g_app.oemTranslate, shown = g_app.actionBarShown, large = g_app.largeButtons;
    const int tips = g_app.actionBarBlock->tooltips;
    // The document's commands reach it once each (its own dialogs, some modal, stay shut).
    for (int command :
         {IDM_SAVE_AS, IDM_PRINT, IDM_PRINT_SETUP, IDM_PREFERENCES, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_FIND,
          IDM_FIND_AGAIN, IDM_REPLACE, IDM_GOTO_LINE, IDM_COMPILE, IDM_COMPILER_NOTICE, IDM_FIRST_CHILD}) {
        g_docCommands.clear();
        SendMessageA(g_app.frameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
        EXPECT_EQ(g_docCommands, std::vector<int>{command});
    }
    EXPECT_TRUE(g_boxes.empty());
    // The frame's own never do; a tool that is missing says so.
    g_docCommands.clear();
    for (auto [command, box] : {std::pair{IDM_OEMKEYS, ""},
                                {IDM_ACTION_BAR, ""},
                                {IDM_ACTION_BAR, ""},
                                {IDM_LARGE_ACTION_BAR, ""},
                                {IDM_TOOLTIPS, ""},
                                {IDM_TILE_HORIZONTAL, ""},
                                {IDM_TILE_VERTICAL, ""},
                                {IDM_CASCADE, ""},
                                {IDM_ARRANGE_ICONS, ""},
                                {IDM_DIALOG_EDITOR, "Error executing VIZIVIR.EXE"},
                                {IDM_USER_WINDOW_EDITOR, "Error executing RODEZEZE.EXE"}}) {
        SendMessageA(g_app.frameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
        EXPECT_EQ(g_boxes.empty() ? "" : g_boxes.back().text, box) << command;
        g_boxes.clear();
    }
    EXPECT_TRUE(g_docCommands.empty());
    EXPECT_NE(g_app.oemTranslate, oem);
    EXPECT_EQ(g_app.actionBarShown, shown);  // switched off and on again
    EXPECT_NE(g_app.largeButtons, large);
    EXPECT_NE(g_app.actionBarBlock->tooltips, tips);
    EXPECT_NE(ActionBarWindow(g_app.actionBarBlock), nullptr);

    // New makes one more document; Close and Exit act on the document and the frame.
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_NEW, 0);
    EXPECT_EQ(g_app.documentCount, 2);
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_CLOSE, 0);
    EXPECT_EQ(g_app.documentCount, 1);
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_EXIT, 0);
    MSG close;
    EXPECT_TRUE(PeekMessageA(&close, g_app.frameWindow, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    // The switches were saved as they were made.
    EXPECT_EQ(GetPrivateProfileIntA("Kestrel Editor", "LargeIcons", -1, "QV5.INI"), g_app.largeButtons);
    EXPECT_EQ(GetPrivateProfileIntA("Kestrel Editor", "OEMKeys", -1, "QV5.INI"), g_app.oemTranslate);
}

TEST_F(Frame, RubberBandTooNarrowOrAClickOpensNothing)
{
    // A band of the drawn size is opened end to end.
    Band({200, 10}, {300, 210});  // 100 wide: too narrow
    Band({200, 10}, {200, 10});   // a click
    EXPECT_EQ(g_app.documentCount, 0);
    EXPECT_FALSE(g_app.band.tracking);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Frame, TheSixtyEighthDocumentIsRefused)
{
    while (g_app.documentCount < kMaxDocuments) ASSERT_NE(NewDocumentWindow(nullptr, 0, 0, 0, 0), nullptr);
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_NEW, 0);
    Band({10, 10}, {300, 300});
    EXPECT_EQ(g_app.documentCount, kMaxDocuments);
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[1].text, "Only 67 files may be open at one time!");
}

TEST_F(Frame, DroppedFilesOpen)
{
    const std::vector<std::string> names{TempPath("zdrop1.ksr"), TempPath("zdrop2.ksr"),
                                         TempPath("zdrop3.ksr")};
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& n : names) bytes += n.size() + 1;
    HGLOBAL drop = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(header + 1);
    for (const auto& n : names) at += std::strlen(std::strcpy(at, n.c_str())) + 1;
    GlobalUnlock(drop);
    SendMessageA(g_app.frameWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(g_app.documentCount, 3);
    // Taken from the last to the first: the first name is opened last and is active.
    const EditState* active = DocumentOfWindow(ActiveDocument());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(lstrcmpiA(active->path, names[0].c_str()), 0) << active->path;
    for (const auto& n : names) DeleteFileA(n.c_str());
}

TEST_F(Frame, EndingTheSessionSavesNoSettings)
{
    // Leaving saves them, end to end.
    EXPECT_EQ(SendMessageA(g_app.frameWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(FileExists(WindowsPath("QV5.INI")));
}

TEST_F(Frame, WindowListOpensEachFileOnceAndPlacesNewWindows)
{
    const std::string upper = TempPath("ZLIST.KSR"), lower = TempPath("zlist.ksr");
    DeleteFileA(upper.c_str());
    // A missing file in an existing folder is made empty; a missing folder gives message 300.
    HWND first = OpenDocument(upper.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_NE(GetFileAttributesA(upper.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(OpenDocument(lower.c_str()), first);
    EXPECT_EQ(g_app.documentCount, 1);
    const std::string missing = TempPath("no_such_zavodo_dir\\x.ksr");
    EXPECT_EQ(OpenDocument(missing.c_str()), nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Cannot open file - " + missing.substr(0, 80)});

    // A new window fills the client area, but never below 300 x 100; it opens maximised
    // when the active one is.
    RECT client;
    GetClientRect(g_app.clientWindow, &client);
    EXPECT_EQ(Sides(ChildRect(first)), Sides(client));
    MoveWindow(g_app.clientWindow, 0, 0, 200, 80, TRUE);
    EXPECT_EQ(Sides(ChildRect(NewDoc())), Sides({0, 0, 300, 100}));
    SendMessageA(g_app.clientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(first), 0);
    EXPECT_TRUE(IsZoomed(NewDoc()));
    DeleteFileA(upper.c_str());
}

}  // namespace
