// Painting a document's rows in the colours of KESTREL syntax. Only the rows that meet the
// paint area are looked at, each line lexed from its start up to the view's right edge.
#include "display/syntax_paint.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "display/screen.h"
#include "doc/grid.h"
#include "doc/syntax_shades.h"

static_assert(sizeof AppState::syntaxColours / sizeof(COLORREF) == kShadeCount, "a colour for each shade");

void LoadSyntaxColours()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    const bool high = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON);
    Rgb colours[kShadeCount];
    DeriveShadeColours(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), high, colours);
    std::copy(colours, colours + kShadeCount, g_app.syntaxColours);
    g_app.syntaxColoursLoaded = 1;
}

bool SyntaxColoured(const EditState* doc)
{
    return g_core.settings.syntaxColours && IsScriptName(doc->path);
}

void PaintDocumentRows(HDC dc, const EditState* doc, const RECT& area)
{
    const ScreenGrid* grid = reinterpret_cast<const ScreenGrid*>(doc);
    if (!SyntaxColoured(doc) || !doc->text || doc->columns <= 0) {
        PaintRows(dc, grid, area);
        return;
    }
    if (!grid->cells || grid->cellHeight <= 0) return;
    if (!g_app.syntaxColoursLoaded) LoadSyntaxColours();
    const COLORREF oldText = SetTextColor(dc, g_app.windowTextColor);
    const COLORREF oldBack = SetBkColor(dc, g_app.windowColor);
    const int oldMode = SetBkMode(dc, OPAQUE);
    const int32_t first = std::max<int32_t>(0, area.top / grid->cellHeight);
    const int32_t last = std::min<int32_t>(grid->rows, area.bottom / grid->cellHeight + 1);
    // The runs of every row first, then drawn a colour at a time: the device context's text
    // colour changes at most once a shade, not once a run.
    std::vector<ShadeRun> rowRuns(static_cast<size_t>(doc->columns));
    std::vector<std::pair<int32_t, ShadeRun>> runs;
    ViewRowLines lines(doc);
    for (int32_t row = first; row < last; ++row) {
        int32_t available = 0;
        const char* line = lines.Line(row, &available);
        const int32_t n = ShadeRow(line, available, doc->leftColumn, doc->columns, doc->tabSize, rowRuns.data());
        for (int32_t i = 0; i < n; ++i) runs.emplace_back(row, rowRuns[static_cast<size_t>(i)]);
    }
    for (int shade = 0; shade < kShadeCount; ++shade) {
        // The plain colour is the window text's, read with it on a colour change.
        SetTextColor(dc, shade == 0 ? g_app.windowTextColor : g_app.syntaxColours[shade]);
        for (const auto& [row, run] : runs) {
            if (static_cast<int>(run.shade) != shade) continue;
            TextOutA(dc, run.begin * grid->cellWidth, row * grid->cellHeight, RowCells(grid, row) + run.begin,
                     run.end - run.begin);
        }
    }
    if (oldMode) SetBkMode(dc, oldMode);
    if (oldBack != CLR_INVALID) SetBkColor(dc, oldBack);
    if (oldText != CLR_INVALID) SetTextColor(dc, oldText);
}
