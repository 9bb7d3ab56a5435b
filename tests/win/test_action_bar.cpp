// The action bar as the frame uses it: clicks, the grayed and the pressed look read back in
// pixels, large buttons, repaints, tooltips, and broken layouts (in test_action_bar.rc) refused.
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
    explicit Bar(int layout)
    {
        if (ActionBarInit(&block, 0))
            bar = ActionBarCreate(frame, GetModuleHandleA(nullptr), layout, 0, block);
    }
    ~Bar()
    {
        if (block) ActionBarShutdown(block);
    }
    const ActionBarButton& Button(int command) const
    {
        return *std::find_if(block->buttons, block->buttons + block->buttonCount,
                             [&](const ActionBarButton& b) { return b.command == command; });
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
    // A button's pixels, top row first.
    std::vector<uint32_t> Pixels(int command) const
    {
        const Picture picture = PaintedClient(bar);
        const ActionBarButton& b = Button(command);
        std::vector<uint32_t> pixels;
        for (int y = 2; y < 2 + b.width; ++y)
            for (int x = b.left; x < b.left + b.width; ++x) pixels.push_back(picture.At(x, y));
        return pixels;
    }
    // Pixels of a strong colour, far from any gray, on a button.
    int Vivid(int command) const
    {
        std::vector<uint32_t> pixels = Pixels(command);
        return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) {
            int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            return std::max({r, g, b}) - std::min({r, g, b}) > 96;
        }));
    }
    HWND Tooltip() const  // a popup owned by the frame
    {
        HWND tip = nullptr;
        while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) &&
               GetWindow(tip, GW_OWNER) != frame) {
        }
        return tip;
    }
    TestWindow window{WS_OVERLAPPEDWINDOW, 0, 0, 700, 300};
    HWND frame = window.hwnd;
    HWND bar = nullptr;
    ActionBarBlock* block = nullptr;
};

bool VisibleWithin(HWND window, DWORD ms)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
        Pump();
        if (IsWindowVisible(window)) return true;
    }
    return false;
}

}  // namespace

TEST(ActionBar, EnabledButtonsPostTheirCommandGrayedOnesDoNot)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    bar.Click(IDM_SAVE);
    EXPECT_EQ(bar.Posted(), IDM_SAVE);
    ActionBarSetState(-1, kActionBarGrayed, IDM_SAVE, bar.block);
    bar.Click(IDM_SAVE);
    EXPECT_EQ(bar.Posted(), 0);
    ActionBarSetState(-1, kActionBarChosen, IDM_FIND, bar.block);  // the command just carried out
    bar.Click(IDM_FIND);
    EXPECT_EQ(bar.Posted(), IDM_FIND);
    bar.Mouse(WM_LBUTTONDOWN, bar.Centre(IDM_CUT));
    bar.Mouse(WM_LBUTTONUP, bar.Centre(IDM_COPY));  // released over another button
    EXPECT_EQ(bar.Posted(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ActionBar, GrayedAndPressedLooksInPixelsAndOnlyAChangeRepaints)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    ShowWindow(bar.frame, SW_SHOWNORMAL);  // a hidden window collects no update region
    EXPECT_GT(bar.Vivid(IDM_SAVE), 20);    // the blue disk
    ValidateRect(bar.bar, nullptr);
    for (int i = 0; i < 100; ++i) ActionBarSetState(-1, kActionBarEnabled, IDM_SAVE, bar.block);
    EXPECT_FALSE(GetUpdateRect(bar.bar, nullptr, FALSE));
    ActionBarSetState(-1, kActionBarGrayed, IDM_SAVE, bar.block);
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(bar.bar, &dirty, FALSE));
    EXPECT_EQ(dirty.left, bar.Button(IDM_SAVE).left);
    EXPECT_EQ(bar.Vivid(IDM_SAVE), 0);
    ActionBarSetState(-1, kActionBarEnabled, IDM_SAVE, bar.block);
    EXPECT_GT(bar.Vivid(IDM_SAVE), 20);

    const uint32_t raised = bar.Pixels(IDM_OPEN)[0], shadow = Rgb(GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(raised, shadow);
    bar.Mouse(WM_LBUTTONDOWN, bar.Centre(IDM_OPEN));
    EXPECT_EQ(GetCapture(), bar.bar);
    EXPECT_EQ(bar.Pixels(IDM_OPEN)[0], shadow);  // sunken
    bar.Mouse(WM_MOUSEMOVE, POINT{1000, 5});
    EXPECT_EQ(bar.Pixels(IDM_OPEN)[0], raised);  // still held, but the mouse went off it
    bar.Mouse(WM_LBUTTONUP, POINT{1000, 5});
    EXPECT_EQ(bar.Posted(), 0);
    EXPECT_EQ(bar.Pixels(IDM_OPEN)[0], raised);
}

