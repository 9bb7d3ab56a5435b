// The Win32 layer in-process: message boxes through the test hook, and a document window of
// the real class on a hidden MDI frame: its blocks, its update rectangles and its paint (loading
// and saving are tested natively and end to end).
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "doc/memory.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tests/native/tally_allocator.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

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

TEST_F(Win32Layer, ClosingADocumentWindowFreesEveryBlock)
{
    g_tally = Tally{};
    SetAllocator(kTallyAllocator);
    HWND first = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    HWND second = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_GE(g_tally.live, 4);  // each with its record and text
    Close(first);
    Close(second);
    EXPECT_EQ(g_tally.live, 0);
}

TEST_F(Win32Layer, InvalidatedCellsBecomeTheUpdateRectangle)
{
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    const EditState* doc = DocumentOfWindow(child);
    const int cw = doc->cellWidth, ch = doc->cellHeight;
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

TEST_F(Win32Layer, PaintDrawsTheRowsWithTabsExpanded)
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
    Close(child);
}

}  // namespace
