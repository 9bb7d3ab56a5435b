// A ScreenSeam that records what the core asked of the screen, for native tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "doc/core_state.h"
#include "doc/screen_seam.h"
#include "resources/ids.h"
#include "tests/native/tally_allocator.h"

struct ScrollCall {
    int bar;
    bool range;  // true: SetScrollRange, false: SetScrollPosition
    int a, b;    // range: minimum, maximum; position: position, 0
    bool redraw;
};

struct CellRect {
    int top, left, bottom, right;
};

struct MessageCall {
    int kind;
    int stringId;
    std::string appended;
};

class Recorder : public ScreenSeam {
public:
    std::vector<ScrollCall> scrolls;
    std::vector<MessageCall> messages;
    std::vector<std::string> titles;
    std::string progress;  // " L0 L50 L-1": each report, L for a load and S for a save
    std::vector<CellRect> inversions;
    std::vector<CellRect> invalidated;
    std::vector<std::pair<int, int>> scrolledCells;  // rows, columns
    int caretX = -1, caretY = -1;
    int32_t statusLine = -1, statusColumn = -1;
    int waitDepth = 0;
    int messageAnswer = kAnswerOk;

    void SetScrollRange(WindowHandle, int bar, int min, int max, bool redraw) override
    {
        scrolls.push_back({bar, true, min, max, redraw});
    }
    void SetScrollPosition(WindowHandle, int bar, int at, bool redraw) override
    {
        scrolls.push_back({bar, false, at, 0, redraw});
    }
    void InvalidateCells(WindowHandle, int t, int l, int b, int r) override
    {
        invalidated.push_back({t, l, b, r});
    }
    void UpdateNow(WindowHandle) override {}
    void ScrollCells(WindowHandle, int rows, int columns) override
    {
        scrolledCells.push_back({rows, columns});
    }
    void InvertCells(WindowHandle, int t, int l, int b, int r) override
    {
        inversions.push_back({t, l, b, r});
    }
    void PlaceCaret(WindowHandle, int x, int y) override { caretX = x, caretY = y; }
    void ShowPosition(int32_t line, int32_t column) override { statusLine = line, statusColumn = column; }
    void ShowStatusText(const char*) override {}
    int ShowMessage(int kind, int stringId, const char* appended) override
    {
        messages.push_back({kind, stringId, appended ? appended : ""});
        return messageAnswer;
    }
    const char* LoadStringText(int stringId) override;
    void SetWindowTitle(WindowHandle, const char* title) override { titles.push_back(title); }
    void ShowProgress(int stringId, const char*, int percent) override
    {
        progress += (stringId == IDS_PROGRESS_SAVE ? " S" : " L") + std::to_string(percent);
    }
    void* BeginWait() override { return ++waitDepth, this; }
    void EndWait(void*) override { --waitDepth; }

    // The last range's maximum or position set on a bar, or -1 when none was.
    int Last(int bar, bool range) const;
    int LastRange(int bar) const { return Last(bar, true); }
    int LastPosition(int bar) const { return Last(bar, false); }
    // The string ids of the messages shown, in order.
    std::vector<int> MessageIds() const
    {
        std::vector<int> ids;
        for (const MessageCall& m : messages) ids.push_back(m.stringId);
        return ids;
    }
};

// For a fuzz target's run: default settings and a fresh recorder, which lives on between runs.
inline void FreshCore()
{
    static Recorder screen;
    screen = Recorder{};
    g_core = CoreState{};
    g_core.screen = &screen;
}

// Installs a fresh recorder, default settings and the tally allocator for each test; restores
// the allocator.
class CoreFixture {
public:
    CoreFixture();
    ~CoreFixture();
    Recorder screen;

    // Fails the allocator's calls from the n-th on (1-based), or only the n-th; the calls are
    // counted from the fixture's start, so a test can aim at "the next call".
    static void FailAllocationsFrom(int n) { g_tally.failAt = 0, g_tally.failFrom = n; }
    static void FailAllocationNumber(int n) { g_tally.failAt = n, g_tally.failFrom = 0; }
    static int AllocationCalls() { return g_tally.calls; }
};
