// Load of a 64 MiB file of CR LF lines through the document's real load path, against
// `tr -d '\r\000'`; save of the loaded text against unix2dos. Both peers read and write files
// on the same disk in the same run.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bench/bench_util.h"
#include "doc/document_file.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "tests/native/recorder.h"

namespace {

constexpr int kRuns = 5;

void WriteCrLfFile(const std::string& path, size_t bytes)
{
    std::mt19937 random(1);
    std::string line;
    std::string all;
    all.reserve(bytes + 256);
    while (all.size() < bytes) {
        line.assign(random() % 8, '\t');
        size_t n = 10 + random() % 70;
        for (size_t i = 0; i < n; ++i) line += static_cast<char>('a' + random() % 26);
        line += "\r\n";
        all += line;
    }
    all.resize(bytes);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(all.data(), 1, all.size(), f) != all.size() || std::fclose(f) != 0) std::exit(1);
}

void Release(EditState* doc)
{
    FreeBlock(doc->text);
    ClearUndo(doc);
    *doc = EditState{};
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dir = argc > 1 ? argv[1] : "/tmp";
    std::string in = dir + "/bench-crlf.txt", ours = dir + "/bench-ours.txt", peer = dir + "/bench-peer.txt";
    const size_t bytes = static_cast<size_t>(Scaled(int64_t{64} << 20));
    WriteCrLfFile(in, bytes);
    const std::string size = SizeText(static_cast<int64_t>(bytes));

    Recorder screen;
    g_core.screen = &screen;
    EditState doc{};
    doc.rows = 60;
    doc.columns = 200;

    double loaded = BestOf(kRuns, [&] {
        Release(&doc);
        doc.rows = 60;
        if (!CreateDocument(&doc, in.c_str())) std::exit(1);
    });
    double tr = BestOfCommand(kRuns, "tr -d '\\r\\000' < '" + in + "' > '" + peer + "'");
    PrintRatio(("load " + size + " CR LF").c_str(), loaded, "tr -d '\\r\\000'", tr);

    // unix2dos converts the LF-only text that tr wrote, as our save converts the loaded text.
    std::snprintf(doc.path, sizeof doc.path, "%s", ours.c_str());
    double saved = BestOf(kRuns, [&] {
        if (SaveText(&doc) != 1) std::exit(1);
    });
    std::string lf = dir + "/bench-lf.txt";
    double u2d = BestOfCommand(kRuns, "unix2dos -q -n '" + peer + "' '" + lf + "'");
    PrintRatio(("save " + size + " to CR LF").c_str(), saved, "unix2dos", u2d);

    g_core.settings.noTabs = 1;
    double expand = BestOf(kRuns, [&] {
        if (SaveText(&doc) != 1) std::exit(1);
    });
    PrintRatio("save with tab expansion", expand, "unix2dos", u2d);

    Release(&doc);
    for (const std::string& f : {in, ours, peer, lf}) std::remove(f.c_str());
    return 0;
}
