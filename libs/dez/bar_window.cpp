// The action-bar window: a row of raised picture buttons in the system's button colours, with
// the layout's labels as tooltips. A click on an enabled button posts its command to the bar's
// parent, as a menu choice would. A layout entry whose command has no picture in this library
// is a gap, never a button. What the first paint does not need waits: the grayed look of a
// picture is made when it is first drawn grayed, and the tooltip control (with the common
// controls library behind it) when the mouse first moves over the bar.
#include "libs/dez/bar_window.h"

#include <commctrl.h>

#include <memory>
#include <new>
#include <type_traits>

#include "display/gdi_scoped.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this DLL's own image, i.e. its instance

namespace dez {

namespace {

constexpr int kMargin = 2;    // above the buttons and before the first
constexpr int kBelow = 3;     // below the buttons, over the etched bottom line
constexpr int kGap = 1;       // between two buttons
constexpr int kPadding = 4;   // around a picture inside its button
constexpr int kGapWidth = 8;  // a layout entry without a picture
constexpr int kSmallPicture = 16;
constexpr int kLargePicture = 32;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// What a bar window owns besides its block: its buttons' pictures, plain and grayed, and its
// tooltip control (a popup owned by the frame, so it goes explicitly with the bar) once made.
struct BarResources {
    ~BarResources()
    {
        if (tooltip && IsWindow(tooltip)) DestroyWindow(tooltip);
    }
    Icon plain[kActionBarMaxButtons];
    Icon grayed[kActionBarMaxButtons];
    int picture = kSmallPicture;
    HWND tooltip = nullptr;
    bool tooltipTried = false;
    bool inside = false;  // the mouse is over the button held down
};

ActionBarBlock* BlockOf(HWND bar)
{
    return reinterpret_cast<ActionBarBlock*>(GetWindowLongPtrA(bar, GWLP_USERDATA));
}
BarResources* ResourcesOf(HWND bar)
{
    return reinterpret_cast<BarResources*>(GetWindowLongPtrA(bar, 0));
}

int ButtonSize(int picture)
{
    return picture + 2 * kPadding;
}

RECT ButtonRect(const ActionBarButton& button)
{
    return RECT{button.left, kMargin, button.left + button.width, kMargin + button.width};
}

int HitButton(const ActionBarBlock* block, const BarResources* res, LPARAM at)
{
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    for (int i = 0; i < block->buttonCount; ++i) {
        RECT r = ButtonRect(block->buttons[i]);
        if (res->plain[i] && PtInRect(&r, p)) return i;
    }
    return -1;
}

void Invalidate(HWND bar, const RECT* area)
{
    // A bar that cannot be invalidated is repainted with its next exposure anyway.
    (void)InvalidateRect(bar, area, FALSE);
}

uint8_t Mix(COLORREF dark, COLORREF light, int shift, int lightness)
{
    int d = (dark >> shift) & 0xFF, l = (light >> shift) & 0xFF;
    return static_cast<uint8_t>(d + (l - d) * lightness / 255);
}

// The disabled look of a picture: its lightness alone, from the shadow to the highlight colour.
HICON MakeGrayed(HICON plain, int size)
{
    ICONINFO info{};
    if (!GetIconInfo(plain, &info)) return nullptr;
    ScopedGdiObject colour(info.hbmColor), mask(info.hbmMask);
    WindowDC screen(nullptr);
    if (!info.hbmColor || !info.hbmMask || !screen) return nullptr;
    constexpr int kMost = kLargePicture * kLargePicture;
    uint32_t pixels[kMost], holes[kMost];  // 0x00RRGGBB, top row first
    BITMAPINFO format{};
    format.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPINFO maskFormat = format;
    if (size > kLargePicture ||
        GetDIBits(screen.get(), info.hbmColor, 0, size, pixels, &format, DIB_RGB_COLORS) != size ||
        GetDIBits(screen.get(), info.hbmMask, 0, size, holes, &maskFormat, DIB_RGB_COLORS) != size) {
        return nullptr;
    }
    COLORREF dark = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int i = 0; i < size * size; ++i) {
        uint32_t p = pixels[i];
        if (holes[i] & 0xFFFFFF) {
            pixels[i] = 0;  // transparent: the mask keeps what is under it
            continue;
        }
        int lightness = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        pixels[i] = static_cast<uint32_t>(Mix(dark, light, 0, lightness)) << 16 |
                    static_cast<uint32_t>(Mix(dark, light, 8, lightness)) << 8 |
                    Mix(dark, light, 16, lightness);
    }
    ScopedGdiObject gray(CreateCompatibleBitmap(screen.get(), size, size));
    HBITMAP grayBitmap = static_cast<HBITMAP>(gray.get());
    if (!grayBitmap ||
        SetDIBits(screen.get(), grayBitmap, 0, size, pixels, &format, DIB_RGB_COLORS) != size) {
        return nullptr;
    }
    ICONINFO made{TRUE, 0, 0, info.hbmMask, grayBitmap};
    return CreateIconIndirect(&made);  // copies both bitmaps
}

// The common controls library, loaded and set up for tooltips at its first use; false when it
// cannot be, and the bar then works without tips.
bool CommonControlsReady()
{
    static const bool ready = [] {
        HMODULE library = LoadLibraryA("comctl32.dll");
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        FARPROC found = library ? GetProcAddress(library, "InitCommonControlsEx") : nullptr;
        const auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(found));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        return init && init(&controls);
    }();
    return ready;
}

