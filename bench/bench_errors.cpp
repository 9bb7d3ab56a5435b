// Next Error over an error file of 10,000 faults on a script of 200,000 lines: reading the
// file (parse, and the marks set on the script) against `grep -n` over the same file, and each
// step (the fault's line found through its mark, then Go To Line there), which must stay within
// 10 ms, against the same grep.
//   bench_errors <scratch dir>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "compile/error_list.h"
#include "doc/buffer.h"
#include "doc/fault_marks.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "tests/native/recorder.h"

namespace {

const int32_t kLines = QuickRun() ? 2000 : 200000;
const int32_t kFaults = QuickRun() ? 100 : 10000;
constexpr char kScript[] = "C:\\WORK\\BIG.KSR";

void WriteFile(const std::string& path, const std::string& bytes)
{
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Recorder screen;
    g_core.screen = &screen;
    std::string text;
    for (int32_t i = 1; i <= kLines; ++i) text += "    print \"line " + std::to_string(i) + "\" ; a comment\n";
    std::string errors;
    for (int32_t i = 0; i < kFaults; ++i)
        errors += std::string(kScript) + "(" + std::to_string(1 + i * (kLines / kFaults)) + "): unknown keyword 'x'\r\n";
    const std::string file = std::string(argc > 1 ? argv[1] : ".") + "/BIG.ERR";
    WriteFile(file, errors);

    EditState doc{};
    SetUpBenchView(&doc);
    doc.capacity = static_cast<int32_t>(text.size()) + 4096;
    doc.text = static_cast<char*>(AllocBlock(static_cast<size_t>(doc.capacity) + 1));
    std::memcpy(doc.text, text.data(), text.size());
    doc.length = static_cast<int32_t>(text.size());

    std::vector<ErrorEntry> faults;
    const double read = BestOf(3, [&] {
        faults = ParseErrorFile(errors, kScript);
        std::vector<FaultPlace> places;
        for (size_t i = 0; i < faults.size(); ++i) places.push_back(FaultPlace{faults[i].line, static_cast<int32_t>(i)});
        SetFaultMarks(&doc, places.data(), static_cast<int32_t>(places.size()));
    });
    const double grep = BestOfCommand(3, "grep -n ': ' '" + file + "' > /dev/null");
    const double walk = BestOf(1, [&] {
        for (int32_t i = 0; i < static_cast<int32_t>(faults.size()); ++i) {
            const int32_t line = FaultMarkLine(&doc, i);
            GotoLine(&doc, line > 0 ? line : faults[static_cast<size_t>(i)].line);
        }
    });
    const double step = walk / static_cast<double>(faults.size());
    const bool reached = doc.topLine + 1 == faults.back().line && doc.faultMarkCount == kFaults;
    std::printf("%d faults on %d lines (%s), last step on line %d\n", static_cast<int>(faults.size()),
                static_cast<int>(kLines), SizeText(static_cast<int64_t>(text.size())).c_str(),
                static_cast<int>(doc.topLine + 1));
    PrintRatio("read error file and mark", read, "grep -n", grep);
    PrintRatio("Next Error (each step)", step, "grep -n", grep);
    std::printf("each step %.3f ms: %s the 10 ms a step may take\n", step * 1e3, step <= 0.010 ? "within" : "OVER");
    std::remove(file.c_str());
    ClearFaultMarks(&doc);
    CloseWorkingWindow(&doc);
    ClearUndo(&doc);
    FreeBlock(doc.cells);
    FreeBlock(doc.text);
    return reached ? 0 : 1;
}
