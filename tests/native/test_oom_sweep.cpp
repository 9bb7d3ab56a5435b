// An editing session with each of its allocations made to fail in turn, alone and together
// with every later one: no step crashes or leaks, and each leaves the text as it was before the
// step or as the step makes it, never part of the way, with "Out of memory! " shown when the
// step could not be done and only then (typing without memory for the undo log goes on
// silently). Asked whether to go on without undo information, an answer of No
// leaves the text as it was and Yes goes on without the log.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "doc/document_file.h"
#include "doc/undo.h"
#include "editor/search.h"
#include "resources/ids.h"
#include "tests/native/edit_fixture.h"
#include "tests/native/file_helpers.h"

namespace {

class OomSweepTest : public EditFixture {
protected:
    // What a later step depends on besides the text: the log, the caret and the view's top.
    std::string State() const
    {
        return Join(doc->undoNext, doc->undoCount, AbsoluteCaret(doc.get()), AbsoluteTop(doc.get()),
                    doc->docFlags & kDocOnSearchHit) +
               "|" + Whole();
    }
};

}  // namespace

TEST_F(OomSweepTest, EveryStepIsDoneWholeOrNotAtAll)
{
    ScratchDir dir;
    const std::string file = dir.File("session.ksr");
    const SearchPlatform platform{AsciiCaseFold(), nullptr, nullptr};
    g_core.settings.autoIndent = 0;     // so that Enter is one insertion
    auto key = [this](int k) { return [this, k] { TypeKey(doc.get(), k); }; };
    const std::function<void()> undo = [this] { Undo(doc.get()); }, redo = [this] { Redo(doc.get()); };
    const std::vector<std::function<void()>> steps = {
        key('a'), key(kKeyEnter), key('b'), key(kKeyDelete),
        [this] {  // Paste: a command closes the working window first
            CloseWorkingWindow(doc.get());
            InsertString(doc.get(), "pasted\ntext ");
            SetTop(doc.get(), doc->topOffset);
        },
        [this] {  // a selection deleted
            Select(AbsoluteCaret(doc.get()) - 30, AbsoluteCaret(doc.get()));
            TypeKey(doc.get(), kKeyDelete);
        },
        [this, &platform] {
            SetSearch("line", "a longer line");
            ReplaceAll(doc.get(), platform);
        },
        undo, undo, undo, redo, redo, redo, [this] { SaveText(doc.get()); },
    };

    // One session; `fail` sets up the allocator once the document is open. The first session
    // counts the allocations and keeps the state before each step and the text and file after it.
    std::vector<std::string> states, texts, files;
    int calls = 0, liveAfterFirst = 0, failedSteps = 0;
    auto session = [&](const std::function<void(int)>& fail, const std::string& run) {
        std::remove(file.c_str());
        const int live = g_tally.live;
        Open(NumberedLines(2000), 12, 30, 0);
        std::snprintf(doc->path, sizeof doc->path, "%s", file.c_str());
        Click(100);  // 8192 and more bytes behind the caret: typing opens a working window
        const int base = AllocationCalls();
        fail(base);
        const bool first = states.empty();
        for (size_t i = 0; i < steps.size(); ++i) {
            const std::string state = State(), before = Whole();
            const size_t shown = screen.messages.size();
            steps[i]();
            const std::string after = Whole(), saved = ReadFile(file);
            if (first) {
                states.push_back(state);
                texts.push_back(after);
                files.push_back(saved);
            }
            ASSERT_TRUE(!g_core.undoReplay && !g_core.undoNoCopy && doc->text[doc->length] == '\0' &&
                        doc->length <= doc->capacity && doc->caretOffset >= 0 && doc->caretOffset <= doc->length)
                << run << " step " << i;
            if (state != states[i]) continue;  // an earlier step went otherwise: no reference
            const bool done = after == texts[i] && saved == files[i];
            const bool undone = after == before && saved.empty();
            EXPECT_TRUE(done || undone) << run << " step " << i << " left neither the text before nor after";
            bool outOfMemory = false, asked = false;
            for (size_t m = shown; m < screen.messages.size(); ++m) {
                outOfMemory = outOfMemory || screen.messages[m].stringId == IDS_OUT_OF_MEMORY;
                asked = asked || (screen.messages[m].stringId == IDS_LOW_MEMORY_UNDO &&
                                  screen.messages[m].kind == kMessageYesNo);
            }
            EXPECT_TRUE(done ? !outOfMemory : outOfMemory || asked)
                << run << " step " << i << (done ? " was done, yet out of memory" : " failed without a message");
            // Asked whether to go on without undo information: No leaves the text, Yes goes on
            // without a log.
            EXPECT_TRUE(!asked || (screen.messageAnswer == kAnswerNo ? undone : doc->undoLog == nullptr))
                << run << " step " << i << " did not do as answered";
            failedSteps += !done;
        }
        FailAllocationsFrom(0);
        CloseWorkingWindow(doc.get());
        if (first) calls = AllocationCalls() - base;
        doc.reset();
        if (first) liveAfterFirst = g_tally.live - live;
        EXPECT_EQ(g_tally.live - live, liveAfterFirst) << run << " leaves blocks behind";
    };

    session([](int) {}, "no failure");
    ASSERT_FALSE(files.back().empty());  // the save was made: its failures can be told apart
    ASSERT_GE(calls, 6);
    for (int n = 1; n <= calls && !HasFatalFailure(); ++n) {
        for (int answer : {kAnswerYes, kAnswerNo}) {  // to going on without undo information
            screen.messageAnswer = answer;
            const std::string run = std::to_string(n) + (answer == kAnswerYes ? ", Yes" : ", No");
            session([n](int base) { FailAllocationNumber(base + n); }, "allocation " + run);
            session([n](int base) { FailAllocationsFrom(base + n); }, "allocations from " + run);
        }
    }
    EXPECT_GT(failedSteps, calls);  // the failures reach the steps, not only their silent fallbacks
}
