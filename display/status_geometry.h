// The status line's arithmetic without the platform: its height and pane widths from the font,
// where each pane's frame and text go, and the position text filled from its format string.
#pragma once

#include <cstddef>
#include <cstdint>

struct StatusMetrics {
    int borderUnit;          // b: the height of a window border
    int messagePaneWidth;    // W1
    int indicatorPaneWidth;  // W2
};

// Height, message pane width and indicator pane width from the status font's metrics.
int StatusLineHeightFor(int textHeight, int externalLeading, int borderUnit);
int MessagePaneWidthFor(int maxCharWidth);
int IndicatorPaneWidthFor(int maxCharWidth);

enum StatusPane : int {
    kPaneMessage = 0,
    kPaneCapsLock = 1,
    kPaneNumLock = 2,
    kPaneInsertMode = 3,
};
constexpr int kStatusPaneCount = 4;

struct PaneRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Rectangles in the status line's client coordinates; client is its client rectangle.
PaneRect PaneFrame(const StatusMetrics& m, const PaneRect& client, StatusPane pane);
PaneRect PaneTextArea(const StatusMetrics& m, const PaneRect& client, StatusPane pane);
// Where a pane's text starts; its top is the text area's top.
int PaneTextX(const StatusMetrics& m, const PaneRect& client, StatusPane pane);

// Fills a position format (literal text with one "%[-][width][l]d" field for the line and a
// second for the column; "%%" is a percent sign) into out, at most size - 1 characters and a
// NUL. Unknown conversions are copied as they stand. Answers the characters written.
size_t FormatPosition(char* out, size_t size, const char* format, int32_t line, int32_t column);

// "Loading BIG.KSR: 42%": the work, the file's name without its folder, and the per cent, cut
// to size - 1 characters and a NUL.
void FormatProgress(char* out, size_t size, const char* work, const char* path, int percent);

// When a long piece of work shows its progress: once it has run kProgressDelay ms, then at
// most every kProgressInterval ms. Times are a millisecond tick count that may wrap.
constexpr uint32_t kProgressDelay = 500;
constexpr uint32_t kProgressInterval = 100;
class ProgressGate {
public:
    void Start(uint32_t now) { start_ = now, shown_ = false; }
    // True when the progress is to be shown now; counts it as shown.
    bool Due(uint32_t now)
    {
        if (now - start_ < kProgressDelay || (shown_ && now - last_ < kProgressInterval)) return false;
        shown_ = true, last_ = now;
        return true;
    }
    bool shown() const { return shown_; }

private:
    uint32_t start_ = 0;
    uint32_t last_ = 0;
    bool shown_ = false;
};
