// Cost of a keystroke with the caret at the start of a 1 MiB, 16 MiB and 256 MiB text: typing,
// Backspace and Delete go to the working window, so their cost must not grow with the text.
// The merge when the window closes is measured once per size. The peer is a single move of the
// whole text, which is what every keystroke would cost without the working window.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "doc/buffer.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "tests/native/recorder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Figures {
    double type, backspace, del, merge, wholeMove;
};

// `windowHeld` turns false when the keys did not all go to the working window.
Figures Measure(int32_t bytes, bool* windowHeld)
{
    EditState doc{};
    doc.rows = 60;
    doc.columns = 200;
    doc.tabSize = 8;
    doc.scrollDivisor = 1;
    doc.cellWidth = 8;
    doc.cellHeight = 16;
    doc.capacity = bytes + 4096;
    doc.text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc.capacity) + 1));
    for (int32_t i = 0; i < bytes; ++i) doc.text[i] = (i % 64 == 63) ? '\n' : static_cast<char>('a' + i % 26);
    doc.length = bytes;
    LayoutCells(AsGrid(&doc), 200 * 8, 60 * 16);
    LocateCaret(&doc);

    const int keys = 2000;
    Figures f{};
    auto start = Clock::now();
    for (int i = 0; i < keys; ++i) {
        TypeKey(&doc, 'k');
        if (doc.caretColumn > 150) TypeKey(&doc, kKeyEnter);  // stay in view, as a typist would
    }
    f.type = Seconds(start) / keys;
    start = Clock::now();
    for (int i = 0; i < 500; ++i) TypeKey(&doc, kKeyBackspace);
    f.backspace = Seconds(start) / 500;
    doc.caretOffset = 0;
    LocateCaret(&doc);
    start = Clock::now();
    for (int i = 0; i < 40; ++i) TypeKey(&doc, kKeyDelete);
    f.del = Seconds(start) / 40;
    if (!(doc.docFlags & kDocWorkingWindow)) {
        std::fprintf(stderr, "working window did not stay open\n");
        *windowHeld = false;
    }
    start = Clock::now();
    CloseWorkingWindow(&doc);
    f.merge = Seconds(start);

    start = Clock::now();
    std::memmove(doc.text + 1, doc.text, static_cast<size_t>(doc.length));
    f.wholeMove = Seconds(start);

    ClearUndo(&doc);
    FreeBlock(doc.cells);
    FreeBlock(doc.text);
    return f;
}

}  // namespace

int main()
{
    Recorder screen;
    g_core.screen = &screen;
    // A quick run takes a 16th: the working window opens only on a text well above 8 KiB.
    std::vector<std::pair<std::string, int32_t>> sizes;
    for (int64_t bytes : {int64_t{1} << 20, int64_t{16} << 20, int64_t{256} << 20}) {
        if (QuickRun()) bytes /= 16;
        sizes.emplace_back(SizeText(bytes), static_cast<int32_t>(bytes));
    }
    Figures first{};
    bool windowHeld = true;
    for (size_t i = 0; i < sizes.size(); ++i) {
        screen = Recorder{};  // the recorder's logs would grow with every keystroke
        Figures f = Measure(sizes[i].second, &windowHeld);
        if (i == 0) first = f;
        std::printf(
            "%-8s type %6.2f us  backspace %6.2f us  delete %6.2f us  merge %8.2f ms  "
            "(one whole-text move %8.2f ms: %.0fx a keystroke)\n",
            sizes[i].first.c_str(), f.type * 1e6, f.backspace * 1e6, f.del * 1e6, f.merge * 1e3,
            f.wholeMove * 1e3, f.wholeMove / f.type);
        if (i + 1 == sizes.size())
            std::printf("keystroke at %s / at %s: type %.2f, backspace %.2f, delete %.2f (target <= 2)\n",
                        sizes.back().first.c_str(), sizes.front().first.c_str(), f.type / first.type,
                        f.backspace / first.backspace, f.del / first.del);
    }
    return windowHeld ? 0 : 1;
}