TEST(ActionBar, TooltipsShowTheLabelOnlyWhileTheFlagIsSet)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    ShowWindow(bar.frame, SW_SHOWNORMAL);
    UpdateWindow(bar.frame);
    HWND tip = bar.Tooltip();
    ASSERT_NE(tip, nullptr);
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 20);
    auto hover = [&](POINT at) {  // the tooltip control checks where the cursor really is
        POINT screen = at;
        ClientToScreen(bar.bar, &screen);
        SetCursorPos(screen.x, screen.y);
        bar.Mouse(WM_MOUSEMOVE, at);
    };
    for (uint8_t flag : {1, 0, 1}) {
        bar.block->tooltips = flag;
        hover(POINT{1, 1});  // off every button: any tip goes
        EXPECT_FALSE(VisibleWithin(tip, 100));
        hover(bar.Centre(IDM_FIND));
        EXPECT_EQ(VisibleWithin(tip, flag ? 2000 : 500), flag != 0);
        char text[64] = "";
        if (flag) GetWindowTextA(tip, text, sizeof text);
        EXPECT_STREQ(text, flag ? "Find" : "");
    }
}

TEST(ActionBar, LargeButtonsComeWithTheNextBar)
{
    Bar bar(IDL_BAR_MAIN);
    ASSERT_NE(bar.bar, nullptr);
    HWND tip = bar.Tooltip();
    ASSERT_NE(tip, nullptr);
    const int smallHeight = bar.block->barHeight, smallWidth = bar.Button(IDM_NEW).width;
    ActionBarSetLarge(bar.block, 1);  // from the next creation on
    EXPECT_EQ(bar.block->barHeight, smallHeight);
    DestroyWindow(bar.bar);  // as the editor does before making another
    EXPECT_EQ(bar.block->windows[0], 0u);
    EXPECT_FALSE(IsWindow(tip));
    bar.bar = ActionBarCreate(bar.frame, GetModuleHandleA(nullptr), IDL_BAR_SHORT, 0, bar.block);
    ASSERT_NE(bar.bar, nullptr);
    EXPECT_EQ(ActionBarWindow(bar.block), bar.bar);
    EXPECT_EQ(GetParent(bar.bar), bar.frame);
    RECT r{}, client{}, free{};
    GetWindowRect(bar.bar, &r);
    EXPECT_EQ(r.bottom - r.top, bar.block->barHeight);
    GetClientRect(bar.frame, &client);
    ASSERT_TRUE(ActionBarClientRect(bar.frame, bar.block, 0, 0, &free, 0));  // what the bar leaves free
    EXPECT_EQ(Sides(free), Sides({0, bar.block->barHeight, client.right, client.bottom}));
    EXPECT_GT(bar.block->barHeight, smallHeight + 10);
    EXPECT_GT(bar.Button(IDM_NEW).width, smallWidth);
    tip = bar.Tooltip();
    ASSERT_NE(tip, nullptr);
    ActionBarShutdown(bar.block);
    EXPECT_FALSE(IsWindow(bar.bar));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(bar.block, nullptr);
}

TEST(ActionBar, BadLayoutsFailTheCreation)
{
    ActionBarBlock* block = nullptr;
    ASSERT_TRUE(ActionBarInit(&block, 0));
    TestWindow frame;
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 31, 0, block), nullptr);  // signature
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 32, 0, block), nullptr);  // short
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 99, 0, block), nullptr);  // missing
    ActionBarShutdown(block);
}
