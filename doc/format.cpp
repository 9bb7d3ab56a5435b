#include "doc/format.h"

#include <cstdio>
#include <cstring>

void FormatUnsigned(char* out, size_t size, const char* format, uint32_t value)
{
    if (size == 0) return;
    const char* field = std::strstr(format, "%u");
    if (!field) {
        CopyText(out, size, format);
        return;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(value));
    std::snprintf(out, size, "%.*s%s%s", static_cast<int>(field - format), format, number, field + 2);
}

bool CopyText(char* out, size_t size, const char* text)
{
    if (size == 0) return false;
    size_t n = std::strlen(text);
    bool fits = n < size;
    if (!fits) n = size - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
    return fits;
}
