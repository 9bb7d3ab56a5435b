// Walks over two 64 MiB texts, each against `wc -l` over the same text as a file, in the same
// run. 67 million empty lines: Ctrl+End (the caret's row from the top, then the view scrolled
// there), Goto Line to the last line, and Ctrl+Home back. One line without a line break: End from
// column 0, Ctrl+End and Ctrl+Home, and the keystrokes at the line's start (the first one opens
// the working window) and at its end.
//   bench_walks <scratch dir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "doc/buffer.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "tests/native/recorder.h"

namespace {

// 64 MiB in a full run.
const int32_t kBytes = static_cast<int32_t>(Scaled(64 << 20));

// A 60 x 200 view on kBytes of `fill`; the same bytes go to `file` for the peer.
void MakeText(EditState* doc, char fill, const std::string& file)
{
    *doc = EditState{};
    SetUpBenchView(doc);
    doc->capacity = kBytes + 4096;
    doc->text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc->capacity) + 1));
    std::memset(doc->text, fill, static_cast<size_t>(kBytes));
    doc->text[kBytes] = '\0';
    doc->length = kBytes;
    LocateCaret(doc);
    if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(doc->text, 1, static_cast<size_t>(kBytes), f);
        std::fclose(f);
    }
}

void FreeText(EditState* doc)
{
    CloseWorkingWindow(doc);
    ClearUndo(doc);
    FreeBlock(doc->cells);
    FreeBlock(doc->text);
}

// The best of three; `prepare` puts the view back between runs, outside the timing.
template <typename Prepare, typename Work>
double Best(Prepare prepare, Work work)
{
    double fastest = 1e9;
    for (int run = 0; run < 3; ++run) {
        prepare();
        fastest = std::min(fastest, BestOf(1, work));
    }
    return fastest;
}

void CaretTo(EditState* doc, int32_t offset)
{
    doc->caretOffset = offset;
    LocateCaret(doc);
    CaretUpdate(doc);
}

// Seconds per key of `keys` letters typed at the caret.
double PerKey(EditState* doc, int keys)
{
    return BestOf(1, [&] {
               for (int i = 0; i < keys; ++i) TypeKey(doc, 'k');
           }) /
           keys;
}

}  // namespace

int main(int argc, char** argv)
{
    Recorder screen;
    g_core.screen = &screen;
    g_core.insertMode = true;
    const std::string file = std::string(argc > 1 ? argv[1] : ".") + "/walks.txt";
    EditState doc{};

    MakeText(&doc, '\n', file);
    double wc = BestOfCommand(3, "wc -l < '" + file + "' > /dev/null");
    auto toTop = [&] {
        doc.caretOffset = 0;
        SetTop(&doc, 0);
        LocateCaret(&doc);
    };
    int32_t topLine = 0;
    const double end = Best(toTop, [&] {
        CaretTo(&doc, doc.length);  // Ctrl+End
        topLine = doc.topLine;
    });
    const double gotoLast = Best(toTop, [&] { GotoLine(&doc, kBytes); });
    const double home = Best([&] { CaretTo(&doc, doc.length); }, [&] { CaretTo(&doc, 0); });
    std::printf("%s of empty lines, top line after Ctrl+End %d\n", SizeText(kBytes).c_str(),
                static_cast<int>(topLine));
    PrintRatio("Ctrl+End", end, "wc -l", wc);
    PrintRatio("Goto Line (last)", gotoLast, "wc -l", wc);
    PrintRatio("Ctrl+Home", home, "wc -l", wc);
    FreeText(&doc);

    MakeText(&doc, 'x', file);
    wc = BestOfCommand(3, "wc -l < '" + file + "' > /dev/null");
    const double lineEnd = Best([&] { CaretTo(&doc, 0); }, [&] {
        CaretToLineEnd(&doc);  // End
        CaretUpdate(&doc);
    });
    const int32_t endColumn = CaretTextColumn(&doc) + 1;
    const double ctrlEnd = Best([&] { CaretTo(&doc, 0); }, [&] { CaretTo(&doc, doc.length); });
    const double ctrlHome = Best([&] { CaretTo(&doc, doc.length); }, [&] { CaretTo(&doc, 0); });
    // The first key opens the working window; closing it again is outside the timing.
    const double firstKey = Best(
        [&] {
            CloseWorkingWindow(&doc);
            CaretTo(&doc, 0);
        },
        [&] { TypeKey(&doc, 'k'); });
    const double startKey = PerKey(&doc, 150);  // still in view: no sideways scroll
    const bool windowOpen = (doc.docFlags & kDocWorkingWindow) != 0;
    CloseWorkingWindow(&doc);
    CaretTo(&doc, doc.length);
    const double endKey = PerKey(&doc, 2000);
    std::printf("%s in one line, status column after End %d\n", SizeText(kBytes).c_str(),
                static_cast<int>(endColumn));
    PrintRatio("End (from column 1)", lineEnd, "wc -l", wc);
    PrintRatio("Ctrl+End", ctrlEnd, "wc -l", wc);
    PrintRatio("Ctrl+Home", ctrlHome, "wc -l", wc);
    PrintRatio("first key at the start", firstKey, "wc -l", wc);
    PrintRatio("each key at the start", startKey, "wc -l", wc);
    PrintRatio("each key at the end", endKey, "wc -l", wc);
    if (!windowOpen) std::printf("the working window did not stay open at the line's start\n");
    std::remove(file.c_str());
    FreeText(&doc);
    return windowOpen ? 0 : 1;
}
