// Timing helpers for the benchmarks: best of several runs, peers run as shell commands, and
// the sizes of a quick run.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "doc/edit_state.h"
#include "doc/grid.h"

// Whether ZAVODO_BENCH_QUICK is set (and not "0"): every step on small sizes, which shows in
// seconds that a benchmark still runs through, with figures not worth reading.
bool QuickRun();
// `bytes` in a full run, a 256th of it in a quick one.
int64_t Scaled(int64_t bytes);
// "64 MiB", "256 KiB" or "100 bytes": the largest unit that divides `bytes`.
std::string SizeText(int64_t bytes);

// Milliseconds on a steady clock, for timing what a call cannot wrap.
double NowMs();
// Seconds of the fastest of `runs` calls.
double BestOf(int runs, const std::function<void()>& work);
// Seconds of the fastest of `runs` runs of a shell command; aborts when it fails.
double BestOfCommand(int runs, const std::string& command);
void PrintRatio(const char* what, double ours, const char* peer, double theirs);

// The view every native benchmark edits in: 60 rows by 200 columns of 8 x 16 pixels, tabs of 8,
// its cells laid out. Inline, so the benchmarks without the document core link without it.
inline void SetUpBenchView(EditState* doc)
{
    doc->rows = 60;
    doc->columns = 200;
    doc->tabSize = 8;
    doc->scrollDivisor = 1;
    doc->cellWidth = 8;
    doc->cellHeight = 16;
    if (LayoutCells(AsGrid(doc), 200 * 8, 60 * 16) != 0) std::exit(1);
}
