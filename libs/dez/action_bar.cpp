// DEZ32.DLL's exported calls: the state block, the bar's creation from a layout resource of
// the calling program, the free client area, button states and shutdown.
#include <cstring>

#include "libs/dez/bar_window.h"
#include "libs/dez/dez32.h"

namespace {

constexpr uint32_t kBlockSignature = 0x325A4544;  // "DEZ2"

bool Valid(const ActionBarBlock* block)
{
    return block && block->signature == kBlockSignature;
}

HWND BarWindow(const ActionBarBlock* block)
{
    HWND bar = ActionBarWindow(block);
    return bar && IsWindow(bar) ? bar : nullptr;
}

uint16_t Word(const unsigned char* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

// The layout's buttons, with their labels cut to the button's size; false when malformed.
bool ReadLayout(const unsigned char* data, size_t size, ActionBarButton* buttons, int* count)
{
    if (size < dez::kLayoutHeaderSize) return false;
    uint32_t signature = static_cast<uint32_t>(Word(data)) | static_cast<uint32_t>(Word(data + 2)) << 16;
    if (signature != dez::kLayoutSignature) return false;
    size_t listed = Word(data + 4);
    if (listed > kActionBarMaxButtons) listed = kActionBarMaxButtons;
    size_t at = dez::kLayoutHeaderSize;
    for (size_t i = 0; i < listed; ++i) {
        if (size - at < 2) return false;
        ActionBarButton& button = buttons[i];
        button = ActionBarButton{};
        button.command = Word(data + at);
        button.state = kActionBarEnabled;
        at += 2;
        const void* nul = std::memchr(data + at, '\0', size - at);
        if (!nul) return false;
        size_t length = static_cast<size_t>(static_cast<const unsigned char*>(nul) - (data + at));
        size_t kept = length < sizeof button.label ? length : sizeof button.label - 1;
        std::memcpy(button.label, data + at, kept);
        button.label[kept] = '\0';
        at += length + 1;
    }
    *count = static_cast<int>(listed);
    return true;
}

// A rebuilt bar keeps the states its commands had on the previous one.
void KeepStates(const ActionBarBlock* block, ActionBarButton* buttons, int count)
{
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < block->buttonCount; ++j) {
            if (block->buttons[j].command == buttons[i].command) buttons[i].state = block->buttons[j].state;
        }
    }
}

}  // namespace

DEZ_API BOOL WINAPI ActionBarInit(ActionBarBlock** field, int)
{
    if (!field || !dez::RegisterBarClass()) return FALSE;
    HANDLE heap = GetProcessHeap();
    void* memory = heap ? HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(ActionBarBlock)) : nullptr;
    if (!memory) return FALSE;
    ActionBarBlock* block = static_cast<ActionBarBlock*>(memory);
    block->signature = kBlockSignature;
    block->activeItem = kActionBarNoItem;
    block->pressed = -1;
    block->home = reinterpret_cast<uintptr_t>(field);
    *field = block;
    return TRUE;
}

DEZ_API HWND WINAPI ActionBarCreate(HWND frame, HINSTANCE instance, int layoutId, int, ActionBarBlock* block)
{
    if (!Valid(block) || !frame || !IsWindow(frame)) return nullptr;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(layoutId), MAKEINTRESOURCEA(DEZ_LAYOUT_TYPE));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(instance, found) : 0;
    ActionBarButton buttons[kActionBarMaxButtons];
    int count = 0;
    if (!data || !ReadLayout(static_cast<const unsigned char*>(data), size, buttons, &count)) return nullptr;
    KeepStates(block, buttons, count);

    if (HWND old = BarWindow(block)) DestroyWindow(old);  // one bar per block
    RECT client;
    if (!GetClientRect(frame, &client)) return nullptr;
    // The new bar lays these out when it is created.
    std::memcpy(block->buttons, buttons, sizeof(ActionBarButton) * static_cast<size_t>(count));
    block->buttonCount = count;
    block->pressed = -1;
    int height = dez::BarHeight(block->largeButtons != 0);
    HWND bar = CreateWindowExA(0, dez::kBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                               client.right, height, frame, nullptr, dez::LibraryInstance(), block);
    if (!bar) return nullptr;
    block->barHeight = height;
    block->windows[0] = HandleToULong(bar);
    return bar;
}

DEZ_API void WINAPI ActionBarSetLarge(ActionBarBlock* block, int large)
{
    if (Valid(block)) block->largeButtons = large != 0;
}

DEZ_API BOOL WINAPI ActionBarClientRect(HWND frame, ActionBarBlock* block, int, int, RECT* free, int)
{
    if (!free || !GetClientRect(frame, free)) return FALSE;
    HWND bar = Valid(block) ? BarWindow(block) : nullptr;
    // The bar's own style, not IsWindowVisible: the frame lays out before it is shown.
    if (!bar || !(GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE)) return TRUE;
    RECT r;
    if (!GetWindowRect(bar, &r)) return TRUE;
    int height = r.bottom - r.top;
    if (r.right - r.left != free->right) {
        SetWindowPos(bar, nullptr, 0, 0, free->right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    free->top = height < free->bottom ? height : free->bottom;
    return TRUE;
}

DEZ_API void WINAPI ActionBarSetState(int, int state, int command, ActionBarBlock* block)
{
    if (!Valid(block)) return;
    if (state == kActionBarChosen) {
        block->lastCommand = command;
        return;
    }
    if (state != kActionBarEnabled && state != kActionBarGrayed) return;
    for (int i = 0; i < block->buttonCount; ++i) {
        ActionBarButton& button = block->buttons[i];
        // The idle step sets the same states over and over: only a change repaints.
        if (button.command != command || button.state == state) continue;
        button.state = state;
        if (HWND bar = BarWindow(block)) dez::RepaintButton(bar, i);
    }
}

DEZ_API void WINAPI ActionBarColorsChanged(ActionBarBlock* block)
{
    // The grayed pictures are made in the system colours; the rest is looked up at each paint.
    if (HWND bar = Valid(block) ? BarWindow(block) : nullptr) dez::RefreshColors(bar);
}

DEZ_API void WINAPI ActionBarShutdown(ActionBarBlock* block)
{
    if (!Valid(block)) return;
    if (HWND bar = BarWindow(block)) DestroyWindow(bar);
    ActionBarBlock** home = reinterpret_cast<ActionBarBlock**>(static_cast<uintptr_t>(block->home));
    if (home && *home == block) *home = nullptr;
    block->signature = 0;
    HANDLE heap = GetProcessHeap();
    if (heap) HeapFree(heap, 0, block);
    dez::UnregisterBarClass();
}
