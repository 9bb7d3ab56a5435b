// Printed pages: margins in pixels, the lines and columns that fit, one printed line from the
// text, the file name of a path, and the header and footer templates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "print/page_layout.h"
#include "tests/native/doc_helpers.h"

namespace {

std::time_t FixedTime()
{
    std::tm t{};
    t.tm_year = 80, t.tm_mon = 0, t.tm_mday = 2, t.tm_hour = 2, t.tm_min = 3, t.tm_sec = 55, t.tm_isdst = -1;
    return std::mktime(&t);  // Wed Jan  2 02:03:55 1980, local time
}

TEST(PageLayout, DivisionsTruncatePrintLinesExpandTabsSkipCrAndCutAndTemplatesExpandTheirFourCodesOnly)
{
    EXPECT_EQ(Join(MarginPixels("0.25", 600), MarginPixels("x1", 600), MarginPixels("1.999", 100)),
              "150 0 199");
    const char* const quarter[4] = {"0.25", "0.25", "0.25", "0.25"};
    const PageMetrics m{576, 756, 72, 72, 10, 6};
    // clang-format off
    const struct { bool header, footer; int lines; } table[] = {
        {false, false, 72}, {true, false, 69}, {false, true, 69}, {true, true, 66}};
    // clang-format on
    for (const auto& row : table) {
        const PageGeometry g = ComputePageGeometry(m, quarter, row.header, row.footer);
        EXPECT_EQ(Join(g.leftPx, g.columns, g.lines), Join(18, 90, row.lines));  // 90: 96 - 36 / 6
    }
    const PageMetrics wide{100000, 756, 72, 72, 10, 6};
    EXPECT_EQ(ComputePageGeometry(wide, quarter, false, false).columns, kMaxPrintColumns);
    // Printed lines expand tabs, skip CR and are cut at the columns that fit.
    const std::string text = "\tA\r\nabc\tZ\n0123456789\nlast";
    // clang-format off
    const struct { int64_t from; int columns; const char* line; int64_t next; } printLines[] = {
        {0, 80, "        A", 4}, {4, 80, "abc     Z", 10}, {10, 4, "0123", 21},
        {21, 80, "last", -1}, {4, 5, "abc  ", 10}};
    // clang-format on
    for (const auto& row : printLines) {
        SCOPED_TRACE(row.from);
        char out[kMaxPrintColumns + 1];
        int64_t position = row.from;
        const int32_t length =
            BuildPrintLine(text.c_str(), static_cast<int64_t>(text.size()), &position, 8, row.columns, out);
        EXPECT_EQ(Join(std::string(out, static_cast<size_t>(length)), position), Join(row.line, row.next));
    }
    int64_t empty = 0;
    char out[kMaxPrintColumns + 1];
    EXPECT_EQ(BuildPrintLine("", 0, &empty, 8, 80, out), 0);
    EXPECT_EQ(empty, -1);

    // The file name of a path, and the header and footer templates.
    EXPECT_EQ(Join(FileNamePart("C:\\S\\DEMO.KSR"), FileNamePart("a/b:c"), FileNamePart("plain")),
              "DEMO.KSR c plain");
    // clang-format off
    const struct { const char* pattern; const char* out; } templates[] = {
        {"&f", "DEMO.KSR"}, {"Page &p", "Page 3"}, {"&d", "Wed Jan  2 1980"}, {"&t", "02:03:55"},
        {"&P &x &&", "&P &x &&"}, {"end &", "end &"}, {"", ""}};
    // clang-format on
    char expanded[292];
    for (const auto& row : templates) {
        ExpandTemplate(expanded, sizeof expanded, row.pattern, 3, "DEMO.KSR", FixedTime);
        EXPECT_STREQ(expanded, row.out) << row.pattern;
    }
    // A long title repeated fills the buffer to its last byte and no further.
    const std::string title(200, 't');
    char small[300];
    std::memset(small, 'x', sizeof small);
    ExpandTemplate(small, 292, "&f&f&f", 1, title.c_str(), FixedTime);
    EXPECT_EQ(Join(std::strlen(small), small[292]), Join(291, 'x'));
}

}  // namespace
