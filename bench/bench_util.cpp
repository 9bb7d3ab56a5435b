#include "bench/bench_util.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

bool QuickRun()
{
    const char* quick = std::getenv("ZAVODO_BENCH_QUICK");
    return quick && *quick && std::string(quick) != "0";
}

int64_t Scaled(int64_t bytes)
{
    return QuickRun() ? bytes / 256 : bytes;
}

std::string SizeText(int64_t bytes)
{
    if (bytes > 0 && bytes % (1 << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    if (bytes > 0 && bytes % (1 << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

double NowMs()
{
    const std::chrono::duration<double, std::milli> since = std::chrono::steady_clock::now().time_since_epoch();
    return since.count();
}

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
