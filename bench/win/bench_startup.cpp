// Start-up to the first painted frame with one document open: ZAVODO.EXE against the
// platform's own notepad.exe opening the same file in the same run. The time runs from
// process creation until the new process first waits for input with nothing left to do,
// which is after its first paint; median of five starts each, the two programs taking turns so
// that a machine busy with other work slows both alike. Also the peak working set by then, and
// its ratio to the file's size.
//   bench_startup <ZAVODO.EXE> <file> [runs]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_util.h"

namespace {

int g_runs = 5;

BOOL CALLBACK CloseWindowsOf(HWND w, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == static_cast<DWORD>(process) && IsWindowVisible(w)) PostMessageA(w, WM_CLOSE, 0, 0);
    return TRUE;
}

struct Start {
    double wall = -1;  // milliseconds from creation to the first idle wait; negative: never
    double peak = 0;   // its peak working set, in bytes
};

Start TimeStart(const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const double start = NowMs();
    Start measured;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return measured;
    const DWORD idle = WaitForInputIdle(process.hProcess, 300000);
    const double elapsed = NowMs() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        measured.peak = static_cast<double>(memory.PeakWorkingSetSize);
    EnumWindows(CloseWindowsOf, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (idle == 0) measured.wall = elapsed;
    return measured;
}

double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Starts {
    std::vector<double> wall, peak;
    void Add(const Start& t)
    {
        wall.push_back(t.wall);
        peak.push_back(t.peak);
    }
    Start Median() const { return Start{MedianOf(wall), MedianOf(peak)}; }
};

// Each program's medians over the runs, started in turns; wall is negative when a start failed.
void MediansInTurn(const std::string& first, const std::string& second, Start* a, Start* b)
{
    Starts x, y;
    for (int i = 0; i < g_runs; ++i) {
        const Start s = TimeStart(first), t = TimeStart(second);
        if (s.wall < 0 || t.wall < 0) {
            *a = s;
            *b = t;
            return;
        }
        x.Add(s);
        y.Add(t);
    }
    *a = x.Median();
    *b = y.Median();
}

double FileBytes(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return static_cast<double>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <ZAVODO.EXE> <file> [runs]\n");
        return 2;
    }
    if (argc >= 4) g_runs = std::max(1, std::atoi(argv[3]));
    char system[MAX_PATH];
    if (GetSystemDirectoryA(system, sizeof system) == 0) return 1;
    const std::string file = std::string("\"") + argv[2] + "\"";
    const std::string editor = std::string("\"") + argv[1] + "\" " + file;
    const std::string notepadLine = "\"" + std::string(system) + "\\notepad.exe\" " + file;
    // Warms the prefix and the caches, each program's own files too; a single run (a big file)
    // goes without.
    if (g_runs > 1) {
        TimeStart(notepadLine);
        TimeStart(editor);
    }
    Start ours, notepad;
    MediansInTurn(editor, notepadLine, &ours, &notepad);
    if (ours.wall < 0 || notepad.wall < 0) {
        std::fprintf(stderr, "bench_startup: a program did not start or never became idle (%.1f, %.1f)\n",
                     ours.wall, notepad.wall);
        return 1;
    }
    constexpr double kMiB = 1024.0 * 1024.0;
    const double bytes = FileBytes(argv[2]);
    std::printf("start-up to first paint on %s, median of %d: ZAVODO.EXE %.1f ms, notepad.exe %.1f ms: "
                "ratio %.2f\n",
                argv[2], g_runs, ours.wall, notepad.wall, ours.wall / notepad.wall);
    std::printf("  peak working set: ZAVODO.EXE %.1f MiB, notepad.exe %.1f MiB; file %.1f MiB, ZAVODO.EXE's "
                "peak %.2f times the file\n",
                ours.peak / kMiB, notepad.peak / kMiB, bytes / kMiB, bytes > 0 ? ours.peak / bytes : 0.0);
    return 0;
}
