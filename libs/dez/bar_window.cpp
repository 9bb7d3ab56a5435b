// The action-bar window: raised buttons with their labels in the system's button colours; a
// click on an enabled button posts its command to the bar's parent, as a menu choice would.
#include "libs/dez/bar_window.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this DLL's own image, i.e. its instance

namespace dez {

namespace {

constexpr int kMargin = 2;       // between the bar's edge and the buttons
constexpr int kGap = 2;          // between two buttons
constexpr int kSmallPadding = 8; // around a label, small buttons
constexpr int kLargePadding = 14;

ActionBarBlock* BlockOf(HWND bar) { return reinterpret_cast<ActionBarBlock*>(GetWindowLongPtrA(bar, GWLP_USERDATA)); }

RECT ButtonRect(HWND bar, const ActionBarButton& button)
{
    RECT client;
    if (!GetClientRect(bar, &client)) client = RECT{0, 0, 0, 0};
    return RECT{button.left, kMargin, button.left + button.width, client.bottom - kMargin};
}

int HitButton(HWND bar, const ActionBarBlock* block, LPARAM at)
{
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    for (int i = 0; i < block->buttonCount; ++i) {
        RECT r = ButtonRect(bar, block->buttons[i]);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void Invalidate(HWND bar)
{
    // A bar that cannot be invalidated is repainted with its next exposure anyway.
    (void)InvalidateRect(bar, nullptr, FALSE);
}

void Paint(HWND bar, ActionBarBlock* block)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    if (!dc) return;
    RECT client;
    if (GetClientRect(bar, &client)) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        for (int i = 0; block && i < block->buttonCount; ++i) {
            const ActionBarButton& button = block->buttons[i];
            RECT r = ButtonRect(bar, button);
            DrawEdge(dc, &r, i == block->pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
            bool grayed = button.state == kActionBarGrayed;
            SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
            DrawTextA(dc, button.label, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        RECT line = client;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_BOTTOM);
        if (oldFont) SelectObject(dc, oldFont);
    }
    EndPaint(bar, &ps);
}

void MouseDown(HWND bar, ActionBarBlock* block, LPARAM at)
{
    int hit = HitButton(bar, block, at);
    if (hit < 0 || block->buttons[hit].state == kActionBarGrayed) return;
    block->pressed = hit;
    SetCapture(bar);
    Invalidate(bar);
}

void MouseUp(HWND bar, ActionBarBlock* block, LPARAM at)
{
    int pressed = block->pressed;
    if (pressed < 0) return;
    block->pressed = -1;  // before ReleaseCapture, whose WM_CAPTURECHANGED finds nothing held
    ReleaseCapture();
    Invalidate(bar);
    if (HitButton(bar, block, at) != pressed) return;
    HWND parent = GetParent(bar);
    WPARAM command = static_cast<WPARAM>(static_cast<uint16_t>(block->buttons[pressed].command));
    if (parent) PostMessageA(parent, WM_COMMAND, command, 0);
}

LRESULT CALLBACK ActionBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    ActionBarBlock* block = BlockOf(bar);
    switch (message) {
    case WM_NCCREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(bar, message, wParam, lParam);
    }
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole bar
    case WM_PAINT:
        Paint(bar, block);
        return 0;
    case WM_LBUTTONDOWN:
        if (block) MouseDown(bar, block, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (block) MouseUp(bar, block, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (block && block->pressed >= 0) {
            block->pressed = -1;
            Invalidate(bar);
        }
        return 0;
    case kActionBarActivityMessage:
        return 0;  // no bar item ever becomes active: keyboard activity stays with the frame
    case WM_NCDESTROY:
        if (block && block->windows[0] == HandleToULong(bar)) block->windows[0] = 0;
        SetWindowLongPtrA(bar, GWLP_USERDATA, 0);
        return DefWindowProcA(bar, message, wParam, lParam);
    default:
        return DefWindowProcA(bar, message, wParam, lParam);
    }
}

}  // namespace

HINSTANCE LibraryInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool RegisterBarClass()
{
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(LibraryInstance(), kBarClass, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ActionBarWndProc;
    wc.hInstance = LibraryInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kBarClass;
    return RegisterClassExA(&wc) != 0;
}

void UnregisterBarClass()
{
    // Fails while another block's bar still exists; the class then stays for that one.
    (void)UnregisterClassA(kBarClass, LibraryInstance());
}

int MeasureButtons(HWND frame, ActionBarButton* buttons, int count, bool large)
{
    int padding = large ? kLargePadding : kSmallPadding;
    int textHeight = 13;
    int left = kMargin;
    HDC dc = GetDC(frame);
    HGDIOBJ oldFont = dc ? SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)) : nullptr;
    TEXTMETRICA tm;
    if (dc && GetTextMetricsA(dc, &tm)) textHeight = tm.tmHeight;
    for (int i = 0; i < count; ++i) {
        SIZE extent{6 * lstrlenA(buttons[i].label), textHeight};
        if (dc && !GetTextExtentPoint32A(dc, buttons[i].label, lstrlenA(buttons[i].label), &extent)) {
            extent.cx = 6 * lstrlenA(buttons[i].label);
        }
        buttons[i].left = static_cast<int16_t>(left);
        buttons[i].width = static_cast<int16_t>(extent.cx + 2 * padding);
        left += buttons[i].width + kGap;
        if (left > 30000) left = 30000;  // keeps the 16-bit edges meaningful on absurd layouts
    }
    if (dc) {
        if (oldFont) SelectObject(dc, oldFont);
        ReleaseDC(frame, dc);
    }
    return textHeight + 2 * padding + 2 * kMargin;
}

}  // namespace dez
