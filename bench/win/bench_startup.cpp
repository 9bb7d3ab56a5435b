// Start-up to the first painted frame with one document open: ZAVODO.EXE against the
// platform's own notepad.exe opening the same file in the same run. The time runs from
// process creation until the new process first waits for input with nothing left to do,
// which is after its first paint; median of five starts each.
//   bench_startup <ZAVODO.EXE> <file> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int g_runs = 5;

double Now()
{
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK CloseWindowsOf(HWND w, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == static_cast<DWORD>(process) && IsWindowVisible(w)) PostMessageA(w, WM_CLOSE, 0, 0);
    return TRUE;
}

// Milliseconds from creation to the first idle wait; negative when it did not start.
double TimeStart(const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const double start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const DWORD idle = WaitForInputIdle(process.hProcess, 300000);
    const double elapsed = Now() - start;
    EnumWindows(CloseWindowsOf, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return idle == 0 ? elapsed : -1;
}

double Median(const std::string& commandLine)
{
    std::vector<double> times;
    for (int i = 0; i < g_runs; ++i) {
        const double t = TimeStart(commandLine);
        if (t < 0) return -1;
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    // Warms the prefix and the caches; a single run (a big file) goes without.
    if (g_runs > 1) TimeStart("\"" + std::string(system) + "\\notepad.exe\" " + file);
    const double ours = Median(std::string("\"") + argv[1] + "\" " + file);
    const double notepad = Median("\"" + std::string(system) + "\\notepad.exe\" " + file);
    if (ours < 0 || notepad < 0) {
        std::fprintf(stderr, "bench_startup: a program did not start or never became idle (%.1f, %.1f)\n", ours,
                     notepad);
        return 1;
    }
    std::printf("start-up to first paint on %s, median of %d: ZAVODO.EXE %.1f ms, notepad.exe %.1f ms: "
                "ratio %.2f\n",
                argv[2], g_runs, ours, notepad, ours / notepad);
    return 0;
}
