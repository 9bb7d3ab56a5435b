// Random command sequences on one document (see tests/native/selection_walk.h): the
// highlighted cells and the selected bytes never disagree, and no edit reaches past them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/native/recorder.h"
#include "tests/native/selection_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FreshCore();
    if (size < 2) return 0;

    SelectionWalk walk(data[0]);
    for (size_t i = 1; i + 1 < size; i += 3) {
        const uint32_t high = i + 2 < size ? data[i + 2] : 0;
        const uint32_t arg = (high << 16) | (static_cast<uint32_t>(data[i + 1]) << 8) | high;
        const std::string problem = walk.Step(data[i], arg);
        if (!problem.empty()) {
            std::fprintf(stderr, "step %zu: %s\n", i / 3, problem.c_str());
            std::abort();
        }
    }
    return 0;
}
