// The action bar as the frame uses it: clicks on enabled, grayed and chosen buttons, and broken
// layouts (in test_action_bar.rc) refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

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
    POINT Centre(int command) const
    {
        const ActionBarButton& b =
            *std::find_if(block->buttons, block->buttons + block->buttonCount,
                          [&](const ActionBarButton& c) { return c.command == command; });
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

}  // namespace

TEST(ActionBar, EnabledButtonsPostTheirCommandGrayedOnesDoNotAndBadLayoutsFailTheCreation)
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
    for (int layout : {31, 32, 99})  // a wrong signature, too short, missing
        EXPECT_EQ(ActionBarCreate(bar.frame, GetModuleHandleA(nullptr), layout, 0, bar.block), nullptr)
            << layout;
}
