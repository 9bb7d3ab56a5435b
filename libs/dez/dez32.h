// The action-bar library DEZ32.DLL: its state block and its calls, imported by ordinal.
// Shared by the library and the program; the block's documented fields are ABI and pinned
// below for both the 32-bit and the 64-bit build.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "libs/dez/layout.h"

#if defined(DEZ_BUILDING)
#define DEZ_API extern "C"
#else
#define DEZ_API extern "C" __declspec(dllimport)
#endif

constexpr int kActionBarEnabled = 2;
constexpr int kActionBarGrayed = 3;
constexpr int kActionBarChosen = 0;  // the state passed for the command just carried out
constexpr int kActionBarNoItem = -1;
constexpr UINT kActionBarActivityMessage = WM_USER + 201;  // 1225, the frame to the bar
constexpr size_t kActionBarMaxButtons = 40;
constexpr size_t kActionBarWindows = 15;

struct ActionBarButton {
    int32_t command;
    int32_t state;  // kActionBarEnabled or kActionBarGrayed
    int16_t left;   // in the bar's client coordinates
    int16_t width;
    char label[DEZ_LABEL_SIZE];
};
static_assert(sizeof(ActionBarButton) == 48, "buttons are packed without padding");

// Window fields hold 32-bit handle values in both builds (HandleToULong / ULongToHandle).
struct ActionBarBlock {
    // The library's own fields.
    uint32_t signature;
    int32_t largeButtons;  // the flag of ordinal 35, used at the next creation
    int32_t buttonCount;
    int32_t barHeight;     // of the window made by the last creation
    int32_t lastCommand;   // the last command passed with kActionBarChosen
    int32_t pressed;       // button held down with the mouse, -1 none
    uint64_t home;         // address of the caller's field that holds this block
    // Fields the editor uses.
    uint32_t windows[kActionBarWindows];  // entry 0: the action-bar window
    uint32_t owner;                       // the frame, set by the editor after each creation
    // The library's own fields.
    ActionBarButton buttons[kActionBarMaxButtons];
    uint8_t reserved[2213 - 96 - 48 * kActionBarMaxButtons];
    // Fields the editor uses.
    uint8_t tooltips;  // 0: no tooltips
    uint8_t padding1[2];
    int32_t activeItem;     // kActionBarNoItem when no bar item is active
    uint8_t currentWindow;  // index into windows of the window that holds the active item
    uint8_t padding2[3];
};
static_assert(offsetof(ActionBarBlock, windows) == 32, "window table at byte 32");
static_assert(offsetof(ActionBarBlock, owner) == 92, "owner window at byte 92");
static_assert(offsetof(ActionBarBlock, tooltips) == 2213, "tooltips flag at byte 2213");
static_assert(offsetof(ActionBarBlock, activeItem) == 2216, "active item at byte 2216");
static_assert(offsetof(ActionBarBlock, currentWindow) == 2220, "current window index at byte 2220");
static_assert(sizeof(uint32_t) * kActionBarWindows == 92 - 32, "the window table ends at the owner");

// Ordinal 7: allocates the block and stores its address in *field; nonzero when ready.
DEZ_API BOOL WINAPI ActionBarInit(ActionBarBlock** field, int reserved);
// Ordinal 32: the bar window, a child of frame laid out from the layout resource layoutId of
// instance (the calling program's); 0 on failure.
DEZ_API HWND WINAPI ActionBarCreate(HWND frame, HINSTANCE instance, int layoutId, int reserved,
                                    ActionBarBlock* block);
// Ordinal 35: large buttons from the next creation on.
DEZ_API void WINAPI ActionBarSetLarge(ActionBarBlock* block, int large);
// Ordinal 2: the part of frame's client area that the bar leaves free, in *free; the bar is
// stretched to the frame's width on the way. Nonzero when *free was filled.
DEZ_API BOOL WINAPI ActionBarClientRect(HWND frame, ActionBarBlock* block, int reserved1, int reserved2,
                                        RECT* free, int reserved3);
// Ordinal 27: the button of command gets state (kActionBarEnabled, kActionBarGrayed), or
// kActionBarChosen for the command just carried out. item is -1.
DEZ_API void WINAPI ActionBarSetState(int item, int state, int command, ActionBarBlock* block);
// Ordinal 33: the system colours changed.
DEZ_API void WINAPI ActionBarColorsChanged(ActionBarBlock* block);
// Ordinal 5: destroys the bar window if any and frees the block.
DEZ_API void WINAPI ActionBarShutdown(ActionBarBlock* block);

inline HWND ActionBarWindow(const ActionBarBlock* block)
{
    return static_cast<HWND>(ULongToHandle(block->windows[0]));
}
