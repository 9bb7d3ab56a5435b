// The word-at-a-time line and column walks against plain byte loops, on random texts: every line
// length from 0 up, lines crossing 8, 16, 32 and 64-byte boundaries, with and without a final LF,
// with tabs and NUL bytes among the others.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "doc/text.h"

namespace {

TEST(LineWalks, AgreeWithByteLoopsOnRandomTexts)
{
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        // Every fourth text is long with runs of empty lines, so whole 128-byte chunks of LFs
        // are passed in one step.
        const int lines = static_cast<int>(round % 4 == 0 ? 600 + random() % 400 : random() % 40);
        for (int i = 0; i < lines; ++i) {
            const int length = round % 4 == 0 && random() % 8 ? 0 : random() % 4 == 0 ? random() % 130 : random() % 9;
            for (int k = 0; k < length; ++k) text += "xyz\xff\x0b\t\0"[random() % 16 % 7];
            text += '\n';
        }
        if (random() % 2) text.append(random() % 70, 'q');
        // Offsets into a larger block, so every alignment of the start is met.
        const std::string block = std::string(random() % 8, '\n') + text;
        const char* t = block.data() + (block.size() - text.size());
        const int32_t n = static_cast<int32_t>(text.size());
        for (int32_t from = 0; from <= n; from += 1 + static_cast<int32_t>(random() % 5)) {
            const int32_t to = from + static_cast<int32_t>(random() % (n - from + 1));
            int32_t lfs = 0;
            for (int32_t k = from; k < to; ++k) lfs += t[k] == '\n';
            ASSERT_EQ(CountLineEnds(t, from, to), lfs) << round << ' ' << from << ' ' << to;
            ASSERT_EQ(CountLineEnds(t, to, from), -lfs);
            int32_t start = to;
            while (start > 0 && t[start - 1] != '\n') --start;
            ASSERT_EQ(LineStart(t, to), start) << round << ' ' << to;
            // Line by line, as the view walks: forward over n LFs, back over n line starts.
            const int32_t walk = static_cast<int32_t>(random() % 4 == 0 ? random() % 1200 : random() % 12);
            int32_t p = from, passed = 0, reached = -1;
            while (passed < walk && p < to) {
                const char* lf = static_cast<const char*>(std::memchr(t + p, '\n', static_cast<size_t>(to - p)));
                if (!lf) break;
                p = static_cast<int32_t>(lf - t) + 1;
                ++passed;
            }
            ASSERT_EQ(ForwardLines(t, from, to, walk, &reached), passed) << round << ' ' << from;
            ASSERT_EQ(reached, p);
            int32_t back = start, steps = 0;
            while (steps < walk && back > 0) {
                back = LineStart(t, back - 1);
                ++steps;
            }
            ASSERT_EQ(BackwardLines(t, start, walk, &reached), steps) << round << ' ' << start;
            ASSERT_EQ(reached, back);
            // Columns up to the next LF or NUL, from a column that may be near the largest.
            const int32_t tab = 1 + static_cast<int32_t>(random() % 9);
            const int32_t column0 = random() % 8 ? static_cast<int32_t>(random() % 50) : INT32_MAX - 40;
            int32_t q = from, column = column0, walked = column0;
            for (; q < to && t[q] != '\n' && t[q] != '\0'; ++q) column = ColumnAdvance(column, t[q], tab);
            ASSERT_EQ(WalkColumns(t, from, to, tab, &walked), q) << round << ' ' << from;
            ASSERT_EQ(walked, column) << round << ' ' << from;
        }
    }
}

}  // namespace
