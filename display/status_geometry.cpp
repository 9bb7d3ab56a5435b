// The status line's pane geometry and position text.
#include "display/status_geometry.h"

#include <cstdio>
#include <cstring>

int StatusLineHeightFor(int textHeight, int externalLeading, int borderUnit)
{
    return textHeight + externalLeading + 8 * borderUnit;
}

int MessagePaneWidthFor(int maxCharWidth)
{
    return 21 * maxCharWidth;
}

int IndicatorPaneWidthFor(int maxCharWidth)
{
    return 3 * maxCharWidth;
}

namespace {

// The left edge of a pane's frame: the indicator panes follow the message pane, 9b apart.
int PaneLeft(const StatusMetrics& m, const PaneRect& client, StatusPane pane)
{
    const int b = m.borderUnit;
    if (pane == kPaneMessage) return 8 * b;
    const int p2 = client.left + m.messagePaneWidth + 18 * b;
    return p2 + (static_cast<int>(pane) - kPaneCapsLock) * (m.indicatorPaneWidth + 9 * b);
}

int PaneWidth(const StatusMetrics& m, StatusPane pane)
{
    return pane == kPaneMessage ? m.messagePaneWidth : m.indicatorPaneWidth;
}

}  // namespace

PaneRect PaneFrame(const StatusMetrics& m, const PaneRect& client, StatusPane pane)
{
    const int b = m.borderUnit;
    const int left = PaneLeft(m, client, pane);
    return {left, 3 * b, left + PaneWidth(m, pane), client.bottom - 3 * b};
}

PaneRect PaneTextArea(const StatusMetrics& m, const PaneRect& client, StatusPane pane)
{
    const int b = m.borderUnit;
    const int top = client.top + 4 * b, bottom = client.bottom - 4 * b;
    if (pane == kPaneMessage) return {9 * b, top, 7 * b + m.messagePaneWidth, bottom};
    const int left = PaneLeft(m, client, pane);
    return {left + b, top, left + m.indicatorPaneWidth - 2 * b, bottom};
}

int PaneTextX(const StatusMetrics& m, const PaneRect& client, StatusPane pane)
{
    const int b = m.borderUnit;
    switch (pane) {
        case kPaneMessage:
            return 11 * b;
        case kPaneInsertMode:
            return PaneLeft(m, client, pane) + 3 * b;
        default:
            return PaneLeft(m, client, pane) + b;
    }
}

namespace {

// Appends to a bounded buffer; what does not fit is dropped.
struct Output {
    char* out;
    size_t size;
    size_t used;
    void Put(char c)
    {
        if (used + 1 < size) out[used++] = c;
    }
    void Put(const char* text, size_t n)
    {
        for (size_t i = 0; i < n; ++i) Put(text[i]);
    }
};

}  // namespace

size_t FormatPosition(char* out, size_t size, const char* format, int32_t line, int32_t column)
{
    if (!out || size == 0) return 0;
    Output o{out, size, 0};
    const int32_t values[2] = {line, column};
    int next = 0;
    const char* p = format ? format : "";
    while (*p) {
        if (*p != '%') {
            o.Put(*p++);
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            o.Put('%');
            ++p;
            continue;
        }
        const bool leftAlign = *p == '-';
        if (leftAlign) ++p;
        int width = 0;
        while (*p >= '0' && *p <= '9' && width < 1000) width = width * 10 + (*p++ - '0');
        if (*p == 'l') ++p;
        if (*p != 'd' || next >= 2) {
            // Not a field this text knows: keep it literally.
            o.Put(start, static_cast<size_t>(p - start));
            continue;
        }
        ++p;
        char digits[16];
        const int n = std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(values[next++]));
        const size_t length = n > 0 ? static_cast<size_t>(n) : 0;
        const size_t pad = static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
        if (!leftAlign)
            for (size_t i = 0; i < pad; ++i) o.Put(' ');
        o.Put(digits, length);
        if (leftAlign)
            for (size_t i = 0; i < pad; ++i) o.Put(' ');
    }
    out[o.used] = '\0';
    return o.used;
}

void FormatProgress(char* out, size_t size, const char* work, const char* path, int percent)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    std::snprintf(out, size, "%s %s: %d%%", work, name, percent);
}
