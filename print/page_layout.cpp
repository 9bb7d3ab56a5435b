// Page arithmetic and templates for printing, in the printer's own pixels.
#include "print/page_layout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int32_t MarginPixels(const char* text, int32_t pixelsPerInch)
{
    const double inches = std::atof(text);  // 0 when the text starts with no number
    const double pixels = inches * pixelsPerInch;
    if (pixels > 1e9 || pixels < -1e9) return pixels > 0 ? 1000000000 : -1000000000;
    return static_cast<int32_t>(pixels);
}

PageGeometry ComputePageGeometry(const PageMetrics& m, const char* const margins[4], bool header, bool footer)
{
    PageGeometry g{};
    g.leftPx = MarginPixels(margins[0], m.pixelsPerInchX);
    g.topPx = MarginPixels(margins[1], m.pixelsPerInchY);
    g.rightPx = MarginPixels(margins[2], m.pixelsPerInchX);
    g.bottomPx = MarginPixels(margins[3], m.pixelsPerInchY);
    const int32_t charWidth = m.charWidth > 0 ? m.charWidth : 1;
    const int32_t lineHeight = m.lineHeight > 0 ? m.lineHeight : 1;
    // Each division truncates on its own, as the margins take whole characters and lines.
    g.columns = m.width / charWidth - (g.leftPx + g.rightPx) / charWidth;
    if (g.columns > kMaxPrintColumns) g.columns = kMaxPrintColumns;
    if (g.columns < 0) g.columns = 0;
    g.lines = m.height / lineHeight - (g.topPx + g.bottomPx) / lineHeight;
    if (header) g.lines -= 3;
    if (footer) g.lines -= 3;
    return g;
}

int32_t BuildPrintLine(const char* text, int64_t length, int64_t* position, int32_t tabSize, int32_t columns, char* out)
{
    if (columns > kMaxPrintColumns) columns = kMaxPrintColumns;
    if (tabSize < 1) tabSize = 1;
    int64_t p = *position;
    int32_t column = 0, used = 0;
    for (;; ++p) {
        const char c = p < length ? text[p] : '\0';
        if (c == '\0') {
            p = -1;
            break;
        }
        if (c == '\n') {
            ++p;
            break;
        }
        if (c == '\r') continue;
        if (c == '\t') {
            const int32_t next = (column / tabSize + 1) * tabSize;
            for (; column < next; ++column)
                if (column < columns) out[used++] = ' ';
            continue;
        }
        if (column < columns) out[used++] = c;
        ++column;
    }
    out[used] = '\0';
    *position = p;
    return used;
}

const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '/' || *c == ':' || *c == '\\') name = c + 1;
    return name;
}

void ExpandTemplate(char* out, size_t outSize, const char* pattern, int32_t page, const char* title,
                    std::time_t (*now)())
{
    if (outSize == 0) return;
    size_t n = 0;
    auto append = [&](const char* text, size_t length) {
        const size_t room = outSize - 1 - n;
        if (length > room) length = room;
        std::memcpy(out + n, text, length);
        n += length;
    };
    for (const char* c = pattern; *c; ++c) {
        if (*c != '&') {
            append(c, 1);
            continue;
        }
        const char code = c[1];
        if (code == '\0') {  // a lone "&" at the end
            append(c, 1);
            break;
        }
        ++c;
        char field[32];
        if (code == 'f') {
            append(title, std::strlen(title));
        } else if (code == 'p') {
            append(field, static_cast<size_t>(std::snprintf(field, sizeof field, "%d", static_cast<int>(page))));
        } else if (code == 'd' || code == 't') {
            const std::time_t t = now ? now() : std::time(nullptr);
            const std::tm* local = std::localtime(&t);
            const char* text = local ? std::asctime(local) : nullptr;  // "Wed Jan 02 02:03:55 1980\n"
            if (text && std::strlen(text) >= 24) {
                if (code == 'd') {
                    append(text, 11);
                    append(text + 20, 4);
                } else {
                    append(text + 11, 8);
                }
            }
        } else {
            append(c - 1, 2);
        }
    }
    out[n] = '\0';
}
