// The action bar as the frame uses it: clicks on enabled, grayed and chosen buttons, and broken
// layouts (in test_action_bar.rc) refused.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "libs/dez/dez32.h"
#include "resources/ids.h"
#include "tests/win/win_helpers.h"

namespace {

// A frame with a bar made from one of the program's layouts.
struct Bar {
    explicit Bar(int layout, bool large = false)
    {
        if (!ActionBarInit(&block, 0)) return;
        ActionBarSetLarge(block, large);
        bar = ActionBarCreate(frame, GetModuleHandleA(nullptr), layout, 0, block);
    }
    ~Bar()
    {
        if (block) ActionBarShutdown(block);
    }
    const ActionBarButton& Button(int command) const
    {
        return *std::find_if(block->buttons, block->buttons + block->buttonCount,
                             [&](const ActionBarButton& c) { return c.command == command; });
    }
    POINT Centre(int command) const
    {
        const ActionBarButton& b = Button(command);
        return POINT{b.left + b.width / 2, 2 + b.width / 2};
    }
    void Mouse(UINT message, POINT at) const { SendMessageA(bar, message, 0, MAKELPARAM(at.x, at.y)); }
    void Click(int command) const
    {
        Mouse(WM_LBUTTONDOWN, Centre(command));
        Mouse(WM_LBUTTONUP, Centre(command));
    }
    // The command the clicks since the last call posted to the frame, 0 for none.
    int Posted() const
    {
        MSG msg;
        int command = 0;
        while (PeekMessageA(&msg, frame, WM_COMMAND, WM_COMMAND, PM_REMOVE)) command = LOWORD(msg.wParam);
        return command;
    }
    TestWindow window{WS_OVERLAPPEDWINDOW, 0, 0, 700, 300};
    HWND frame = window.hwnd;
    HWND bar = nullptr;
    ActionBarBlock* block = nullptr;
};

// The bar's pixels as WM_PRINTCLIENT draws them, top row first.
std::vector<uint32_t> BarPixels(HWND bar)
{
    RECT r;
    GetClientRect(bar, &r);
    BITMAPINFO format{};
    format.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(r.right) * r.bottom);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

BOOL CALLBACK NoteTooltip(HWND w, LPARAM found)
{
    char name[64];
    if (GetClassNameA(w, name, sizeof name) && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
        *reinterpret_cast<HWND*>(found) = w;
    return TRUE;
}

HWND ThreadTooltip()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteTooltip, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

// A grayed button posts nothing; its grayed look, made when it is first drawn grayed, differs
// from the plain one, and enabling it again draws the plain picture as before.
TEST(ActionBar, EnabledButtonsPostTheirCommandGrayedOnesDoNotAndLookGrayedAndBadLayoutsFailTheCreation)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    const std::vector<uint32_t> plain = BarPixels(bar.bar);
    bar.Click(IDM_SAVE);
    EXPECT_EQ(bar.Posted(), IDM_SAVE);
    ActionBarSetState(-1, kActionBarGrayed, IDM_SAVE, bar.block);
    bar.Click(IDM_SAVE);
    EXPECT_EQ(bar.Posted(), 0);
    EXPECT_NE(BarPixels(bar.bar), plain);
    ActionBarSetState(-1, kActionBarEnabled, IDM_SAVE, bar.block);
    EXPECT_EQ(BarPixels(bar.bar), plain);
    ActionBarSetState(-1, kActionBarChosen, IDM_FIND, bar.block);  // the command just carried out
    bar.Click(IDM_FIND);
    EXPECT_EQ(bar.Posted(), IDM_FIND);
    bar.Mouse(WM_LBUTTONDOWN, bar.Centre(IDM_CUT));
    bar.Mouse(WM_LBUTTONUP, bar.Centre(IDM_COPY));  // released over another button
    EXPECT_EQ(bar.Posted(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    for (int layout : {31, 32, 99})  // a wrong signature, too short, missing
        EXPECT_EQ(ActionBarCreate(bar.frame, GetModuleHandleA(nullptr), layout, 0, bar.block), nullptr)
            << layout;
}

// The tooltip control waits for the mouse: none while the bar is only shown, then, from the
// first move over it, a tip for every picture button that says the button's label.
TEST(ActionBar, TheTooltipsComeWithTheFirstMouseMoveOverTheBar)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    bar.block->tooltips = 1;
    UpdateWindow(bar.bar);
    EXPECT_EQ(ThreadTooltip(), nullptr);
    bar.Mouse(WM_MOUSEMOVE, bar.Centre(IDM_SAVE));
    HWND tooltip = ThreadTooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 15);
    const ActionBarButton& save = bar.Button(IDM_SAVE);
    char text[80] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = bar.bar;
    tool.uId = static_cast<UINT_PTR>(&save - bar.block->buttons);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, save.label);
    EXPECT_NE(text[0], '\0');
    bar.Mouse(WM_MOUSEMOVE, bar.Centre(IDM_CUT));
    EXPECT_EQ(ThreadTooltip(), tooltip);  // made once
}

