// Cost of a keystroke with the caret at the start of a 1 MiB, 16 MiB and 256 MiB text: typing,
// Backspace and Delete go to the working window, so their cost must not grow with the text.
// The merge when the window closes is measured once per size. The peer is a single move of the
// whole text, which is what every keystroke would cost without the working window.
// Undo and Redo of a key typed there, over alternating pairs, at 1, 16, 64 and 256 MiB: their
// mean and 99th percentile, and the bytes held by the document's blocks, which must not grow.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

// A text of 64-byte lines in a view of 60 rows by 200 columns, the caret at its start.
void MakeDocument(EditState& doc, int32_t bytes)
{
    SetUpBenchView(&doc);
    doc.capacity = bytes + 4096;
    doc.text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc.capacity) + 1));
    for (int32_t i = 0; i < bytes; ++i) doc.text[i] = (i % 64 == 63) ? '\n' : static_cast<char>('a' + i % 26);
    doc.length = bytes;
    LocateCaret(&doc);
}

void FreeDocument(EditState& doc)
{
    CloseWorkingWindow(&doc);
    ClearUndo(&doc);
    FreeBlock(doc.cells);
    FreeBlock(doc.text);
}

// `windowHeld` turns false when the keys did not all go to the working window.
Figures Measure(int32_t bytes, bool* windowHeld)
{
    EditState doc{};
    MakeDocument(doc, bytes);
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

    FreeDocument(doc);
    return f;
}

// Blocks alive and their bytes, counted by an allocator that keeps each block's size in front
// of it.
struct Held {
    int64_t blocks = 0, bytes = 0;
};
Held g_held;
constexpr size_t kSizeField = 16;  // keeps the blocks' alignment

void* CountedAlloc(size_t size)
{
    auto* block = static_cast<char*>(std::calloc(1, size + kSizeField));
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    g_held.blocks += 1;
    g_held.bytes += static_cast<int64_t>(size);
    return block + kSizeField;
}
void* CountedResize(void* block, size_t size)
{
    char* base = static_cast<char*>(block) - kSizeField;
    size_t old = 0;
    std::memcpy(&old, base, sizeof old);
    auto* grown = static_cast<char*>(std::realloc(base, size + kSizeField));
    if (!grown) return nullptr;
    std::memcpy(grown, &size, sizeof size);
    g_held.bytes += static_cast<int64_t>(size) - static_cast<int64_t>(old);
    return grown + kSizeField;
}
void CountedRelease(void* block)
{
    if (!block) return;
    char* base = static_cast<char*>(block) - kSizeField;
    size_t size = 0;
    std::memcpy(&size, base, sizeof size);
    g_held.blocks -= 1;
    g_held.bytes -= static_cast<int64_t>(size);
    std::free(base);
}

struct Spread {
    double mean, p99;
};
Spread SpreadOf(std::vector<double>& samples)
{
    double sum = 0;
    for (double s : samples) sum += s;
    const size_t at = samples.size() * 99 / 100;
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(at), samples.end());
    return {sum / static_cast<double>(samples.size()), samples[at]};
}

struct UndoFigures {
    Spread undo, redo;
    int64_t grown;  // bytes the document's blocks gained after the first thousand pairs
};

// `pairs` keys at the start of the text, each undone (timed); then as many Redo and Undo pairs
// of the last one (Redo timed). The screen's logs are emptied now and then, outside the timing.
// `same` turns false when a pair did not restore the text.
UndoFigures MeasureUndo(int32_t bytes, int pairs, Recorder& screen, bool* same)
{
    EditState doc{};
    MakeDocument(doc, bytes);
    const std::string head(doc.text, 256);
    std::vector<double> undos, redos;
    undos.reserve(static_cast<size_t>(pairs));
    redos.reserve(static_cast<size_t>(pairs));
    Held settled{};
    for (int i = 0; i < pairs; ++i) {
        if (i == std::min(1000, pairs / 2)) settled = g_held;
        if (i % 1000 == 0) screen = Recorder{};
        TypeKey(&doc, 'k');
        const auto start = Clock::now();
        Undo(&doc);
        undos.push_back(Seconds(start));
    }
    UndoFigures f{};
    f.grown = g_held.bytes - settled.bytes;
    TypeKey(&doc, 'k');
    for (int i = 0; i < pairs; ++i) {
        if (i % 1000 == 0) screen = Recorder{};
        Undo(&doc);
        const auto start = Clock::now();
        Redo(&doc);
        redos.push_back(Seconds(start));
    }
    Undo(&doc);
    CloseWorkingWindow(&doc);
    if (doc.length != bytes || head != std::string(doc.text, 256)) {
        std::fprintf(stderr, "undo did not give the text back at %d bytes\n", bytes);
        *same = false;
    }
    FreeDocument(doc);
    f.undo = SpreadOf(undos);
    f.redo = SpreadOf(redos);
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
    SetAllocator(BlockAllocator{CountedAlloc, CountedResize, CountedRelease});
    const int pairs = QuickRun() ? 2000 : 100000;
    std::printf("undo and redo of one key at the start, %d pairs each:\n", pairs);
    double firstUndo = 0, undo64 = 0;
    bool same = true;
    for (int64_t bytes : {int64_t{1} << 20, int64_t{16} << 20, int64_t{64} << 20, int64_t{256} << 20}) {
        if (QuickRun()) bytes /= 16;
        const UndoFigures f = MeasureUndo(static_cast<int32_t>(bytes), pairs, screen, &same);
        std::printf(
            "%-8s undo mean %7.2f us  p99 %7.2f us  redo mean %7.2f us  p99 %7.2f us  grew %lld bytes\n",
            SizeText(bytes).c_str(), f.undo.mean * 1e6, f.undo.p99 * 1e6, f.redo.mean * 1e6, f.redo.p99 * 1e6,
            static_cast<long long>(f.grown));
        if (firstUndo == 0) firstUndo = f.undo.mean;
        if (bytes == (QuickRun() ? 4 : 64) << 20) {
            undo64 = f.undo.mean;
            std::printf("undo at the start of %s: mean %.3f ms, p99 %.3f ms (target <= 0.1 ms, <= 1 ms)\n",
                        SizeText(bytes).c_str(), f.undo.mean * 1e3, f.undo.p99 * 1e3);
        }
    }
    std::printf("undo at %s / at %s: %.2f (target <= 2)\n", SizeText(QuickRun() ? 4 << 20 : 64 << 20).c_str(),
                SizeText(QuickRun() ? 1 << 16 : 1 << 20).c_str(), undo64 / firstUndo);
    RestoreDefaultAllocator();
    return windowHeld && same ? 0 : 1;
}
