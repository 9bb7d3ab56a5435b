#include "tests/native/recorder.h"

#include <cstdlib>
#include <cstring>

#include "doc/memory.h"
#include "resources/ids.h"

const char* Recorder::LoadStringText(int stringId)
{
    switch (stringId) {
    case IDS_UNTITLED_FORMAT:
        return "Untitled:%u";
    case IDS_CANNOT_OPEN:
        return "Cannot open file - ";
    case IDS_CANNOT_WRITE:
        return "Cannot write to file - ";
    case IDS_OUT_OF_MEMORY:
        return "Out of memory! ";
    default:
        return "";
    }
}

int Recorder::LastRange(int bar) const
{
    for (auto it = scrolls.rbegin(); it != scrolls.rend(); ++it)
        if (it->bar == bar && it->range) return it->b;
    return -1;
}

int Recorder::LastPosition(int bar) const
{
    for (auto it = scrolls.rbegin(); it != scrolls.rend(); ++it)
        if (it->bar == bar && !it->range) return it->a;
    return -1;
}

namespace {

struct FailPlan {
    int calls = 0;
    int from = 0;   // fail every call from this one on (0: never)
    int only = 0;   // fail just this call (0: never)
} g_plan;

bool ShouldFail()
{
    ++g_plan.calls;
    return (g_plan.from && g_plan.calls >= g_plan.from) || (g_plan.only && g_plan.calls == g_plan.only);
}

void* CountingAlloc(size_t size) { return ShouldFail() ? nullptr : DefaultAllocator().alloc(size); }
void* CountingResize(void* block, size_t size)
{
    return ShouldFail() ? nullptr : DefaultAllocator().resize(block, size);
}
void Release(void* block) { DefaultAllocator().release(block); }

const BlockAllocator kCounting{CountingAlloc, CountingResize, Release};

}  // namespace

// The call counter runs on from the fixture's start, so a test can aim at "the next call".
void FailAllocationsFrom(int n)
{
    g_plan.from = n;
    g_plan.only = 0;
}

void FailAllocationNumber(int n)
{
    g_plan.only = n;
    g_plan.from = 0;
}

int AllocationCalls() { return g_plan.calls; }

CoreFixture::CoreFixture()
{
    g_core = CoreState{};
    g_core.screen = &screen;
    g_plan = FailPlan{};
    SetAllocator(kCounting);
}

CoreFixture::~CoreFixture()
{
    RestoreDefaultAllocator();
    g_core.screen = nullptr;
}
