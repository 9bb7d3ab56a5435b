// The core's screen seam on Win32: scroll bars, painting, caret, messages, strings, window
// titles and the wait cursor, each the platform's own call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/app_state.h"
#include "display/screen.h"  // GridOfWindow: the record a seam call's window carries
#include "display/status_geometry.h"
#include "doc/screen_seam.h"

class Win32Screen : public ScreenSeam {
public:
    void SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, bool redraw) override;
    void SetScrollPosition(WindowHandle window, int bar, int position, bool redraw) override;
    void InvalidateCells(WindowHandle window, int top, int left, int bottom, int right) override;
    void UpdateNow(WindowHandle window) override;
    void ScrollCells(WindowHandle window, int rows, int columns) override;
    void InvertCells(WindowHandle window, int top, int left, int bottom, int right) override;
    void PlaceCaret(WindowHandle window, int x, int y) override;
    void ShowPosition(int32_t line, int32_t column) override;
    void ShowStatusText(const char* text) override;
    int ShowMessage(int kind, int stringId, const char* appended) override;
    const char* LoadStringText(int stringId) override;
    void SetWindowTitle(WindowHandle window, const char* title) override;
    void ShowProgress(int stringId, const char* name, int percent) override;
    void* BeginWait() override;
    void EndWait(void* previous) override;

private:
    ProgressGate progress_;
    char beforeProgress_[sizeof g_app.statusText] = {};  // the status line to put back
};

// The seam the program installs in g_core.screen at start-up.
extern Win32Screen g_win32Screen;
