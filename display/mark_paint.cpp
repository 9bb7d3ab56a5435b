// Fault marks on screen: the rows of marked lines in the view, tinted or underlined.
#include "display/mark_paint.h"

#include <algorithm>

#include "app/app_state.h"
#include "display/gdi_scoped.h"
#include "doc/fault_marks.h"

namespace {

// Painting with this raster operation keeps what is dark and tints what is light: the
// destination ANDed with the brush.
constexpr DWORD kTint = 0x00A000C9;  // DPa
constexpr COLORREF kTintColor = RGB(255, 200, 200);

bool HighContrast()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool LightBackground()
{
    const COLORREF c = g_app.windowColor;
    return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11 >= 160 * 100;
}

}  // namespace

void PaintFaultMarks(HDC dc, const EditState* doc, const RECT& area)
{
    if (!doc || doc->faultMarkCount == 0 || doc->cellHeight <= 0) return;
    const bool tint = LightBackground() && !HighContrast();
    ScopedGdiObject brush(CreateSolidBrush(tint ? kTintColor : g_app.windowTextColor));
    if (!brush.get()) return;
    ScopedSelect selected(dc, brush.get());
    const int32_t height = doc->cellHeight, underline = std::max<int32_t>(1, height / 12);
    // Only the cells: the strip beyond the last column is not redrawn with its row.
    const int32_t right = std::min<int32_t>(area.right, doc->columns * doc->cellWidth);
    if (right <= area.left) return;
    for (int32_t i = FirstFaultMarkFrom(doc, doc->topLine + 1); i < doc->faultMarkCount; ++i) {
        const int32_t row = doc->faultMarks[i].line - 1 - doc->topLine;
        if (row >= doc->rows || row * height >= area.bottom) break;
        const int32_t top = tint ? row * height : (row + 1) * height - underline;
        const int32_t bottom = std::min<int32_t>((row + 1) * height, area.bottom);
        if (bottom <= area.top) continue;
        const int32_t from = std::max<int32_t>(top, area.top);
        PatBlt(dc, area.left, from, right - area.left, bottom - from, tint ? kTint : PATCOPY);
    }
}
