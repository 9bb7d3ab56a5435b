// Random walks of the document's commands: the highlight shown and the bytes selected stay one
// range, and edits change only that range. Six seeded walks here; fuzz_selection runs the same
// walk as long as it is let.
#include <gtest/gtest.h>

#include <random>

#include "tests/native/recorder.h"
#include "tests/native/selection_walk.h"

class SelectionWalkTest : public ::testing::Test, public CoreFixture {};

TEST_F(SelectionWalkTest, HighlightAndSelectedBytesStayOneRangeThroughRandomCommands)
{
    for (const uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SelectionWalk walk(seed);
        std::mt19937 random(seed);
        for (int step = 0; step < 3000; ++step) {
            const uint32_t choice = random(), arg = random();
            ASSERT_EQ(walk.Step(choice, arg), "") << "seed " << seed << ", step " << step;
        }
    }
}
