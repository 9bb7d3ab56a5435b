#include "tests/native/recorder.h"

#include <map>

#include "doc/memory.h"
#include "resources/ids.h"

// The texts the tests look at; every other string is empty.
const char* Recorder::LoadStringText(int stringId)
{
    static const std::map<int, const char*> texts{{IDS_UNTITLED_FORMAT, "Untitled:%u"},
                                                  {IDS_CANNOT_OPEN, "Cannot open file - "},
                                                  {IDS_CANNOT_WRITE, "Cannot write to file - "},
                                                  {IDS_OUT_OF_MEMORY, "Out of memory! "}};
    const auto found = texts.find(stringId);
    return found == texts.end() ? "" : found->second;
}

int Recorder::Last(int bar, bool range) const
{
    for (auto it = scrolls.rbegin(); it != scrolls.rend(); ++it)
        if (it->bar == bar && it->range == range) return range ? it->b : it->a;
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
