// The status line: metrics, its window, the panes and their sunken frames.
#include "display/status_line.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "display/gdi_scoped.h"
#include "display/status_geometry.h"
#include "doc/edit.h"
#include "doc/view.h"
#include "resources/ids.h"

namespace {

constexpr char kStatusLineClass[] = "ZAVODO:StatusLine";
constexpr size_t kStatusTextMax = sizeof(AppState::statusText) - 1;
// A message that stays, over the caret's position too, until the next key or click.
bool g_statusHeld = false;

// The module with the string table: the program's, or this image in a test process.
HINSTANCE StringModule()
{
    return g_app.instance ? g_app.instance : GetModuleHandleA(nullptr);
}

// String id into buffer; empty when the entry does not exist.
const char* LoadText(int id, char* buffer, int size)
{
    if (LoadStringA(StringModule(), id, buffer, size) <= 0) buffer[0] = '\0';
    return buffer;
}

HWND ActiveChild()
{
    if (!g_app.clientWindow) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, 0));
}

const EditState* DocumentOf(HWND window)
{
    return window && g_app.statusDocumentLookup ? g_app.statusDocumentLookup(window) : nullptr;
}

StatusMetrics Metrics()
{
    return StatusMetrics{g_app.borderUnit, g_app.messagePaneWidth, g_app.indicatorPaneWidth};
}

PaneRect ClientPane()
{
    RECT client{0, 0, 0, 0};
    if (g_app.statusLineWindow && !GetClientRect(g_app.statusLineWindow, &client)) client = RECT{0, 0, 0, 0};
    return PaneRect{client.left, client.top, client.right, client.bottom};
}

RECT ToRect(const PaneRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

bool CanDraw()
{
    return g_app.statusLineHeight != 0 && g_app.statusLineWindow != nullptr;
}

// A pane's text on the button face, its whole text area filled first so that a shorter text
// leaves nothing of the one before.
void DrawPaneText(StatusPane pane, const char* text)
{
    if (!CanDraw()) return;
    WindowDC dc(g_app.statusLineWindow);
    if (!dc) return;
    const StatusMetrics m = Metrics();
    const PaneRect client = ClientPane();
    const RECT area = ToRect(PaneTextArea(m, client, pane));
    ScopedSelect font(dc.get(), g_app.statusFont);
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc.get(), GetSysColor(COLOR_BTNFACE));
    ExtTextOutA(dc.get(), PaneTextX(m, client, pane), area.top, ETO_OPAQUE | ETO_CLIPPED, &area, text,
                static_cast<UINT>(std::strlen(text)), nullptr);
}

void DrawStatusText()
{
    DrawPaneText(kPaneMessage, g_app.statusText);
}

void SetStatusText(const char* text)
{
    std::snprintf(g_app.statusText, sizeof g_app.statusText, "%s", text ? text : "");
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

bool RegisterStatusLineClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = StatusLineWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kStatusLineClass;
    return RegisterClassA(&wc) != 0;
}

bool CreateStatusMetrics()
{
    g_app.borderUnit = GetSystemMetrics(SM_CYBORDER);
    WindowDC screen(nullptr);
    if (!screen) return false;
    const int height = -MulDiv(10, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    if (!g_app.statusFont) {
        g_app.statusFont =
            CreateFontA(height, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Helv");
    }
    if (!g_app.statusFont) return false;
    ScopedSelect font(screen.get(), g_app.statusFont);
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(screen.get(), &metrics)) return false;
    g_app.statusLineHeight =
        StatusLineHeightFor(metrics.tmHeight, metrics.tmExternalLeading, g_app.borderUnit);
    g_app.messagePaneWidth = MessagePaneWidthFor(metrics.tmMaxCharWidth);
    g_app.indicatorPaneWidth = IndicatorPaneWidthFor(metrics.tmMaxCharWidth);
    return true;
}

HWND CreateStatusLine(HWND frame)
{
    g_app.statusLineWindow = CreateWindowExA(0, kStatusLineClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                             frame, nullptr, StringModule(), nullptr);
    return g_app.statusLineWindow;
}

int LayoutStatusLine(const RECT& area)
{
    const int height = g_app.statusLineWindow ? g_app.statusLineHeight : 0;
    const int top = area.bottom - height;
    if (g_app.statusLineWindow) MoveWindow(g_app.statusLineWindow, area.left, top, area.right, height, TRUE);
    return top - area.top;
}

void DrawFrame3D(HDC dc, const RECT& rect, bool fill, bool sunken, int depth)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    if (fill) {
        ScopedGdiObject face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        ScopedSelect brush(dc, face.get());
        ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, l, t, r, b);
    } else {
        --l;
        --t;
        ++r;
        ++b;
    }
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    {
        ScopedGdiObject made(CreatePen(PS_SOLID, 1, sunken ? shadow : highlight));
        ScopedSelect pen(dc, made.get());
        for (int i = 0; i < depth; ++i) {
            DrawLine(dc, l + 1 + i, t + 1 + i, l + 1 + i, b - 1);
            DrawLine(dc, l + 1 + i, t + 1 + i, r - 1, t + 1 + i);
        }
    }
    ScopedGdiObject made(CreatePen(PS_SOLID, 1, sunken ? highlight : shadow));
    ScopedSelect pen(dc, made.get());
    for (int i = 0; i < depth; ++i) {
        DrawLine(dc, l + 1 + i, b - 2 - i, r - 1, b - 2 - i);
        DrawLine(dc, r - 2 - i, b - 2, r - 2 - i, t + 1 + i);
    }
}

