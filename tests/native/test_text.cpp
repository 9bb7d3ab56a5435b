// Byte-block primitives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "doc/text.h"

namespace {

std::vector<char> Pattern(size_t n)
{
    std::vector<char> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<char>(i * 7 + i / 251);
    return v;
}

}  // namespace

TEST(MoveBytes, OverlappingLargeMovesKeepEveryByteInBothDirections)
{
    for (int32_t count : {65535, 65536, 65537, 200000}) {
        for (int32_t shift : {1, 3, 65535, 70000}) {
            std::vector<char> block = Pattern(static_cast<size_t>(count + shift));
            std::vector<char> expect = block;
            // Right: the range moves towards the end.
            std::vector<char> right = block;
            std::memmove(expect.data() + shift, expect.data(), static_cast<size_t>(count));
            MoveBytes(right.data() + shift, right.data(), count);
            EXPECT_EQ(right, expect) << "right count " << count << " shift " << shift;
            // Left.
            std::vector<char> left = block;
            expect = block;
            std::memmove(expect.data(), expect.data() + shift, static_cast<size_t>(count));
            MoveBytes(left.data(), left.data() + shift, count);
            EXPECT_EQ(left, expect) << "left count " << count << " shift " << shift;
        }
    }
}

TEST(MoveBytes, AnswersTheDestinationAndIgnoresEmptyMoves)
{
    char a[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(MoveBytes(a + 1, a, 0), a + 1);
    EXPECT_EQ(std::string(a, 4), "abcd");
    EXPECT_EQ(MoveBytes(a + 1, a, 2), a + 1);
    EXPECT_EQ(std::string(a, 4), "aabd");
}

TEST(CopyBytes, WritesExactlyCountPaddingWithNulAfterTheSourceEnds)
{
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(CopyBytes(out, "abc", 6), out + 6);
    EXPECT_EQ(std::string(out, 8), std::string("abc\0\0\0xx", 8));
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(CopyBytes(out, "abcdefgh", 4), out + 4);
    EXPECT_EQ(std::string(out, 8), "abcdxxxx");
}

TEST(LineNavigation, LineStartAtTheEdges)
{
    const char* t = "ab\ncd\n\nef";
    EXPECT_EQ(LineStart(t, 0), 0);
    EXPECT_EQ(LineStart(t, -5), 0);
    EXPECT_EQ(LineStart(t, 2), 0);   // on the LF itself
    EXPECT_EQ(LineStart(t, 3), 3);   // right after an LF
    EXPECT_EQ(LineStart(t, 5), 3);
    EXPECT_EQ(LineStart(t, 6), 6);   // empty line
    EXPECT_EQ(LineStart(t, 9), 7);   // the NUL position of the last line
}

TEST(LineNavigation, NextLineStartStopsAtTheEnd)
{
    const char t[] = "ab\ncd\0\0\0";
    const char* end = t + 5;
    EXPECT_EQ(NextLineStart(end, t), t + 3);
    EXPECT_EQ(NextLineStart(end, t + 3), end);  // last line without LF
    EXPECT_EQ(NextLineStart(end, end), end);
    EXPECT_EQ(NextLineStart(end, end + 2), end + 2);
    EXPECT_EQ(NextLineStart(t + 2, t), t + 2);  // the LF lies at end: not before it
}

TEST(LineNavigation, CountLineEndsIsAntisymmetric)
{
    std::string s = "a\nb\n\nccc\nd";
    for (int32_t a = 0; a <= static_cast<int32_t>(s.size()); ++a) {
        for (int32_t b = 0; b <= static_cast<int32_t>(s.size()); ++b) {
            int32_t lo = std::min(a, b), hi = std::max(a, b);
            int32_t expect = static_cast<int32_t>(std::count(s.begin() + lo, s.begin() + hi, '\n'));
            EXPECT_EQ(CountLineEnds(s.c_str(), a, b), a < b ? expect : -expect) << a << "," << b;
        }
    }
}

TEST(TextLength, CountsUpToTheNul) { EXPECT_EQ(TextLength(std::string("ab\0cd", 5).c_str()), 2); }
