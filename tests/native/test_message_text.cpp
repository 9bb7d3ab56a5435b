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

TEST(MessageText, AppendedTextFollowsTheMessage)
{
    EXPECT_EQ(Compose("Cannot open file - ", "C:\\A.KSR"), "Cannot open file - C:\\A.KSR");
    EXPECT_EQ(Compose("Out of memory! ", nullptr), "Out of memory! ");
    EXPECT_EQ(Compose("", ""), "");
}

TEST(MessageText, AppendedTextIsCutToEightyCharacters)
{
    const std::string path80(80, 'p');
    EXPECT_EQ(Compose("x", (path80 + "TAIL").c_str()), "x" + path80);
    EXPECT_EQ(Compose("x", path80.substr(0, 79).c_str()), "x" + path80.substr(0, 79));
}

TEST(MessageText, StringIsCutTo162Characters)
{
    const std::string longMessage = std::string(162, 'm') + "CUT";
    EXPECT_EQ(Compose(longMessage.c_str(), "end"), std::string(162, 'm') + "end");
}

TEST(MessageText, CaretsBecomeLineBreaksInBothParts)
{
    EXPECT_EQ(Compose("Save changes?^^Really", "a^b"),
              "Save changes?\n\nReally"
              "a\nb");
}

TEST(MessageText, TheCallersTextIsNotChanged)
{
    char appended[] = "x^y";
    Compose("m^", appended);
    EXPECT_STREQ(appended, "x^y");
}

TEST(MessageText, HugeInputsStayWithinTheLimitsAndTheBuffer)
{
    const std::string huge(100000, 'h');
    const std::string full = Compose(huge.c_str(), huge.c_str());
    EXPECT_EQ(full.size(), kMessageStringMax + kMessageAppendedMax);

    // A small buffer is filled to its last byte and no further.
    char small[11];
    small[10] = '#';
    EXPECT_EQ(ComposeMessageText(small, 10, huge.c_str(), huge.c_str()), 9u);
    EXPECT_EQ(std::string(small), std::string(9, 'h'));
    EXPECT_EQ(small[10], '#');
    EXPECT_EQ(ComposeMessageText(small, 0, "abc", "def"), 0u);
    EXPECT_EQ(small[0], 'h');
}

}  // namespace
