// Arbitrary command lines split into at most 20 arguments, each inside the list's one block
// and NUL-ended there; a failed allocation at any call gives no list and leaks nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "doc/memory.h"
#include "tests/native/tally_allocator.h"

namespace {

void Check(const ArgumentList* list, size_t lineLength)
{
    if (list->count > kMaxArguments) std::abort();
    const char* base = reinterpret_cast<const char*>(list);
    const size_t head = sizeof(ArgumentList) + sizeof(uint32_t) * list->count;
    if (reinterpret_cast<const char*>(list->offsets) != base + sizeof(ArgumentList)) std::abort();
    if (list->strings != base + head) std::abort();
    const size_t stored = g_tally.lastSize - head;  // the list is the last block made
    if (stored > lineLength + 1) std::abort();
    for (int i = 0; i < list->count; ++i) {
        const uint32_t offset = list->offsets[i];
        if (offset >= stored) std::abort();
        if (i > 0 && offset <= list->offsets[i - 1]) std::abort();
        if (!std::memchr(list->strings + offset, '\0', stored - offset)) std::abort();
        if (Argument(list, i) != list->strings + offset) std::abort();
    }
    if (Argument(list, list->count) != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    SetAllocator(kTallyAllocator);

    g_tally = Tally{};
    ArgumentList* list = SplitCommandLine(line.c_str());
    if (!list) std::abort();
    Check(list, std::strlen(line.c_str()));
    FreeArgumentList(list);
    const int calls = g_tally.calls;
    if (g_tally.live != 0) std::abort();

    // Fail one of the calls, chosen by the input, and expect a clean refusal.
    g_tally = Tally{};
    g_tally.failAt = 1 + static_cast<int>(size % static_cast<size_t>(calls));
    if (SplitCommandLine(line.c_str()) != nullptr) std::abort();
    if (g_tally.live != 0) std::abort();

    RestoreDefaultAllocator();
    return 0;
}
