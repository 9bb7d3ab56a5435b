// The Win32 layer in-process: message boxes through the test hook, string-table texts, and a
// document window of the real class on a hidden MDI frame loading, painting and saving a file
// through the core and QVDSK32.DLL.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "doc/memory.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tests/native/tally_allocator.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

std::string TitleOf(HWND window)
{
    char title[MAX_PATH + 16];
    GetWindowTextA(window, title, sizeof title);
    return title;
}

class Win32Layer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(), nullptr); }  // never shown
    static void TearDownTestSuite() { StopTestFrame(); }
    void TearDown() override { RestoreDefaultAllocator(); }
    static void Close(HWND doc)
    {
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
    }
    // A document window on the file holding these bytes; the file is deleted again.
    static HWND Load(const std::string& name, const std::string& bytes)
    {
        WriteBytes(TempPath(name), bytes);
        HWND child = NewDocumentWindow(TempPath(name).c_str(), 0, 0, 0, 0);
        EXPECT_NE(child, nullptr);
        return child;
    }

    BoxHook boxes;
};

TEST_F(Win32Layer, ShowMessageHandsTheComposedBoxWithItsIconAndButtonsToTheHook)
{
    g_boxAnswer = IDNO;
    EXPECT_EQ(ShowMessage(g_app.frameWindow, 1, IDS_CANNOT_WRITE, "C:\\A^B.KSR"), IDNO);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, g_app.frameWindow);
    EXPECT_EQ(g_boxes[0].text, "Cannot write to file - C:\\A\nB.KSR");
    EXPECT_EQ(g_boxes[0].caption, "Corvanet Editor");
    const std::string longPath(200, 'p');
    ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_OPEN, longPath.c_str());
    EXPECT_EQ(g_boxes.back().text, "Cannot open file - " + longPath.substr(0, 80));
    const struct {
        int kind;
        UINT style;
    } kinds[] = {{0, MB_ICONEXCLAMATION},
                 {1, MB_YESNO | MB_ICONQUESTION},
                 {2, MB_YESNOCANCEL | MB_ICONQUESTION},
                 {3, MB_ICONHAND},
                 {9, MB_ICONHAND}};
    for (const auto& row : kinds) {
        ShowMessage(g_app.frameWindow, row.kind, IDS_OUT_OF_MEMORY, nullptr);
        EXPECT_EQ(g_boxes.back().style, row.style) << "kind " << row.kind;
        EXPECT_EQ(g_boxes.back().text, "Out of memory! ");
    }
}

TEST_F(Win32Layer, LoadStrFillsTheSharedBufferAndEmptiesItForMissingIds)
{
    const char* text = LoadStr(IDS_OUT_OF_MEMORY);
    EXPECT_EQ(text, g_app.scratch);
    EXPECT_STREQ(text, "Out of memory! ");
    EXPECT_STREQ(LoadStr(9999), "");
    EXPECT_STREQ(g_win32Screen.LoadStringText(IDS_APP_CAPTION), "Corvanet Editor");
}

