// Random walks of the document's commands: the highlight shown and the bytes selected stay one
// range, and edits change only that range. Each walk prints its seed; ZAVODO_WALK_SEED repeats
// one walk, ZAVODO_WALK_STEPS makes walks longer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "tests/native/edit_fixture.h"
#include "tests/native/selection_walk.h"

namespace {

uint32_t FromEnvironment(const char* name, uint32_t otherwise)
{
    const char* value = std::getenv(name);
    return value && *value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : otherwise;
}

}  // namespace

class SelectionWalkTest : public EditFixture {};

TEST_F(SelectionWalkTest, HighlightAndSelectedBytesStayOneRangeThroughRandomCommands)
{
    const uint32_t steps = FromEnvironment("ZAVODO_WALK_STEPS", 3000);
    std::vector<uint32_t> seeds{1, 2, 3, 4, 5, 6};
    if (const uint32_t seed = FromEnvironment("ZAVODO_WALK_SEED", 0)) seeds = {seed};
    for (const uint32_t seed : seeds) {
        std::printf("selection walk: seed %u, %u steps\n", seed, steps);
        g_core.settings.autoIndent = 0;
        g_core.insertMode = 1;
        Open(WalkText(seed), 8, 24, 64);
        doc->tabSize = 4;
        RedrawRows(doc.get(), 0, 0, doc->rows, doc->columns);
        SelectionWalk walk(doc.get());
        std::mt19937 random(seed);
        std::string trail;  // the last commands, to show where a walk went wrong
        for (uint32_t i = 0; i < steps; ++i) {
            const uint32_t choice = random(), arg = random();
            const std::string problem = walk.Step(choice, arg);
            ASSERT_EQ(problem, "") << "seed " << seed << ", step " << i;
        }
    }
}
