// One text line as the screen shows it: tabs expanded to the document's tab size and the
// columns scrolled out at the left dropped. Free of the platform, tested natively.
#pragma once

#include <cstdint>

// Writes the visible part of the line [line, line + lineLength) (no LF inside) into out, at
// most outSize - 1 characters and a NUL (nothing when outSize is 0). A TAB moves to the next
// multiple of tabSize (taken as 1 when below 1); leftColumn columns are skipped. Answers the
// number of characters written.
int32_t ExpandRow(const char* line, int32_t lineLength, int32_t tabSize, int32_t leftColumn, char* out,
                  int32_t outSize);
