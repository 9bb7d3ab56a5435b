// Timing helpers for the benchmarks: best of several runs, and peers run as shell commands.
#pragma once

#include <functional>
#include <string>

// Seconds of the fastest of `runs` calls.
double BestOf(int runs, const std::function<void()>& work);
// Seconds of the fastest of `runs` runs of a shell command; aborts when it fails.
double BestOfCommand(int runs, const std::string& command);
void PrintRatio(const char* what, double ours, const char* peer, double theirs);