void DrawStatusBand(HDC dc, const RECT& rect)
{
    {
        ScopedGdiObject made(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        ScopedSelect pen(dc, made.get());
        DrawLine(dc, rect.left, rect.top, rect.right + 1, rect.top);
    }
    ScopedGdiObject made(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    ScopedSelect pen(dc, made.get());
    DrawLine(dc, rect.left, rect.bottom - 1, rect.right + 1, rect.bottom - 1);
}

void PaintStatusLine()
{
    if (!g_app.statusLineWindow) return;
    {
        WindowDC dc(g_app.statusLineWindow);
        if (!dc) return;
        const PaneRect client = ClientPane();
        DrawStatusBand(dc.get(), ToRect(client));
        for (int i = 0; i < kStatusPaneCount; ++i)
            DrawFrame3D(dc.get(), ToRect(PaneFrame(Metrics(), client, static_cast<StatusPane>(i))), false,
                        true, 1);
    }
    HWND active = ActiveChild();
    if (active) {
        ShowCapsLock();
        ShowNumLock();
        ShowInsertMode();
    }
    ShowDocumentStatus(DocumentOf(active), 0);
}

void ShowCapsLock()
{
    char name[8], text[8];
    std::snprintf(text, sizeof text, "%s",
                  (GetKeyState(VK_CAPITAL) & 1) ? LoadText(IDS_CAPS, name, sizeof name) : "");
    DrawPaneText(kPaneCapsLock, text);
}

void ShowNumLock()
{
    char name[8], text[8];
    std::snprintf(text, sizeof text, "%s",
                  (GetKeyState(VK_NUMLOCK) & 1) ? LoadText(IDS_NUM, name, sizeof name) : "");
    DrawPaneText(kPaneNumLock, text);
}

void ShowInsertMode()
{
    char text[8];
    DrawPaneText(kPaneInsertMode, LoadText(g_core.insertMode ? IDS_INS : IDS_OVR, text, sizeof text));
}

void SetStatusDocumentLookup(EditState* (*lookup)(HWND window))
{
    g_app.statusDocumentLookup = lookup;
}

void ShowStatusMessage(HWND window, int stringId)
{
    ShowDocumentStatus(DocumentOf(window), stringId);
}

namespace {

// Behind the position, the code of a control byte under the caret: it shows as a blank or an
// odd glyph, and no key types it.
void AddCodeUnderCaret(const EditState* doc)
{
    if (!doc || doc->caretOffset < 0 || doc->caretOffset >= doc->length) return;
    const auto code = static_cast<uint8_t>(doc->text[doc->caretOffset]);
    if (!IsControlByte(code)) return;
    char label[32];
    size_t end = std::strlen(g_app.statusText);
    while (end > 0 && g_app.statusText[end - 1] == ' ') --end;
    std::snprintf(g_app.statusText + end, sizeof g_app.statusText - end, "%s0x%02X",
                  LoadText(IDS_CODE_LABEL, label, sizeof label), static_cast<unsigned>(code));
}

}  // namespace

void ShowDocumentStatus(const EditState* doc, int stringId)
{
    if (stringId != 0) {
        g_statusHeld = false;
        LoadText(stringId, g_app.statusText, sizeof g_app.statusText);
    } else if (g_statusHeld) {
        // the held message stays
    } else if (doc) {
        char format[64];
        LoadText(IDS_POSITION_FORMAT, format, sizeof format);
        FormatPosition(g_app.statusText, sizeof g_app.statusText, format, doc->topLine + doc->caretRow + 1,
                       CaretTextColumn(doc) + 1);
        AddCodeUnderCaret(doc);
    } else {
        g_app.statusText[0] = '\0';
    }
    DrawStatusText();
}

void ShowStatusText(const char* text)
{
    g_statusHeld = false;
    SetStatusText(text);
    DrawStatusText();
}

void ShowStatusHeld(const char* text)
{
    ShowStatusText(text);
    g_statusHeld = true;
}

void ReleaseStatusHold()
{
    g_statusHeld = false;
}

void ShowStatusPosition(int32_t line, int32_t column)
{
    if (g_statusHeld) return;
    char format[64];
    LoadText(IDS_POSITION_FORMAT, format, sizeof format);
    FormatPosition(g_app.statusText, sizeof g_app.statusText, format, line, column);
    AddCodeUnderCaret(DocumentOf(ActiveChild()));
    DrawStatusText();
}

void ShowStatusPair(const char* first, const char* second)
{
    char text[kStatusTextMax + 1];
    std::snprintf(text, sizeof text, "%s%s", first ? first : "", second ? second : "");
    DrawPaneText(kPaneMessage, text);
}

LRESULT CALLBACK StatusLineWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    // The window's text is what its message pane shows, for programs that read windows aloud
    // or watch them.
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(std::strlen(g_app.statusText));
    if (message == WM_GETTEXT) {
        if (wParam == 0 || !lParam) return 0;
        const int n = std::snprintf(reinterpret_cast<char*>(lParam), wParam, "%s", g_app.statusText);
        return std::min<LRESULT>(n, static_cast<LRESULT>(wParam) - 1);
    }
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PaintDC paint(window);
    if (paint && !ActiveChild()) g_app.statusText[0] = '\0';
    PaintStatusLine();
    return 0;
}