namespace {

// The icon as the system draws it on a square of the button face, top row first; and its mask
// (nonzero where the button shows through).
struct IconDrawing {
    std::vector<uint32_t> pixels, mask;
};

std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int size)
{
    BITMAPINFO format{};
    format.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    GetDIBits(dc, bitmap, 0, size, pixels.data(), &format, DIB_RGB_COLORS);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

IconDrawing DrawnIcon(HICON icon, int size)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format{};
    format.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT square{0, 0, size, size};
    FillRect(dc, &square, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    IconDrawing drawn{Pixels(dc, bitmap, size), {}};
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        drawn.mask = Pixels(dc, info.hbmMask, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

bool Between(uint32_t p, COLORREF a, COLORREF b)
{
    for (int shift : {0, 8, 16}) {
        // The pixel is 0x00RRGGBB, the colours 0x00BBGGRR.
        const int v = static_cast<int>((p >> (16 - shift)) & 0xFF);
        const int x = static_cast<int>((a >> shift) & 0xFF), y = static_cast<int>((b >> shift) & 0xFF);
        if (v < std::min(x, y) || v > std::max(x, y)) return false;
    }
    return true;
}

}  // namespace

// Every picture, small and large, is drawn exactly as the system draws the library's icon for
// its command; grayed, the button shows through the same mask and the rest lies between the
// shadow and highlight colours.
TEST(ActionBar, PicturesAreTheLibrarysIconsAndGrayedOnesKeepTheirMasks)
{
    HMODULE library = GetModuleHandleA("DEZ32.DLL");
    ASSERT_NE(library, nullptr);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        const int size = large ? 32 : 16;
        Bar bar(IDL_BAR_MAIN, large);
        ASSERT_NE(bar.bar, nullptr);
        RECT client;
        GetClientRect(bar.bar, &client);
        const std::vector<uint32_t> plain = BarPixels(bar.bar);
        for (int i = 0; i < bar.block->buttonCount; ++i)
            ActionBarSetState(-1, kActionBarGrayed, bar.block->buttons[i].command, bar.block);
        const std::vector<uint32_t> grayed = BarPixels(bar.bar);
        int pictures = 0;
        for (int i = 0; i < bar.block->buttonCount; ++i) {
            const ActionBarButton& b = bar.block->buttons[i];
            HICON icon = static_cast<HICON>(
                LoadImageA(library, MAKEINTRESOURCEA(b.command), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            if (!icon) continue;  // a gap
            ++pictures;
            const IconDrawing want = DrawnIcon(icon, size);
            DestroyIcon(icon);
            ASSERT_EQ(want.mask.size(), want.pixels.size());
            const int left = b.left + (b.width - size) / 2, top = 2 + (b.width - size) / 2;
            int wrong = 0, grayWrong = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const size_t at = static_cast<size_t>(top + y) * client.right + left + x;
                    const size_t in = static_cast<size_t>(y) * size + x;
                    if ((plain[at] & 0xFFFFFF) != want.pixels[in]) ++wrong;
                    const uint32_t g = grayed[at] & 0xFFFFFF;
                    if (want.mask[in] ? g != want.pixels[in] : !Between(g, shadow, highlight)) ++grayWrong;
                }
            }
            EXPECT_EQ(wrong, 0) << "command " << b.command;
            EXPECT_EQ(grayWrong, 0) << "command " << b.command;
        }
        EXPECT_EQ(pictures, 15);
    }
}
