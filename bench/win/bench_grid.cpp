// The grid view's painting and one-line scrolling, timed under Wine: a full repaint of a
// document window of about 200 x 60 cells, plain and in syntax colours at the start of a 64 MiB
// script and at its end, and ScrollDown by one line at its first page and at its last.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "bench/bench_util.h"
#include "doc/syntax_shades.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "tests/win/frame_fixture.h"

namespace {

// 64 MiB, 200 repaints of each kind and 400 scrolls in a full run.
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

// Script lines of the kinds a script has, of varying length and indented with tabs, so that
// rendering has tabs to expand and colouring keywords, names, numbers, strings and comments
// (between two and three colour runs a line, a little more than the sample scripts have).
std::string ScriptLine(int n)
{
    const std::string number = std::to_string(n), text(static_cast<size_t>(10 + n % 60), static_cast<char>('a' + n % 26));
    switch (n % 8) {
        case 0:
            return "proc Step" + number + "(count)";
        case 1:
            return "\t; " + text;
        case 2:
            return "\tif count > " + number + " then";
        case 3:
            return "\t\tprint \"" + text + "\" + name$";
        case 4:
            return "\tendif";
        case 5:
            return "\tcount = count - " + number + " ; " + text;
        case 6:
            return "\tcall Show" + text + "(count, \"" + number + "\")";
        default:
            return "endproc";
    }
}

bool WriteDocument(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    long long written = 0;
    for (int n = 0; written < kDocumentBytes; ++n) {
        const std::string line = ScriptLine(n) + "\r\n";
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size()) {
            std::fclose(f);
            return false;
        }
        written += static_cast<long long>(line.size());
    }
    return std::fclose(f) == 0;
}

// Colour runs a row of the view, on average.
double RunsPerRow(EditState* doc)
{
    std::vector<ShadeRun> runs(static_cast<size_t>(doc->columns));
    ViewRowLines lines(doc);
    long long total = 0;
    for (int32_t row = 0; row < doc->rows; ++row) {
        int32_t available = 0;
        const char* line = lines.Line(row, &available);
        total += ShadeRow(line, available, doc->leftColumn, doc->columns, doc->tabSize, runs.data());
    }
    return doc->rows > 0 ? static_cast<double>(total) / doc->rows : 0.0;
}

double TimeRepaints(HWND window, int n)
{
    const double start = Now();
    for (int i = 0; i < n; ++i) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    return (Now() - start) / n;
}

// Full repaints plain and in colours at the script's start, and in colours at its end, taken
// in turns over ten rounds; each figure is its best round, so that the ratios compare painting
// rather than what else the machine does meanwhile.
struct Repaints {
    double plain = 0, coloured = 0, colouredAtEnd = 0;
};
Repaints TimeRepaintsInTurn(HWND window, EditState* doc)
{
    constexpr int kRounds = 10;
    const int each = kRepaints / kRounds;
    const auto best = [](double* figure, double mean) {
        if (*figure == 0 || mean < *figure) *figure = mean;
    };
    Repaints r;
    for (int round = 0; round < kRounds; ++round) {
        GotoLine(doc, 1);
        g_core.settings.syntaxColours = 0;
        best(&r.plain, TimeRepaints(window, each));
        g_core.settings.syntaxColours = 1;
        best(&r.coloured, TimeRepaints(window, each));
        GotoLine(doc, 0x7fffffff);
        ScrollUp(doc, doc->rows - 1);
        UpdateWindow(window);
        best(&r.colouredAtEnd, TimeRepaints(window, each));
    }
    GotoLine(doc, 1);
    UpdateWindow(window);
    return r;
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

    std::printf("colour runs a row:             %8.2f\n", RunsPerRow(doc));
    const Repaints repaints = TimeRepaintsInTurn(child, doc);
    std::printf("full repaint:                  %8.3f ms\n", repaints.plain);
    std::printf("full repaint in colours:       %8.3f ms\n", repaints.coloured);
    std::printf("ratio colours / plain:         %8.2f\n", repaints.plain > 0 ? repaints.coloured / repaints.plain : 0.0);
    std::printf("full repaint in colours, end:  %8.3f ms\n", repaints.colouredAtEnd);
    std::printf("ratio end / start in colours:  %8.2f\n",
                repaints.coloured > 0 ? repaints.colouredAtEnd / repaints.coloured : 0.0);

    const double first = TimeScrolls(child, doc);
    GotoLine(doc, 0x7fffffff);
    ScrollUp(doc, kScrolls + doc->rows);
    UpdateWindow(child);
    const double last = TimeScrolls(child, doc);
    std::printf("ScrollDown 1, first page:      %8.3f ms\n", first);
    std::printf("ScrollDown 1, last page:       %8.3f ms\n", last);
    std::printf("ratio last / first page:       %8.2f\n", first > 0 ? last / first : 0.0);

    DestroyWindow(frame);
    DeleteFileA(path.c_str());
    return 0;
}
