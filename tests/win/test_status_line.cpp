// The status line under Wine, read back pixel by pixel: the sunken pane frames at the computed
// rectangles and the insert-mode pane of a document (the metrics and the position text are
// tested natively).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "display/status_geometry.h"
#include "display/status_line.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "tests/win/frame_fixture.h"

namespace {

class StatusLine : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(800, 600), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void TearDown() override
    {
        while (HWND doc = ActiveDocument())
            SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
        g_core.insertMode = 1;
    }

    static PaneRect Client()
    {
        RECT r{};
        EXPECT_TRUE(GetClientRect(g_app.statusLineWindow, &r));
        return PaneRect{r.left, r.top, r.right, r.bottom};
    }
    static StatusMetrics Metrics()
    {
        return {g_app.borderUnit, g_app.messagePaneWidth, g_app.indicatorPaneWidth};
    }
    static void Repaint()
    {
        InvalidateRect(g_app.statusLineWindow, nullptr, TRUE);
        UpdateWindow(g_app.statusLineWindow);
    }
    // The pixels of a pane's text area, row after row.
    static std::vector<COLORREF> PanePixels(StatusPane pane)
    {
        const PaneRect r = PaneTextArea(Metrics(), Client(), pane);
        std::vector<COLORREF> pixels;
        HDC dc = GetDC(g_app.statusLineWindow);
        EXPECT_NE(dc, nullptr);
        if (!dc) return pixels;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(g_app.statusLineWindow, dc);
        return pixels;
    }
    static bool Blank(const std::vector<COLORREF>& pixels)
    {
        for (COLORREF p : pixels)
            if (p != GetSysColor(COLOR_BTNFACE)) return false;
        return !pixels.empty();
    }
};

TEST_F(StatusLine, PanesAreSunkenFramesAtTheirRectangles)
{
    Repaint();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(shadow, light);
    HDC dc = GetDC(g_app.statusLineWindow);
    ASSERT_NE(dc, nullptr);
    const PaneRect client = Client();
    for (int i = 0; i < kStatusPaneCount; ++i) {
        const PaneRect f = PaneFrame(Metrics(), client, static_cast<StatusPane>(i));
        const int midX = (f.left + f.right) / 2, midY = (f.top + f.bottom) / 2;
        EXPECT_EQ(GetPixel(dc, f.left, midY), shadow) << "left edge of pane " << i;
        EXPECT_EQ(GetPixel(dc, midX, f.top), shadow) << "top edge of pane " << i;
        EXPECT_EQ(GetPixel(dc, f.right - 1, midY), light) << "right edge of pane " << i;
        EXPECT_EQ(GetPixel(dc, midX, f.bottom - 1), light) << "bottom edge of pane " << i;
        // Just outside the frame and just inside it: the button face.
        EXPECT_EQ(GetPixel(dc, f.left - 1, midY), GetSysColor(COLOR_BTNFACE)) << i;
        EXPECT_EQ(GetPixel(dc, f.left + 1, midY), GetSysColor(COLOR_BTNFACE)) << i;
    }
    // The band: highlight along the top, shadow along the bottom.
    EXPECT_EQ(GetPixel(dc, client.right / 2, 0), light);
    EXPECT_EQ(GetPixel(dc, client.right / 2, client.bottom - 1), shadow);
    ReleaseDC(g_app.statusLineWindow, dc);
}

TEST_F(StatusLine, ADocumentShowsItsPositionAndTheInsertMode)
{
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    ShowWindow(child, SW_SHOW);
    Repaint();
    EXPECT_EQ(std::string(g_app.statusText), "Line: 1        Col: 1                  ");
    EXPECT_FALSE(Blank(PanePixels(kPaneMessage)));
    EXPECT_FALSE(Blank(PanePixels(kPaneInsertMode)));
    EXPECT_EQ(Blank(PanePixels(kPaneCapsLock)), (GetKeyState(VK_CAPITAL) & 1) == 0);

    // Insert toggles the pane at once, without a repaint of the line.
    const std::vector<COLORREF> ins = PanePixels(kPaneInsertMode);
    ValidateRect(g_app.statusLineWindow, nullptr);
    SendMessageA(child, WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ(g_core.insertMode, 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(g_app.statusLineWindow, &update, FALSE));
    const std::vector<COLORREF> ovr = PanePixels(kPaneInsertMode);
    EXPECT_FALSE(Blank(ovr));
    EXPECT_NE(ovr, ins);
    SendMessageA(child, WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ(g_core.insertMode, 1);
    EXPECT_EQ(PanePixels(kPaneInsertMode), ins);

    // A view scrolled by 10 columns with the caret in its first column.
    EditState* doc = DocumentOfWindow(child);
    ASSERT_NE(doc, nullptr);
    doc->leftColumn = 10;
    doc->caretColumn = 0;
    ShowStatusMessage(child, 0);
    EXPECT_EQ(std::string(g_app.statusText).substr(0, 21), "Line: 1        Col: 1");
    EXPECT_EQ(std::string(g_app.statusText).substr(15, 8), "Col: 11 ");
    doc->leftColumn = 0;
}

}  // namespace
