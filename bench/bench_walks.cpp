// Whole-text line walks on a 64 MiB text of empty lines (67 million lines): Ctrl+End (the
// caret's row from the top, then the view scrolled there), Goto Line to the last line, and
// Ctrl+Home back; each against `wc -l` over the same text as a file, in the same run.
//   bench_walks <scratch dir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/view.h"
#include "tests/native/recorder.h"

int main(int argc, char** argv)
{
    Recorder screen;
    g_core.screen = &screen;
    const std::string file = std::string(argc > 1 ? argv[1] : ".") + "/lines.txt";
    const int32_t bytes = 64 << 20;
    EditState doc{};
    doc.rows = 60;
    doc.columns = 200;
    doc.tabSize = 8;
    doc.scrollDivisor = 1;
    doc.cellWidth = 8;
    doc.cellHeight = 16;
    doc.capacity = bytes + 4096;
    doc.text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc.capacity) + 1));
    std::memset(doc.text, '\n', static_cast<size_t>(bytes));
    doc.length = bytes;
    LayoutCells(AsGrid(&doc), 200 * 8, 60 * 16);
    LocateCaret(&doc);
    if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(doc.text, 1, static_cast<size_t>(bytes), f);
        std::fclose(f);
    }
    const double wc = BestOfCommand(3, "wc -l < '" + file + "' > /dev/null");
    // Each figure is the best of three; the view is put back between runs, outside the timing.
    auto best = [](auto prepare, auto work) {
        double fastest = 1e9;
        for (int run = 0; run < 3; ++run) {
            prepare();
            fastest = std::min(fastest, BestOf(1, work));
        }
        return fastest;
    };
    auto toTop = [&] {
        doc.caretOffset = 0;
        SetTop(&doc, 0);
        LocateCaret(&doc);
    };
    int32_t topLine = 0;
    const double end = best(toTop, [&] {
        doc.caretOffset = doc.length;  // Ctrl+End
        LocateCaret(&doc);
        CaretUpdate(&doc);
        topLine = doc.topLine;
    });
    const double gotoLast = best(toTop, [&] { GotoLine(&doc, bytes); });
    const double home = best(
        [&] {
            doc.caretOffset = doc.length;
            LocateCaret(&doc);
            CaretUpdate(&doc);
        },
        [&] {
            doc.caretOffset = 0;  // Ctrl+Home
            LocateCaret(&doc);
            CaretUpdate(&doc);
        });
    std::printf("64 MiB of empty lines, top line after Ctrl+End %d\n", static_cast<int>(topLine));
    PrintRatio("Ctrl+End", end, "wc -l", wc);
    PrintRatio("Goto Line (last)", gotoLast, "wc -l", wc);
    PrintRatio("Ctrl+Home", home, "wc -l", wc);
    std::remove(file.c_str());
    FreeBlock(doc.cells);
    FreeBlock(doc.text);
    return 0;
}
