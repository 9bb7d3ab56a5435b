// The arithmetic of a printed page: margins from their texts, lines and columns that fit, one
// output line taken from the text, the header and footer templates, the file name of a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// A margin text's leading decimal number (0 when there is none) in inches, times the pixels per
// inch, truncated toward zero.
int32_t MarginPixels(const char* text, int32_t pixelsPerInch);

struct PageGeometry {
    int32_t leftPx, topPx, rightPx, bottomPx;
    int32_t columns;  // characters on a line, at most 256
    int32_t lines;    // body lines on the page, less 3 for a header and 3 for a footer
};

struct PageMetrics {
    int32_t width, height;      // printable area in device pixels
    int32_t pixelsPerInchX, pixelsPerInchY;
    int32_t lineHeight;         // text height plus external leading
    int32_t charWidth;          // average character width
};

// The four margin texts in the order left, top, right, bottom.
PageGeometry ComputePageGeometry(const PageMetrics& m, const char* const margins[4], bool header, bool footer);

constexpr int32_t kMaxPrintColumns = 256;

// Builds one printed line from text[*position] (the text ends at length or a NUL): LF ends the line,
// CR is skipped, a tab goes on to the next multiple of tabSize, and whatever lies beyond
// columns is dropped. out has room for kMaxPrintColumns + 1 bytes. Answers the line's length;
// *position is past the line end, or -1 when the text ended.
int32_t BuildPrintLine(const char* text, int64_t length, int64_t* position, int32_t tabSize, int32_t columns, char* out);

// The last part of a path, after its last '/', ':' or '\'.
const char* FileNamePart(const char* path);

// Expands "&f" (title), "&p" (page), "&d" (date: weekday, month, day, year) and "&t" (time)
// of the template into out (outSize bytes, always ended with a NUL, never passed); any other
// "&" pair is kept as it is, and a lone "&" at the end too. now gives the time, read anew for
// each code.
void ExpandTemplate(char* out, size_t outSize, const char* pattern, int32_t page, const char* title,
                    std::time_t (*now)() = nullptr);
