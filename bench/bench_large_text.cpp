// A text of 1.2 GiB, far beyond where a 16-bit scroll divisor breaks, end to end: load through
// the file library (timed against `tr -d '\r\000'` on the same file), Ctrl+End, one typed
// character, save, and the saved file checked byte for byte: the input with the character
// added at the end.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "doc/buffer.h"
#include "doc/document_file.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "tests/native/recorder.h"

namespace {

constexpr int64_t kFileBytes = int64_t{1229} << 20;  // 1.2 GiB; the text without CRs is above 1.1 GiB
constexpr int kRuns = 3;
constexpr size_t kChunk = 8u << 20;  // the block written again and again, and the compared piece

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "bench_large_text: %s\n", what);
    std::exit(1);
}

// Whole CR LF lines of random letters behind up to 7 tabs, one block (8 MiB in a full run)
// written over and over up to `bytes`: the file ends with CR LF.
void WriteCrLfFile(const std::string& path, int64_t bytes)
{
    std::mt19937 random(7);
    std::string block;
    const auto blockBytes = static_cast<size_t>(Scaled(static_cast<int64_t>(kChunk)));
    block.reserve(blockBytes + 128);
    while (block.size() < blockBytes) {
        block.append(random() % 8, '\t');
        const size_t n = 10 + random() % 110;
        for (size_t i = 0; i < n; ++i) block += static_cast<char>('a' + random() % 26);
        block += "\r\n";
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) Fail("cannot create the input file");
    for (int64_t written = 0; written < bytes; written += static_cast<int64_t>(block.size()))
        if (std::fwrite(block.data(), 1, block.size(), f) != block.size())
            Fail("cannot write the input file");
    if (std::fclose(f) != 0) Fail("cannot write the input file");
}

// Whether the file at `saved` is the file at `in` followed by exactly `tail`.
bool SavedIsInputPlus(const std::string& in, const std::string& saved, char tail)
{
    std::unique_ptr<FILE, int (*)(FILE*)> a(std::fopen(in.c_str(), "rb"), std::fclose);
    std::unique_ptr<FILE, int (*)(FILE*)> b(std::fopen(saved.c_str(), "rb"), std::fclose);
    if (!a || !b) return false;
    std::vector<char> x(kChunk), y(kChunk);
    for (;;) {
        const size_t n = std::fread(x.data(), 1, kChunk, a.get());
        const size_t m = std::fread(y.data(), 1, n, b.get());
        if (m != n || !std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), y.begin()))
            return false;
        if (n < kChunk) break;
    }
    return std::fgetc(b.get()) == static_cast<unsigned char>(tail) && std::fgetc(b.get()) == EOF;
}

void Release(EditState* doc)
{
    FreeBlock(doc->text);
    FreeBlock(doc->cells);
    ClearUndo(doc);
    *doc = EditState{};
}

// A document window of 200 x 60 cells, as the edit window makes its record.
void NewWindow(EditState* doc)
{
    doc->tabSize = 8;
    doc->cellWidth = 8;
    doc->cellHeight = 16;
    if (LayoutCells(AsGrid(doc), 200 * 8, 60 * 16) != 0) Fail("no memory for the grid");
}

// The vertical bar takes 16-bit positions.
bool BarInRange(const Recorder& screen)
{
    const int range = screen.LastRange(kBarVertical), position = screen.LastPosition(kBarVertical);
    return range >= 0 && range <= 32767 && position >= 0 && position <= range;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const std::string in = dir + "/bench-large-crlf.txt", saved = dir + "/bench-large-saved.txt",
                      peer = dir + "/bench-large-peer.txt";
    const int64_t bytes = Scaled(kFileBytes);
    WriteCrLfFile(in, bytes);

    Recorder screen;
    g_core.screen = &screen;
    EditState doc{};
    double load = BestOf(kRuns, [&] {
        Release(&doc);
        NewWindow(&doc);
        if (!CreateDocument(&doc, in.c_str())) Fail("the load failed");
    });
    const double tr = BestOfCommand(kRuns, "tr -d '\\r\\000' < '" + in + "' > '" + peer + "'");
    std::remove(peer.c_str());
    char what[64];
    const bool gib = bytes >= int64_t{1} << 30;
    std::snprintf(what, sizeof what, "load %.2f %s CR LF",
                  static_cast<double>(bytes) / (gib ? 1 << 30 : 1 << 20), gib ? "GiB" : "MiB");
    PrintRatio(what, load, "tr -d '\\r\\000'", tr);
    if (doc.length <= Scaled(int64_t{11} << 30) / 10)
        Fail("the text is not above 1.1 GiB (a 256th of it in a quick run)");

    // Ctrl+End as the edit window does it, then a key at the end of the text.
    const int32_t loaded = doc.length;
    double keys = BestOf(1, [&] {
        doc.caretOffset = doc.length;
        LocateCaret(&doc);
        CaretUpdate(&doc);
        if (!BarInRange(screen)) Fail("Ctrl+End set the bar outside its range");
        TypeKey(&doc, 'x');
    });
    if (doc.length != loaded + 1 || doc.text[loaded] != 'x' || doc.caretOffset != doc.length ||
        doc.scrollDivisor != loaded / kScrollUnits + 1 || !BarInRange(screen) || doc.caretRow >= doc.rows)
        Fail("Ctrl+End and the key left the document or its bar wrong");

    std::snprintf(doc.path, sizeof doc.path, "%s", saved.c_str());
    double save = BestOf(1, [&] {
        if (SaveText(&doc) != 1) Fail("the save failed");
    });
    const bool same = SavedIsInputPlus(in, saved, 'x');
    std::printf("%-28s ours %8.1f ms   then save %8.1f ms   saved = input + 'x': %s\n",
                "Ctrl+End, type a key", keys * 1e3, save * 1e3, same ? "yes" : "NO");

    Release(&doc);
    std::remove(in.c_str());
    std::remove(saved.c_str());
    return same ? 0 : 1;
}
