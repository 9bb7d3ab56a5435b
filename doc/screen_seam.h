// What the portable core needs of the screen and the user. The Win32 layer implements it
// with the real calls; tests implement it as a recorder.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

// Kinds of ShowMessage: icon and buttons.
enum MessageKind : int {
    kMessageExclamation = 0,  // OK
    kMessageYesNo = 1,
    kMessageYesNoCancel = 2,
    kMessageStop = 3,  // any other kind: stop icon, OK
};

// Answers of ShowMessage, numbered as the platform's message box answers them.
enum MessageAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

class ScreenSeam {
public:
    virtual ~ScreenSeam() = default;

    // Scroll bars of a window (kBarHorizontal / kBarVertical).
    virtual void SetScrollRange(WindowHandle window, int bar, int minimum, int maximum, bool redraw) = 0;
    virtual void SetScrollPosition(WindowHandle window, int bar, int position, bool redraw) = 0;

    // Cells [top, bottom) x [left, right) of a grid window; UpdateNow paints what is invalid.
    virtual void InvalidateCells(WindowHandle window, int top, int left, int bottom, int right) = 0;
    virtual void UpdateNow(WindowHandle window) = 0;
    // Shift the window's pixels by whole rows (positive: content moves down) or columns.
    virtual void ScrollCells(WindowHandle window, int rows, int columns) = 0;
    virtual void InvertCells(WindowHandle window, int top, int left, int bottom, int right) = 0;

    // The system caret, at a pixel position of the window.
    virtual void PlaceCaret(WindowHandle window, int x, int y) = 0;

    // The status line.
    virtual void ShowPosition(int32_t line, int32_t column) = 0;
    virtual void ShowStatusText(const char* text) = 0;

    // A string-table message with an optional appended text; answers a MessageAnswer.
    virtual int ShowMessage(int kind, int stringId, const char* appended) = 0;
    // Loads a string-table entry (empty text when it does not exist).
    virtual const char* LoadStringText(int stringId) = 0;

    virtual void SetWindowTitle(WindowHandle window, const char* title) = 0;

    // Progress of a long load or save: stringId names the work, name the file; percent is 0
    // when the work starts, then how much of it is done, and -1 once it has ended, whether it
    // succeeded or not. The core reports every so often; the screen decides what to show.
    virtual void ShowProgress(int stringId, const char* name, int percent) = 0;

    // The busy indication: BeginWait answers a token that EndWait restores.
    virtual void* BeginWait() = 0;
    virtual void EndWait(void* previous) = 0;
};
