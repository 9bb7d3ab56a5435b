#include "bench/bench_util.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

double BestOf(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    return best;
}

double BestOfCommand(int runs, const std::string& command)
{
    return BestOf(runs, [&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "peer command failed: %s\n", command.c_str());
            std::exit(1);
        }
    });
}

void PrintRatio(const char* what, double ours, const char* peer, double theirs)
{
    std::printf("%-28s ours %9.3f ms   %-18s %9.3f ms   ratio %.2f\n", what, ours * 1e3, peer, theirs * 1e3,
                ours / theirs);
}
