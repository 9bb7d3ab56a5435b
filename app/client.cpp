// The MDI client area (MDIWndProc, in place of the client's own procedure): F1 and Enter on
// the empty area, and the rubber band that opens a new document window of the drawn size.
#include "app/app_state.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/window_list.h"
#include "resources/ids.h"

namespace {

// A band smaller than this in either direction is taken for a click.
constexpr int kMinBandWidth = 100;
constexpr int kMinBandHeight = 50;
constexpr int kBandStart = 2;  // movement before a band is drawn at all

LRESULT ClientDefault(HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_app.clientDefaultProc, client, message, wParam, lParam);
}

POINT MousePoint(LPARAM lParam) { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

int Distance(LONG a, LONG b) { return a > b ? a - b : b - a; }

// The band is drawn with the inverting raster operation: drawing it twice erases it.
void DrawBand(const RubberBand& band)
{
    Rectangle(band.dc, band.anchor.x, band.anchor.y, band.current.x, band.current.y);
}

void BeginBand(HWND client, LPARAM lParam)
{
    RubberBand& band = g_app.band;
    if (band.tracking) return;
    band.dc = GetDC(client);
    if (!band.dc) return;
    band.anchor = band.current = MousePoint(lParam);
    SetCapture(client);
    band.previousBrush = SelectObject(band.dc, GetStockObject(NULL_BRUSH));
    band.previousRop = SetROP2(band.dc, R2_NOT);
    band.drawn = false;
    band.tracking = true;
}

void TrackBand(LPARAM lParam)
{
    RubberBand& band = g_app.band;
    if (!band.tracking) return;
    if (band.drawn) DrawBand(band);
    band.current = MousePoint(lParam);
    band.drawn = Distance(band.anchor.x, band.current.x) > kBandStart &&
                 Distance(band.anchor.y, band.current.y) > kBandStart;
    if (band.drawn) DrawBand(band);
}

void EndBand(HWND client)
{
    RubberBand& band = g_app.band;
    if (!band.tracking) return;
    band.tracking = false;
    if (band.drawn) DrawBand(band);
    band.drawn = false;
    SetROP2(band.dc, band.previousRop);
    SelectObject(band.dc, band.previousBrush);
    ReleaseCapture();
    ReleaseDC(client, band.dc);
    band.dc = nullptr;
    const POINT a = band.anchor, c = band.current;
    const int width = Distance(a.x, c.x), height = Distance(a.y, c.y);
    if (width > kMinBandWidth && height > kMinBandHeight && c.x != 0 && c.y != 0) {
        if (RoomForDocument())
            NewDocumentWindow(nullptr, a.x < c.x ? a.x : c.x, a.y < c.y ? a.y : c.y, width, height);
    }
    band.anchor = band.current = POINT{0, 0};
}

}  // namespace

LRESULT CALLBACK MDIWndProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_F1) ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_OVERVIEW);
            break;
        case WM_CHAR:
            if (wParam == '\r')
                if (HWND active = ActiveDocument()) ShowWindow(active, SW_RESTORE);
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDM_HELP) ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, static_cast<ULONG_PTR>(g_app.helpContext));
            break;
        case WM_LBUTTONDOWN:
            BeginBand(client, lParam);
            return 0;
        case WM_MOUSEMOVE:
            TrackBand(lParam);
            return 0;
        case WM_LBUTTONUP:
            EndBand(client);
            return 0;
    }
    return ClientDefault(client, message, wParam, lParam);
}
