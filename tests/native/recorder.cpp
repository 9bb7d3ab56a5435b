#include "tests/native/recorder.h"

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

CoreFixture::CoreFixture()
{
    g_core = CoreState{};
    g_core.screen = &screen;
    g_tally = Tally{};
    SetAllocator(kTallyAllocator);
}

CoreFixture::~CoreFixture()
{
    RestoreDefaultAllocator();
    g_core.screen = nullptr;
}
