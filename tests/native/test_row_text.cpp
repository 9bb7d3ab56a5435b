// Screen rows: tab expansion to the document's tab size and the left scroll cut.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/row_text.h"

namespace {

std::string Row(const char* line, int32_t tabSize, int32_t leftColumn = 0, int32_t size = 200)
{
    std::string out(static_cast<size_t>(size), '#');
    const int32_t n =
        ExpandRow(line, static_cast<int32_t>(std::strlen(line)), tabSize, leftColumn, out.data(), size);
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(out.c_str())));
    return out.c_str();
}

TEST(RowText, TabsMoveToTheNextMultipleOfTheTabSize)
{
    EXPECT_EQ(Row("\tx", 8), "        x");
    EXPECT_EQ(Row("ab\tx", 8), "ab      x");
    EXPECT_EQ(Row("abcdefgh\tx", 8), "abcdefgh        x");
    EXPECT_EQ(Row("a\t\tb", 4), "a       b");
    EXPECT_EQ(Row("\tx", 3), "   x");
}

TEST(RowText, TabSizeBelowOneCountsAsOne)
{
    EXPECT_EQ(Row("a\tb", 0), "a b");
    EXPECT_EQ(Row("a\tb", -5), "a b");
}

TEST(RowText, LeftColumnsAreDroppedAfterExpansion)
{
    EXPECT_EQ(Row("\tabc", 8, 7), " abc");
    EXPECT_EQ(Row("\tabc", 8, 9), "bc");
    EXPECT_EQ(Row("abc", 8, 50), "");
}

TEST(RowText, OutputStopsAtTheBuffer)
{
    EXPECT_EQ(Row("\t\t\tx", 8, 0, 6), "     ");
    char one[1] = {'#'};
    EXPECT_EQ(ExpandRow("abc", 3, 8, 0, one, 1), 0);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(ExpandRow("abc", 3, 8, 0, one, 0), 0);
}

TEST(RowText, OnlyTheGivenLengthIsRead)
{
    std::string out(20, '#');
    EXPECT_EQ(ExpandRow("abcdef", 3, 8, 0, out.data(), 20), 3);
    EXPECT_STREQ(out.c_str(), "abc");
}

}  // namespace
