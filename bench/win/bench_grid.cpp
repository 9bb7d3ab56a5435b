// The grid view's painting and one-line scrolling, timed under Wine: a full repaint of a
// document window of about 200 x 60 cells, plain and in syntax colours at the start of a 64 MiB
// script and at its end, and ScrollDown by one line at its first page and at its last.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "bench/bench_util.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "tests/win/frame_fixture.h"

namespace {

// 64 MiB, 200 repaints and 400 scrolls in a full run.
const long long kDocumentBytes = Scaled(64ll << 20);
const int kRepaints = QuickRun() ? 10 : 200;
const int kScrolls = QuickRun() ? 20 : 400;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Script lines of varying length with tabs, so rendering has something to expand and every
// line a keyword, a number, a string and a comment to colour.
bool WriteDocument(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::string line;
    long long written = 0;
    for (int n = 0; written < kDocumentBytes; ++n) {
        line = "\tif n = ";
        line += std::to_string(n);
        line += " then print \"";
        line.append(static_cast<size_t>(20 + n % 90), static_cast<char>('a' + n % 26));
        line += "\" ; note";
        line += "\r\n";
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size()) {
            std::fclose(f);
            return false;
        }
        written += static_cast<long long>(line.size());
    }
    return std::fclose(f) == 0;
}

// A full repaint: the best of five rounds, each the mean of a fifth of the repaints, so that
// the ratios compare the painting rather than what else the machine is doing meanwhile.
double TimeRepaints(HWND window)
{
    constexpr int kRounds = 5;
    const int each = kRepaints / kRounds;
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        for (int i = 0; i < each; ++i) {
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
        }
        const double mean = (Now() - start) / each;
        if (round == 0 || mean < best) best = mean;
    }
    return best;
}

double TimeScrolls(HWND window, EditState* doc)
{
    const double start = Now();
    for (int i = 0; i < kScrolls; ++i) {
        ScrollDown(doc, 1);
        UpdateWindow(window);
    }
    return (Now() - start) / kScrolls;
}

}  // namespace

int main()
{
    HWND frame = StartTestFrame(1440, 800);
    if (!frame) return 1;
    g_core.settings.screenFontSize = 8;  // about 200 x 60 cells fit the test display
    DeleteObject(g_app.screenFontHandle);
    MakeScreenFont();

    char dir[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof dir, dir);
    if (n == 0 || n >= sizeof dir) return 1;
    const std::string path = std::string(dir) + "zavodo_bench_grid.ksr";
    if (!WriteDocument(path)) return 1;
    double start = Now();
    HWND child = NewDocumentWindow(path.c_str(), 0, 0, 0, 0);
    if (!child) return 1;
    const double loadMs = Now() - start;
    SendMessageA(g_app.clientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    UpdateWindow(frame);
    EditState* doc = DocumentOfWindow(child);
    if (!doc) return 1;
    std::printf("bench_grid: %d x %d cells of %d x %d pixels, %ld bytes loaded in %.0f ms\n", doc->columns,
                doc->rows, doc->cellWidth, doc->cellHeight, static_cast<long>(doc->length), loadMs);

    g_core.settings.syntaxColours = 0;
    const double plain = TimeRepaints(child);
    g_core.settings.syntaxColours = 1;
    const double coloured = TimeRepaints(child);
    std::printf("full repaint:                  %8.3f ms\n", plain);
    std::printf("full repaint in colours:       %8.3f ms\n", coloured);
    std::printf("ratio colours / plain:         %8.2f\n", plain > 0 ? coloured / plain : 0.0);

    const double first = TimeScrolls(child, doc);
    GotoLine(doc, 0x7fffffff);
    ScrollUp(doc, kScrolls + doc->rows);
    UpdateWindow(child);
    const double colouredAtEnd = TimeRepaints(child);
    std::printf("full repaint in colours, end:  %8.3f ms\n", colouredAtEnd);
    std::printf("ratio end / start in colours:  %8.2f\n", coloured > 0 ? colouredAtEnd / coloured : 0.0);
    const double last = TimeScrolls(child, doc);
    std::printf("ScrollDown 1, first page:      %8.3f ms\n", first);
    std::printf("ScrollDown 1, last page:       %8.3f ms\n", last);
    std::printf("ratio last / first page:       %8.2f\n", first > 0 ? last / first : 0.0);

    DestroyWindow(frame);
    DeleteFileA(path.c_str());
    return 0;
}
