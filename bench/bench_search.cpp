// Search and Replace All on large texts: Find Next of a pattern that is not there against
// `grep -F -c`, the same search up against down (the mirrored skip table keeps it near 1), Replace All of a
// 3-byte word occurring about a million times in 64 MiB by a 5-byte word against sed, and Replace All at 64
// MiB against 16 MiB, which a pass linear in the text keeps near 4, and Match Block without a partner, which
// crosses every line, against `grep -c` of the missing closer. The peers read the same text from a file
// written in the same run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "bench/bench_util.h"
#include "doc/blocks.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "editor/search.h"
#include "tests/native/recorder.h"

namespace {

constexpr int64_t kMiB = int64_t{1} << 20;
constexpr int kRuns = 3;

// Lines of words over letters without 'x' and 'z', with "fox" about every 64 bytes.
std::string WordText(size_t bytes)
{
    std::mt19937 random(3);
    const char letters[] = "abcdefghijklmnopqrstuvwy";
    std::string all;
    all.reserve(bytes + 128);
    while (all.size() < bytes) {
        for (int w = 0; w < 10; ++w) {
            const size_t n = 2 + random() % 6;
            for (size_t i = 0; i < n; ++i) all += letters[random() % (sizeof letters - 1)];
            all += ' ';
        }
        all += random() % 2 ? "fox\n" : "fox the\n";
    }
    all.resize(bytes);
    return all;
}

uint32_t Milliseconds()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
void ShowNothing(const char*, const char*) {}

void Load(EditState* doc, const std::string& text)
{
    FreeBlock(doc->text);
    ClearUndo(doc);
    doc->capacity = static_cast<int32_t>(text.size()) + 4096;
    doc->text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc->capacity)));
    if (!doc->text) std::exit(1);
    text.copy(doc->text, text.size());
    doc->length = static_cast<int32_t>(text.size());
    doc->caretOffset = doc->topOffset = doc->topLine = 0;
    doc->docFlags = 0;
}

// Seconds of the fastest of kRuns calls of work, each after an untimed prepare.
double BestPrepared(const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        best = std::min(best, BestOf(1, work));
    }
    return best;
}

void WriteFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) std::exit(1);
}

void SetSearch(const char* find, const char* replace)
{
    std::snprintf(g_core.search.findText, kSearchTextSize, "%s", find);
    std::snprintf(g_core.search.replaceText, kSearchTextSize, "%s", replace);
    g_core.search.matchCase = 1;
}

}  // namespace

int main(int argc, char** argv)
{
#if defined(__GLIBC__)
    // Every block of a mebibyte or more comes fresh from the system, as it does from the
    // Windows heap the editor runs on. Left to itself glibc keeps freed blocks of up to 32 MiB
    // for reuse: the 16 MiB text's new block would then come without page faults and the
    // 64 MiB one with them, and the ratio would measure the allocator rather than the pass.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const std::string in = dir + "/bench-words.txt", out = dir + "/bench-words-sed.txt";
    const int64_t bigBytes = Scaled(64 * kMiB), smallBytes = Scaled(16 * kMiB);
    const std::string big = WordText(static_cast<size_t>(bigBytes)),
                      small = WordText(static_cast<size_t>(smallBytes));
    const std::string bigSize = SizeText(bigBytes), smallSize = SizeText(smallBytes);
    WriteFile(in, big);

    Recorder screen;
    g_core.screen = &screen;
    EditState doc{};
    SetUpBenchView(&doc);
    const SearchPlatform platform{AsciiCaseFold(), Milliseconds, ShowNothing};

    const char* absent = "quartz jewel";
    SetSearch(absent, "");
    Load(&doc, big);
    const double find = BestOf(kRuns, [&] {
        doc.docFlags = 0;
        if (FindNext(&doc, platform.fold)) std::exit(1);
    });
    const double grep = BestOfCommand(
        kRuns, "grep -F -c '" + std::string(absent) + "' '" + in + "' > /dev/null; [ $? -le 1 ]");
    PrintRatio(("find next, absent, " + bigSize).c_str(), find, "grep -F -c", grep);
    // Up from the text's end over all of it, as a repeated Find Up from a hit there does.
    const double up = BestOf(kRuns, [&] {
        doc.caretOffset = doc.length;
        doc.docFlags = kDocOnSearchHit;
        if (FindNext(&doc, platform.fold, FindCourse{true, false})) std::exit(1);
    });
    PrintRatio(("find up, absent, " + bigSize).c_str(), up, "find next (down)", find);
    // Ctrl+] on a proc whose endproc never comes walks every line of the text once.
    std::string block = "proc Main()\n" + big;
    TextSpan token{}, partner{};
    const double match = BestOf(kRuns, [&] {
        if (FindBlockPartner(block.data(), static_cast<int32_t>(block.size()), 0, 0,
                             static_cast<int32_t>(block.size()), &token, &partner))
            std::exit(1);
    });
    block = std::string();
    const double grepBlock =
        BestOfCommand(kRuns, "grep -c -i '^[[:space:]]*endproc' '" + in + "' > /dev/null; [ $? -le 1 ]");
    PrintRatio(("match block, no partner, " + bigSize).c_str(), match, "grep -c -i ^endproc", grepBlock);

    SetSearch("fox", "foxes");
    uint32_t count = 0;
    auto replaceIn = [&](const std::string& text) {
        return BestPrepared([&] { Load(&doc, text); },
                            [&] {
                                doc.docFlags = 0;
                                count = ReplaceAll(&doc, platform);
                            });
    };
    const double replace64 = replaceIn(big);
    const uint32_t count64 = count;
    const double sed = BestOfCommand(kRuns, "sed 's/fox/foxes/g' '" + in + "' > '" + out + "'");
    PrintRatio(("replace all, " + bigSize).c_str(), replace64, "sed s/fox/foxes/g", sed);
    const double replace16 = replaceIn(small);
    std::printf("(%lu and %lu items replaced)\n", static_cast<unsigned long>(count64),
                static_cast<unsigned long>(count));
    PrintRatio(("replace all " + bigSize + " : " + smallSize).c_str(), replace64, smallSize.c_str(),
               replace16);

    FreeBlock(doc.text);
    FreeBlock(doc.cells);
    ClearUndo(&doc);
    std::remove(in.c_str());
    std::remove(out.c_str());
    return 0;
}
