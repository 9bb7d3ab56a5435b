// The status line's pane rectangles and the position text, without a window.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "display/status_geometry.h"
#include "tests/native/doc_helpers.h"

namespace {

const char kPositionFormat[] = "Line: %-8ld Col: %-5d              ";

std::string Format(const char* format, int32_t line, int32_t column, size_t size = 255)
{
    std::string out(size, '\x7f');
    FormatPosition(&out[0], size, format, line, column);
    return out.c_str();
}

std::string Sides(const PaneRect& r)
{
    return Join(r.left, r.top, r.right, r.bottom);
}

}  // namespace

TEST(StatusGeometry, PanesFollowTheFontAndThePositionTextMatchesTheCLibrary)
{
    EXPECT_EQ(Join(StatusLineHeightFor(16, 0, 1), StatusLineHeightFor(13, 2, 2), MessagePaneWidthFor(10),
                   IndicatorPaneWidthFor(10)),
              "24 31 210 30");
    // b = 2, W1 = 210, W2 = 30, a 600 x 40 client area. Message: 8b .. 8b + W1;
    // P2 = W1 + 18b; P3 = P2 + W2 + 9b; P4 = P3 + W2 + 9b.
    const StatusMetrics m{2, 210, 30};
    const PaneRect client{0, 0, 600, 40};
    // Each pane's frame, text area (left, top, right, bottom) and text x.
    const char* const panes[kStatusPaneCount] = {
        "16 6 226 34 18 8 224 32 22", "246 6 276 34 248 8 272 32 248", "294 6 324 34 296 8 320 32 296",
        "342 6 372 34 344 8 368 32 348"};
    for (int i = 0; i < kStatusPaneCount; ++i) {
        const auto pane = static_cast<StatusPane>(i);
        EXPECT_EQ(Join(Sides(PaneFrame(m, client, pane)), Sides(PaneTextArea(m, client, pane)),
                       PaneTextX(m, client, pane)),
                  panes[i])
            << "pane " << i;
    }
    // The indicator panes move with the client's left edge, the message pane does not.
    const StatusMetrics m1{1, 100, 20};
    const PaneRect shifted{5, 0, 400, 30};
    EXPECT_EQ(Join(PaneFrame(m1, shifted, kPaneMessage).left, PaneFrame(m1, shifted, kPaneCapsLock).left,
                   PaneTextX(m1, shifted, kPaneMessage)),
              Join(8, 5 + 100 + 18, 11));

    // The position text matches the C library, handles other fields and stays in its buffer.
    const int32_t cases[][2] = {{1, 1}, {42, 7}, {12345678, 99999}, {123456789, 123456}, {-3, 0}};
    for (const auto& c : cases) {
        char expected[255];
        std::snprintf(expected, sizeof expected, kPositionFormat, static_cast<long>(c[0]),
                      static_cast<int>(c[1]));
        EXPECT_EQ(Format(kPositionFormat, c[0], c[1]), expected) << c[0] << "," << c[1];
    }
    EXPECT_EQ(Format("%5d|%ld%%", 3, 4), "    3|4%");
    EXPECT_EQ(Format("%s %d %d %d", 1, 2), "%s 1 2 %d");
    EXPECT_EQ(Format(kPositionFormat, 1, 1, 10), "Line: 1  ");
    char one[1] = {'x'};
    EXPECT_EQ(FormatPosition(one, 1, kPositionFormat, 1, 1), 0u);
    EXPECT_EQ(one[0], '\0');
}

TEST(StatusGeometry, ProgressShowsAfterHalfASecondThenAtMostEveryTenthAndNamesTheFile)
{
    // Milliseconds since the start of the tick count at each report, and whether it shows;
    // the last run starts just before the count wraps.
    const struct {
        uint32_t start;
        std::vector<uint32_t> reports;
        std::string shown;
    } runs[] = {
        {0, {0, 100, 499, 500, 550, 599, 600, 2000, 2001}, "0 0 0 1 0 0 1 1 0"},
        {0xFFFFFF00u, {0xFFFFFF00u, 0xFFFFFFFFu, 244, 343, 344}, "0 0 1 0 1"},
    };
    for (const auto& run : runs) {
        ProgressGate gate;
        gate.Start(run.start);
        std::string shown;
        for (uint32_t now : run.reports)
            shown += std::string(shown.empty() ? "" : " ") + (gate.Due(now) ? "1" : "0");
        EXPECT_EQ(shown, run.shown);
        EXPECT_TRUE(gate.shown());
    }
    char text[24];
    FormatProgress(text, sizeof text, "Loading", "C:\\DIR\\SUB/BIG.KSR", 42);
    EXPECT_STREQ(text, "Loading BIG.KSR: 42%");
    FormatProgress(text, sizeof text, "Saving", "D:VERYLONGFILENAME.KSR", 100);
    EXPECT_STREQ(text, "Saving VERYLONGFILENAME");  // cut to the buffer
}
