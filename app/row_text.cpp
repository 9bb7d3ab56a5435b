// Tab expansion of a screen row.
#include "app/row_text.h"

int32_t ExpandRow(const char* line, int32_t lineLength, int32_t tabSize, int32_t leftColumn, char* out,
                  int32_t outSize)
{
    if (!out || outSize <= 0) return 0;
    if (tabSize < 1) tabSize = 1;
    if (leftColumn < 0) leftColumn = 0;
    const int32_t room = outSize - 1;
    int32_t written = 0;
    int32_t column = 0;  // text column of the next character, 0-based, before the left cut
    for (int32_t i = 0; i < lineLength && written < room; ++i) {
        const char c = line[i];
        int32_t width = 1;
        if (c == '\t') width = tabSize - column % tabSize;
        for (int32_t k = 0; k < width && written < room; ++k, ++column) {
            if (column >= leftColumn) out[written++] = c == '\t' ? ' ' : c;
        }
    }
    out[written] = '\0';
    return written;
}
