// The status line under Wine: its metrics from the font, the sunken pane frames at
// the computed rectangles, the indicator and message panes, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
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
#include "resources/ids.h"
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

TEST_F(StatusLine, MetricsComeFromTheHelvFont)
{
    ASSERT_NE(g_app.statusFont, nullptr);
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ old = SelectObject(dc, g_app.statusFont);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    const int expectedHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    LOGFONTA asked{};
    ASSERT_EQ(GetObjectA(g_app.statusFont, sizeof asked, &asked), static_cast<int>(sizeof asked));
    EXPECT_STREQ(asked.lfFaceName, "Helv");
    EXPECT_EQ(asked.lfHeight, expectedHeight);
    EXPECT_EQ(asked.lfWeight, 400);
    EXPECT_EQ(asked.lfCharSet, 0);
    EXPECT_EQ(asked.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_EQ(g_app.borderUnit, GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(g_app.statusLineHeight, tm.tmHeight + tm.tmExternalLeading + 8 * g_app.borderUnit);
    EXPECT_EQ(g_app.messagePaneWidth, 21 * tm.tmMaxCharWidth);
    EXPECT_EQ(g_app.indicatorPaneWidth, 3 * tm.tmMaxCharWidth);
}

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

TEST_F(StatusLine, WithoutADocumentEveryPaneIsEmpty)
{
    std::snprintf(g_app.statusText, sizeof g_app.statusText, "%s", "left over");
    Repaint();
    EXPECT_STREQ(g_app.statusText, "");
    for (int i = 0; i < kStatusPaneCount; ++i)
        EXPECT_TRUE(Blank(PanePixels(static_cast<StatusPane>(i)))) << i;
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

TEST_F(StatusLine, StringIdsFillTheMessagePane)
{
    Repaint();
    ShowStatusMessage(nullptr, IDS_OVR);
    EXPECT_STREQ(g_app.statusText, "OVR");
    const std::vector<COLORREF> shown = PanePixels(kPaneMessage);
    EXPECT_FALSE(Blank(shown));
    // An id without a string empties the pane.
    ShowStatusMessage(nullptr, 9999);
    EXPECT_STREQ(g_app.statusText, "");
    EXPECT_TRUE(Blank(PanePixels(kPaneMessage)));

    // A pair is drawn but not kept.
    ShowStatusPair("O", "VR");
    EXPECT_STREQ(g_app.statusText, "");
    EXPECT_EQ(PanePixels(kPaneMessage), shown);
}

TEST_F(StatusLine, NothingIsDrawnBeforeTheMetricsExist)
{
    Repaint();
    const int height = g_app.statusLineHeight;
    g_app.statusLineHeight = 0;
    ShowStatusMessage(nullptr, IDS_CAPS);
    ShowInsertMode();
    g_app.statusLineHeight = height;
    EXPECT_STREQ(g_app.statusText, "CAPS");  // kept for the next repaint
    EXPECT_TRUE(Blank(PanePixels(kPaneMessage)));
    EXPECT_TRUE(Blank(PanePixels(kPaneInsertMode)));
}

}  // namespace