void AddTooltip(HWND bar, BarResources* res, int index, const RECT& area)
{
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // the size every comctl32 version accepts
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(index);
    tool.rect = area;
    tool.lpszText = LPSTR_TEXTCALLBACKA;  // asked at each showing, so the flag is read then
    // A bar without a tip for a button still works.
    (void)SendMessageA(res->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tooltip control with a tip for each button, made once.
void MakeTooltip(HWND bar, const ActionBarBlock* block, BarResources* res)
{
    if (res->tooltipTried) return;
    res->tooltipTried = true;
    if (!CommonControlsReady()) return;
    res->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, bar, nullptr, LibraryInstance(), nullptr);
    if (!res->tooltip) return;
    for (int i = 0; i < block->buttonCount; ++i)
        if (res->plain[i]) AddTooltip(bar, res, i, ButtonRect(block->buttons[i]));
}

// Loads the buttons' pictures and lays the buttons out.
void SetUp(ActionBarBlock* block, BarResources* res)
{
    res->picture = block->largeButtons ? kLargePicture : kSmallPicture;
    int left = kMargin;
    for (int i = 0; i < block->buttonCount; ++i) {
        ActionBarButton& button = block->buttons[i];
        uint16_t command = static_cast<uint16_t>(button.command);
        HANDLE picture = command ? LoadImageA(LibraryInstance(), MAKEINTRESOURCEA(command), IMAGE_ICON,
                                              res->picture, res->picture, LR_DEFAULTCOLOR)
                                 : nullptr;
        res->plain[i].reset(static_cast<HICON>(picture));
        button.left = static_cast<int16_t>(left);
        button.width = static_cast<int16_t>(res->plain[i] ? ButtonSize(res->picture) : kGapWidth);
        left += button.width + (res->plain[i] ? kGap : 0);
    }
}

void Draw(HWND bar, HDC dc, const ActionBarBlock* block, BarResources* res)
{
    RECT client;
    if (!GetClientRect(bar, &client)) return;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, EDGE_ETCHED, BF_BOTTOM);
    if (!block || !res) return;
    for (int i = 0; i < block->buttonCount; ++i) {
        if (!res->plain[i]) continue;
        const ActionBarButton& button = block->buttons[i];
        RECT r = ButtonRect(button);
        bool down = i == block->pressed && res->inside;
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
        HICON picture = res->plain[i].get();
        if (button.state == kActionBarGrayed) {
            if (!res->grayed[i]) res->grayed[i].reset(MakeGrayed(picture, res->picture));
            if (res->grayed[i]) picture = res->grayed[i].get();
        }
        int at = kPadding + (down ? 1 : 0);  // a pressed picture sinks with its button
        DrawIconEx(dc, r.left + at, r.top + at, picture, res->picture, res->picture, 0, nullptr, DI_NORMAL);
    }
}

