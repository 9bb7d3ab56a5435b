// Message-box texts: the cut of the string and of the appended text, "^" as line break, and
// the output bound.
#include <gtest/gtest.h>

#include <string>

#include "app/message_text.h"

namespace {

std::string Compose(const char* message, const char* appended, size_t size = kMessageTextSize)
{
    std::string out(size, '#');
    const size_t n = ComposeMessageText(out.data(), size, message, appended);
    EXPECT_EQ(n, std::char_traits<char>::length(out.c_str()));
    return out.c_str();
}

TEST(MessageText, TheAppendedTextFollowsBothCutCaretsBreakLinesAndTheBufferHoldsIt)
{
    // The appended text is cut to 80 characters, the string to 162.
    const std::string p80(80, 'p'), m162(162, 'm');
    // clang-format off
    const struct { std::string message, appended, expect; } cases[] = {
        {"Cannot open file - ", "C:\\A.KSR", "Cannot open file - C:\\A.KSR"}, {"", "", ""},
        {"x", p80 + "TAIL", "x" + p80}, {"x", p80.substr(0, 79), "x" + p80.substr(0, 79)},
        {m162 + "CUT", "end", m162 + "end"}, {"Save changes?^^Really", "a^b", "Save changes?\n\nReallya\nb"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string appended = c.appended;
        EXPECT_EQ(Compose(c.message.c_str(), appended.data()), c.expect) << c.message;
        EXPECT_EQ(appended, c.appended) << "the caller's text is not changed";
    }
    EXPECT_EQ(Compose("Out of memory! ", nullptr), "Out of memory! ");
    // Huge inputs stay within the limits and the buffer.
    const std::string huge(100000, 'h');
    EXPECT_EQ(Compose(huge.c_str(), huge.c_str()).size(), kMessageStringMax + kMessageAppendedMax);
    // A small buffer is filled to its last byte and no further.
    char small[11];
    small[10] = '#';
    EXPECT_EQ(ComposeMessageText(small, 10, huge.c_str(), huge.c_str()), 9u);
    EXPECT_EQ(std::string(small) + small[10], std::string(9, 'h') + "#");
    EXPECT_EQ(ComposeMessageText(small, 0, "abc", "def"), 0u);
    EXPECT_EQ(small[0], 'h');
}

}  // namespace