TEST_F(Win32Layer, DocumentWindowLoadsTheFileUnderItsTitleAndSavesCrLfBack)
{
    const std::string path = TempPath("zavodo_w32_load.ksr");
    HWND child = Load("zavodo_w32_load.ksr", std::string("a\r\nb\r\n\tc\0d", 11));
    EditState* doc = DocumentOfWindow(child);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->hwnd, child);
    EXPECT_EQ(std::string(doc->text, static_cast<size_t>(doc->length)), "a\nb\n\tcd");
    EXPECT_EQ(doc->tabSize, g_core.settings.tabStops);
    EXPECT_GT(doc->cellWidth, 0);
    EXPECT_GT(doc->cellHeight, 0);
    EXPECT_EQ(TitleOf(child), doc->path);
    EXPECT_EQ(lstrcmpiA(doc->path, path.c_str()), 0) << doc->path;

    // Save goes through the frame to the active document and rewrites the file.
    WriteBytes(path, "junk");
    ASSERT_EQ(ActiveDocument(), child);
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_SAVE, 0);
    EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n\tcd");
    EXPECT_TRUE(g_boxes.empty());
    Close(child);
    DeleteFileA(path.c_str());

    // A save that cannot write shows message 301 with the path.
    child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    const std::string bad = TempPath("no_such_folder_zavodo\\x.ksr");
    std::snprintf(DocumentOfWindow(child)->path, kPathSize, "%s", bad.c_str());
    SendMessageA(child, WM_COMMAND, IDM_SAVE, 0);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, g_app.frameWindow);
    EXPECT_EQ(g_boxes[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(g_boxes[0].text, "Cannot write to file - " + bad.substr(0, 80));
    Close(child);
}

TEST_F(Win32Layer, UntitledDocumentsAreNumberedAndClosingFreesEveryBlock)
{
    g_tally = Tally{};
    SetAllocator(kTallyAllocator);
    const uint32_t next = g_core.untitledCounter;
    HWND first = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    HWND second = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_GE(g_tally.live, 4);  // each with its record and text
    EXPECT_EQ(TitleOf(first), "Untitled:" + std::to_string(next));
    EXPECT_EQ(TitleOf(second), "Untitled:" + std::to_string(next + 1));
    const EditState* doc = DocumentOfWindow(first);
    EXPECT_EQ(std::string(doc->text, static_cast<size_t>(doc->length)), "\n");
    Close(first);
    Close(second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(g_tally.live, 0);
}

TEST_F(Win32Layer, SeamCallsReachTheDocumentWindow)
{
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    const EditState* doc = DocumentOfWindow(child);
    const int cw = doc->cellWidth, ch = doc->cellHeight;

    g_win32Screen.SetScrollRange(child, kBarVertical, 0, 500, false);
    g_win32Screen.SetScrollPosition(child, kBarVertical, 123, true);
    int low = -1, high = -1;
    ASSERT_TRUE(GetScrollRange(child, SB_VERT, &low, &high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 500);
    EXPECT_EQ(GetScrollPos(child, SB_VERT), 123);

    g_win32Screen.SetWindowTitle(child, "C:\\NEW.KSR");
    EXPECT_EQ(TitleOf(child), "C:\\NEW.KSR");

    // Update regions are kept for shown windows only.
    ShowWindow(g_app.frameWindow, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(MoveWindow(child, 0, 0, 400, 300, FALSE));
    ShowWindow(child, SW_SHOWNOACTIVATE);
    UpdateWindow(g_app.frameWindow);
    ValidateRect(child, nullptr);
    g_win32Screen.InvalidateCells(child, 1, 2, 3, 5);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.left, 2 * cw);
    EXPECT_EQ(update.top, ch);
    EXPECT_EQ(update.right, 5 * cw);
    EXPECT_EQ(update.bottom, 3 * ch);
    ShowWindow(g_app.frameWindow, SW_HIDE);

    HCURSOR before = GetCursor();
    void* token = g_win32Screen.BeginWait();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    g_win32Screen.EndWait(token);
    EXPECT_EQ(GetCursor(), before);
    Close(child);
}

TEST_F(Win32Layer, NoMemoryFailsTheWindowCreationAndLeavesNothing)
{
    SetAllocator(kTallyAllocator);
    // The record, the grid's cells, then the text; only the text's failure is reported.
    for (int failAt : {1, 2, 3}) {
        g_tally = Tally{};
        g_tally.failAt = failAt;
        g_boxes.clear();
        EXPECT_EQ(NewDocumentWindow(nullptr, 0, 0, 0, 0), nullptr) << "failing allocation " << failAt;
        EXPECT_EQ(g_tally.live, 0);
        EXPECT_EQ(ActiveDocument(), nullptr);
        EXPECT_EQ(BoxTexts(),
                  failAt == 3 ? std::vector<std::string>{"Out of memory! "} : std::vector<std::string>{});
    }
}

TEST_F(Win32Layer, PaintDrawsRowsFromTheTopLineWithTabsExpanded)
{
    HWND child = Load("zavodo_w32_paint.ksr", "\tX\r\nYYYY\r\n");
    DeleteFileA(TempPath("zavodo_w32_paint.ksr").c_str());
    ASSERT_TRUE(MoveWindow(child, 0, 0, 500, 200, FALSE));
    EditState* doc = DocumentOfWindow(child);
    const int cw = doc->cellWidth, ch = doc->cellHeight, tab = doc->tabSize;
    Picture picture = PaintedClient(child);
    // Row 0: nothing under the tab, the X in the cell after it.
    EXPECT_FALSE(picture.Ink(0, tab * cw, 0, ch));
    EXPECT_TRUE(picture.Ink(tab * cw, (tab + 1) * cw, 0, ch));
    // Row 1: the four Ys from the left edge, nothing after them.
    EXPECT_TRUE(picture.Ink(0, cw, ch, 2 * ch));
    EXPECT_FALSE(picture.Ink(4 * cw, 10 * cw, ch, 2 * ch));

    SetTop(doc, 3);  // the view starts at the second line
    picture = PaintedClient(child);
    EXPECT_TRUE(picture.Ink(0, cw, 0, ch));
    EXPECT_FALSE(picture.Ink(0, 20 * cw, ch, 3 * ch));
    Close(child);
}

}  // namespace