// Hands mouse messages to the tooltip control, which has no other way to see them.
void Relay(HWND bar, const BarResources* res, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!res || !res->tooltip) return;
    MSG msg{bar, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), POINT{}};
    (void)SendMessageA(res->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void MouseDown(HWND bar, ActionBarBlock* block, BarResources* res, LPARAM at)
{
    int hit = HitButton(block, res, at);
    if (hit < 0 || block->buttons[hit].state == kActionBarGrayed) return;
    block->pressed = hit;
    res->inside = true;
    SetCapture(bar);
    RepaintButton(bar, hit);
}

// While a button is held, it looks pressed only with the mouse over it.
void MouseMove(HWND bar, ActionBarBlock* block, BarResources* res, LPARAM at)
{
    if (block->pressed < 0) return;
    bool inside = HitButton(block, res, at) == block->pressed;
    if (inside == res->inside) return;
    res->inside = inside;
    RepaintButton(bar, block->pressed);
}

void MouseUp(HWND bar, ActionBarBlock* block, BarResources* res, LPARAM at)
{
    int pressed = block->pressed;
    if (pressed < 0) return;
    block->pressed = -1;  // before ReleaseCapture, whose WM_CAPTURECHANGED finds nothing held
    res->inside = false;
    ReleaseCapture();
    RepaintButton(bar, pressed);
    const ActionBarButton& button = block->buttons[pressed];
    if (HitButton(block, res, at) != pressed || button.state == kActionBarGrayed) return;
    HWND parent = GetParent(bar);
    WPARAM command = static_cast<WPARAM>(static_cast<uint16_t>(button.command));
    if (parent) PostMessageA(parent, WM_COMMAND, command, 0);
}

// The label of a button for its tooltip, or nothing (no tooltip) while tooltips are off.
void TooltipText(const ActionBarBlock* block, NMHDR* header)
{
    UINT_PTR index = header->idFrom;
    const char* label = "";
    if (block && block->tooltips && index < static_cast<UINT_PTR>(block->buttonCount)) {
        label = block->buttons[index].label;
    }
    if (header->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        lstrcpynA(info->szText, label, sizeof info->szText);
        info->lpszText = info->szText;
    } else {
        NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        int length = sizeof info->szText / sizeof info->szText[0];
        if (!MultiByteToWideChar(CP_ACP, 0, label, -1, info->szText, length)) info->szText[0] = L'\0';
        info->szText[length - 1] = L'\0';
        info->lpszText = info->szText;
    }
}

LRESULT Create(HWND bar, ActionBarBlock* block)
{
    BarResources* res = block ? new (std::nothrow) BarResources : nullptr;
    if (!res) return -1;
    SetWindowLongPtrA(bar, 0, reinterpret_cast<LONG_PTR>(res));
    SetUp(block, res);
    return 0;
}

void Destroyed(HWND bar, ActionBarBlock* block)
{
    if (block && block->windows[0] == HandleToULong(bar)) block->windows[0] = 0;
    delete ResourcesOf(bar);
    SetWindowLongPtrA(bar, 0, 0);
    SetWindowLongPtrA(bar, GWLP_USERDATA, 0);
}

LRESULT CALLBACK ActionBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    ActionBarBlock* block = BlockOf(bar);
    BarResources* res = ResourcesOf(bar);
    switch (message) {
        case WM_NCCREATE: {
            const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            return DefWindowProcA(bar, message, wParam, lParam);
        }
        case WM_CREATE:
            return Create(bar, block);
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole bar
        case WM_PAINT: {
            PaintDC paint(bar);
            if (paint) Draw(bar, paint.get(), block, res);
            return 0;
        }
        case WM_PRINTCLIENT:
            Draw(bar, reinterpret_cast<HDC>(wParam), block, res);
            return 0;
        case WM_LBUTTONDOWN:
            Relay(bar, res, message, wParam, lParam);
            if (block && res) MouseDown(bar, block, res, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (block && res) MakeTooltip(bar, block, res);
            Relay(bar, res, message, wParam, lParam);
            if (block && res) MouseMove(bar, block, res, lParam);
            return 0;
        case WM_LBUTTONUP:
            Relay(bar, res, message, wParam, lParam);
            if (block && res) MouseUp(bar, block, res, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (block && block->pressed >= 0) {
                RepaintButton(bar, block->pressed);
                block->pressed = -1;
            }
            return 0;
        case WM_NOTIFY: {
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            bool ours = res && header && header->hwndFrom == res->tooltip;
            if (ours && (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)) {
                TooltipText(block, header);
            }
            return 0;
        }
        case kActionBarActivityMessage:
            return 0;  // no bar item ever becomes active: keyboard activity stays with the frame
        case WM_NCDESTROY:
            Destroyed(bar, block);
            return DefWindowProcA(bar, message, wParam, lParam);
        default:
            return DefWindowProcA(bar, message, wParam, lParam);
    }
}

}  // namespace

HINSTANCE LibraryInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool RegisterBarClass()
{
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(LibraryInstance(), kBarClass, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ActionBarWndProc;
    wc.cbWndExtra = sizeof(BarResources*);
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

int BarHeight(bool large)
{
    return kMargin + ButtonSize(large ? kLargePicture : kSmallPicture) + kBelow;
}

void RepaintButton(HWND bar, int index)
{
    const ActionBarBlock* block = BlockOf(bar);
    if (!block || index < 0 || index >= block->buttonCount) return;
    RECT r = ButtonRect(block->buttons[index]);
    Invalidate(bar, &r);
}

void RefreshColors(HWND bar)
{
    const ActionBarBlock* block = BlockOf(bar);
    BarResources* res = ResourcesOf(bar);
    if (!block || !res) return;
    // Made again in the new colours when next drawn.
    for (int i = 0; i < block->buttonCount; ++i) res->grayed[i].reset();
    Invalidate(bar, nullptr);
}

}  // namespace dez
