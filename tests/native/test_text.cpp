// Byte-block primitives and the edges of the line walks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "doc/text.h"

TEST(ByteBlocks, MovesKeepEveryByteCopiesPadWithNulAndLineStartsStopAtTheTextsEnds)
{
    for (int32_t count : {0, 2, 65535, 65536, 65537, 200000}) {
        for (int32_t shift : {1, 3, 65535, 70000}) {
            std::vector<char> block(static_cast<size_t>(count + shift));
            for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7 + i / 251);
            for (bool right : {true, false}) {
                std::vector<char> got = block, expect = block;
                const size_t to = right ? static_cast<size_t>(shift) : 0,
                             from = right ? 0 : static_cast<size_t>(shift);
                std::memmove(expect.data() + to, expect.data() + from, static_cast<size_t>(count));
                EXPECT_EQ(MoveBytes(got.data() + to, got.data() + from, count), got.data() + to);
                EXPECT_EQ(got, expect)
                    << (right ? "right" : "left") << " count " << count << " shift " << shift;
            }
        }
    }

    // A copy writes exactly its count, padding with NUL after the source ends.
    for (auto [source, count, expect] : {std::make_tuple("abc", 6, std::string("abc\0\0\0xx", 8)),
                                         std::make_tuple("abcdefgh", 4, std::string("abcdxxxx"))}) {
        char out[8];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(CopyBytes(out, source, count), out + count) << source;
        EXPECT_EQ(std::string(out, 8), expect) << source;
    }
    // Line starts: before the text is 0, and the next line start stops at the end (offsets inside
    // texts are walked against byte loops in test_line_walks.cpp).
    EXPECT_EQ(LineStart("ab\ncd", -5), 0);
    const char t[] = "ab\ncd\0\0\0";
    // From 3, the last line without LF; from 0 with the end at 2, the LF lies at the end: not before it.
    for (auto [end, from, next] : {std::tuple{5, 0, 3}, {5, 3, 5}, {5, 5, 5}, {5, 7, 7}, {2, 0, 2}})
        EXPECT_EQ(NextLineStart(t + end, t + from) - t, next) << end << " " << from;
}
