// Byte-block primitives: moves, bounded copies and line navigation over LF-separated text.
#include "doc/text.h"

#include <cstring>

char* MoveBytes(char* destination, const char* source, int32_t count)
{
    if (count <= 0 || destination == source) return destination;
    if (count <= kMovePiece) {
        std::memmove(destination, source, static_cast<size_t>(count));
        return destination;
    }
    // Piecewise, in the order that never overwrites bytes not yet moved.
    if (destination <= source) {
        int32_t done = 0;
        while (done < count) {
            int32_t piece = count - done < kMovePiece ? count - done : kMovePiece;
            std::memmove(destination + done, source + done, static_cast<size_t>(piece));
            done += piece;
        }
    } else {
        int32_t left = count;
        while (left > 0) {
            int32_t piece = left < kMovePiece ? left : kMovePiece;
            left -= piece;
            std::memmove(destination + left, source + left, static_cast<size_t>(piece));
        }
    }
    return destination;
}

char* CopyBytes(char* destination, const char* source, int32_t count)
{
    if (count <= 0) return destination;
    const void* nul = std::memchr(source, 0, static_cast<size_t>(count));
    int32_t copied = nul ? static_cast<int32_t>(static_cast<const char*>(nul) - source) : count;
    std::memcpy(destination, source, static_cast<size_t>(copied));
    std::memset(destination + copied, 0, static_cast<size_t>(count - copied));
    return destination + count;
}

int32_t TextLength(const char* s) { return static_cast<int32_t>(std::strlen(s)); }

int32_t LineStart(const char* text, int32_t offset)
{
    if (offset <= 0) return 0;
    int32_t k = offset;
    while (k > 0 && text[k - 1] != '\n') --k;
    return k;
}

const char* NextLineStart(const char* end, const char* p)
{
    if (p >= end) return p;
    const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
    return lf ? static_cast<const char*>(lf) + 1 : end;
}

namespace {

int32_t CountLf(const char* p, int32_t n)
{
    int32_t count = 0;
    const char* end = p + n;
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        if (!lf) break;
        ++count;
        p = static_cast<const char*>(lf) + 1;
    }
    return count;
}

}  // namespace

int32_t CountLineEnds(const char* text, int32_t from, int32_t to)
{
    if (to > from) return CountLf(text + from, to - from);
    if (to < from) return -CountLf(text + to, from - to);
    return 0;
}
