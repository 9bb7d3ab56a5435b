// The action-bar window: a row of raised picture buttons in the system's button colours, with
// the layout's labels as tooltips. A click on an enabled button posts its command to the bar's
// parent, as a menu choice would. A layout entry whose command has no picture in this library
// is a gap, never a button. The pictures are drawn straight from the bits of this library's
// icon resources (24-bit colour with a mask), as an icon is drawn: the mask ANDed, then the
// colour XORed; no icon handle is made. What the first paint does not need waits: the grayed
// look of a picture is made when it is first drawn grayed, and the tooltip control (with the
// common controls library behind it) when the mouse first moves over the bar.
#include "libs/dez/bar_window.h"

#include <commctrl.h>

#include <cstring>
#include <new>
#include <vector>

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

// A button's picture: the bits of an icon image in this library's resources, bottom row first,
// and its grayed colours once made (0x00RRGGBB, bottom row first; black where the mask lets the
// button show through).
struct Picture {
    explicit operator bool() const { return colour != nullptr; }
    BITMAPINFO colourFormat{};
    const void* colour = nullptr;
    const void* mask = nullptr;
    std::vector<uint32_t> grayed;
};

// A 1-bit mask with its two colours: black keeps nothing of the button, white keeps all.
struct MaskFormat {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

// What a bar window owns besides its block: its buttons' pictures and its tooltip control (a
// popup owned by the frame, so it goes explicitly with the bar) once made.
struct BarResources {
    ~BarResources()
    {
        if (tooltip && IsWindow(tooltip)) DestroyWindow(tooltip);
    }
    Picture plain[kActionBarMaxButtons];
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

int RowBytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// The resource id of the group's 24-bit image of the size, 0 for none. Read here rather than
// asked of the system, which looks at the screen's colours for every question.
int ImageOfSize(HMODULE library, HRSRC group, int size)
{
    HGLOBAL data = group ? LoadResource(library, group) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(data ? LockResource(data) : nullptr);
    constexpr size_t kHeader = 6, kEntry = 14;  // the directory's header, then an entry per image
    const size_t available = bytes ? SizeofResource(library, group) : 0;
    if (available < kHeader) return 0;
    const size_t count = static_cast<size_t>(bytes[4] | bytes[5] << 8);
    for (size_t i = 0; i < count && kHeader + (i + 1) * kEntry <= available; ++i) {
        const unsigned char* entry = bytes + kHeader + i * kEntry;
        const int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        const int bits = entry[6] | entry[7] << 8;
        if (width == size && height == size && bits == 24) return entry[12] | entry[13] << 8;
    }
    return 0;
}

// The bits of the command's icon image of the size, if it has one in the form drawn here.
bool LoadPicture(int command, int size, Picture* picture)
{
    HMODULE library = LibraryInstance();
    const int id = ImageOfSize(library, FindResourceA(library, MAKEINTRESOURCEA(command), RT_GROUP_ICON), size);
    HRSRC image = id ? FindResourceA(library, MAKEINTRESOURCEA(id), RT_ICON) : nullptr;
    HGLOBAL imageData = image ? LoadResource(library, image) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(imageData ? LockResource(imageData) : nullptr);
    if (!bytes) return false;
    BITMAPINFOHEADER header;
    const size_t available = SizeofResource(library, image);
    if (available < sizeof header) return false;
    std::memcpy(&header, bytes, sizeof header);
    const size_t colourBytes = static_cast<size_t>(RowBytes(size, 24)) * static_cast<size_t>(size);
    const size_t maskBytes = static_cast<size_t>(RowBytes(size, 1)) * static_cast<size_t>(size);
    // The colour image and its mask stacked, as icon resources hold them.
    if (header.biSize != sizeof header || header.biWidth != size || header.biHeight != 2 * size ||
        header.biPlanes != 1 || header.biBitCount != 24 || header.biCompression != BI_RGB ||
        available < sizeof header + colourBytes + maskBytes) {
        return false;
    }
    header.biHeight = size;
    header.biSizeImage = 0;
    picture->colourFormat.bmiHeader = header;
    picture->colour = bytes + sizeof header;
    picture->mask = bytes + sizeof header + colourBytes;
    picture->grayed.clear();
    return true;
}

uint8_t Mix(COLORREF dark, COLORREF light, int shift, int lightness)
{
    int d = (dark >> shift) & 0xFF, l = (light >> shift) & 0xFF;
    return static_cast<uint8_t>(d + (l - d) * lightness / 255);
}

// The disabled look of a picture: its lightness alone, from the shadow to the highlight colour.
void MakeGrayed(Picture* picture, int size)
{
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const auto* colour = static_cast<const unsigned char*>(picture->colour);
    const auto* mask = static_cast<const unsigned char*>(picture->mask);
    picture->grayed.assign(static_cast<size_t>(size) * static_cast<size_t>(size), 0);
    for (int y = 0; y < size; ++y) {
        const unsigned char* row = colour + static_cast<ptrdiff_t>(y) * RowBytes(size, 24);
        const unsigned char* holes = mask + static_cast<ptrdiff_t>(y) * RowBytes(size, 1);
        for (int x = 0; x < size; ++x) {
            if (holes[x / 8] & (0x80 >> (x % 8))) continue;  // the button shows through
            const int blue = row[3 * x], green = row[3 * x + 1], red = row[3 * x + 2];
            const int lightness = (red * 30 + green * 59 + blue * 11) / 100;
            picture->grayed[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
                static_cast<uint32_t>(Mix(dark, light, 0, lightness)) << 16 |
                static_cast<uint32_t>(Mix(dark, light, 8, lightness)) << 8 | Mix(dark, light, 16, lightness);
        }
    }
}

// An icon's drawing: where the mask is black the button gives way to the colour, where it is
// white the colour (black there) leaves the button as it is.
void DrawPicture(HDC dc, int x, int y, const Picture& picture, bool grayed, int size)
{
    MaskFormat mask{{sizeof(BITMAPINFOHEADER), size, size, 1, 1, BI_RGB, 0, 0, 0, 2, 0},
                    {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}}};
    StretchDIBits(dc, x, y, size, size, 0, 0, size, size, picture.mask, reinterpret_cast<BITMAPINFO*>(&mask),
                  DIB_RGB_COLORS, SRCAND);
    if (grayed) {
        BITMAPINFO format{};
        format.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        StretchDIBits(dc, x, y, size, size, 0, 0, size, size, picture.grayed.data(), &format, DIB_RGB_COLORS,
                      SRCINVERT);
    } else {
        StretchDIBits(dc, x, y, size, size, 0, 0, size, size, picture.colour, &picture.colourFormat,
                      DIB_RGB_COLORS, SRCINVERT);
    }
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
        if (!command || !LoadPicture(command, res->picture, &res->plain[i])) res->plain[i] = Picture{};
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
        Picture& picture = res->plain[i];
        const bool grayed = button.state == kActionBarGrayed;
        if (grayed && picture.grayed.empty()) MakeGrayed(&picture, res->picture);
        int at = kPadding + (down ? 1 : 0);  // a pressed picture sinks with its button
        DrawPicture(dc, r.left + at, r.top + at, picture, grayed, res->picture);
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
    for (int i = 0; i < block->buttonCount; ++i) res->plain[i].grayed.clear();
    Invalidate(bar, nullptr);
}

}  // namespace dez
