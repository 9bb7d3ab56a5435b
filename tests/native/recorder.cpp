#include "tests/native/recorder.h"

#include <cstdlib>
#include <cstring>

#include "doc/memory.h"
#include "resources/ids.h"

void Recorder::SetScrollRange(WindowHandle, int bar, int minimum, int maximum, bool redraw)
{
    scrolls.push_back({bar, true, minimum, maximum, redraw});
    log.push_back("range " + std::to_string(bar) + " " + std::to_string(minimum) + ".." + std::to_string(maximum));
}

void Recorder::SetScrollPosition(WindowHandle, int bar, int position, bool redraw)
{
    scrolls.push_back({bar, false, position, 0, redraw});
    log.push_back("position " + std::to_string(bar) + " " + std::to_string(position));
}

void Recorder::InvalidateCells(WindowHandle, int top, int left, int bottom, int right)
{
    invalidated.push_back({top, left, bottom, right});
    log.push_back("invalidate " + std::to_string(top) + "," + std::to_string(left) + "," +
                  std::to_string(bottom) + "," + std::to_string(right));
}

void Recorder::UpdateNow(WindowHandle) { log.push_back("update"); }
void Recorder::ScrollCells(WindowHandle, int r, int c)
{
    scrolledCells.push_back({r, c});
    log.push_back("scroll " + std::to_string(r) + "," + std::to_string(c));
}
void Recorder::InvertCells(WindowHandle, int top, int left, int bottom, int right)
{
    inversions.push_back({top, left, bottom, right});
    log.push_back("invert");
}

void Recorder::PlaceCaret(WindowHandle, int x, int y)
{
    caretX = x;
    caretY = y;
    log.push_back("caret " + std::to_string(x) + "," + std::to_string(y));
}
void Recorder::ShowPosition(int32_t line, int32_t column)
{
    statusLine = line;
    statusColumn = column;
    log.push_back("status " + std::to_string(line) + "," + std::to_string(column));
}
void Recorder::ShowStatusText(const char* text) { log.push_back(std::string("status ") + text); }

int Recorder::ShowMessage(int kind, int stringId, const char* appended)
{
    messages.push_back({kind, stringId, appended ? appended : ""});
    log.push_back("message " + std::to_string(stringId));
    return messageAnswer;
}

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

void Recorder::SetWindowTitle(WindowHandle, const char* title)
{
    titles.push_back(title);
    log.push_back(std::string("title ") + title);
}

void* Recorder::BeginWait()
{
    ++waitDepth;
    log.push_back("wait");
    return this;
}

void Recorder::EndWait(void*)
{
    --waitDepth;
    log.push_back("endwait");
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
