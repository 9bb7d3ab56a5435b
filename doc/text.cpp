// Byte-block primitives: moves, bounded copies and line navigation over LF-separated text.
#include "doc/text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kLows = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t kLfs = kOnes * '\n';

uint64_t Load8(const char* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// A word with the top bit set in exactly the bytes of w that are LF (no borrow between bytes,
// so no false matches).
uint64_t LfBytes(uint64_t w)
{
    const uint64_t x = w ^ kLfs;
    return ~(((x & kLows) + kLows) | x | kLows);
}

// The last LF in [begin, end), or null; eight bytes at a time.
const char* LastLf(const char* begin, const char* end)
{
    while (end - begin >= 8 && (reinterpret_cast<uintptr_t>(end) & 7) != 0)
        if (*--end == '\n') return end;
#if defined(__SSE2__)
    const __m128i lfs = _mm_set1_epi8('\n');
    while (end - begin >= 16) {
        const int found = _mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16)), lfs));
        if (found) return end - 16 + (31 - __builtin_clz(static_cast<unsigned>(found)));
        end -= 16;
    }
#endif
    while (end - begin >= 8) {
        const uint64_t found = LfBytes(Load8(end - 8));
        if (found) {
            // The highest marked byte is the last LF (little-endian: the highest address).
            const int bit = 63 - __builtin_clzll(found);
            return end - 8 + bit / 8;
        }
        end -= 8;
    }
    while (end > begin)
        if (*--end == '\n') return end;
    return nullptr;
}

// Marks the bytes of w that are zero (exact, as LfBytes).
uint64_t ZeroBytes(uint64_t x) { return ~(((x & kLows) + kLows) | x | kLows); }

}  // namespace

int32_t LineStart(const char* text, int32_t offset)
{
    if (offset <= 0) return 0;
    const char* lf = LastLf(text, text + offset);
    return lf ? static_cast<int32_t>(lf - text) + 1 : 0;
}

const char* NextLineStart(const char* end, const char* p)
{
    if (p >= end) return p;
    const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
    return lf ? static_cast<const char*>(lf) + 1 : end;
}

namespace {

// Line ends counted eight bytes at a time: each LF byte marks its top bit, the marks are
// summed bytewise for up to 255 words, then the byte sums are added up.
int32_t CountLf(const char* p, int32_t n)
{
    int64_t count = 0;
    const char* end = p + n;
    while (p < end && (reinterpret_cast<uintptr_t>(p) & 7) != 0) count += *p++ == '\n';
    while (end - p >= 8) {
        uint64_t sums = 0;
        for (int words = 0; words < 255 && end - p >= 8; ++words, p += 8) sums += LfBytes(Load8(p)) >> 7;
        sums = (sums & 0x00FF00FF00FF00FFull) + ((sums >> 8) & 0x00FF00FF00FF00FFull);
        count += static_cast<int64_t>((sums * 0x0001000100010001ull) >> 48);
    }
    while (p < end) count += *p++ == '\n';
    return static_cast<int32_t>(count);
}

}  // namespace

int32_t CountLineEnds(const char* text, int32_t from, int32_t to)
{
    if (to > from) return CountLf(text + from, to - from);
    if (to < from) return -CountLf(text + to, from - to);
    return 0;
}

namespace {

// How many bytes of a word of marks are marked (a multiply instead of a population count,
// which not every target has as one instruction).
int Marks(uint64_t marks) { return static_cast<int>(((marks >> 7) * kOnes) >> 56); }

// LFs in the 16 words (kChunk bytes) from p; the byte sums, at most 128, cannot overflow.
constexpr int kChunk = 128;
int ChunkLfs(const char* p)
{
    uint64_t sums = 0;
    for (ptrdiff_t i = 0; i < kChunk / 8; ++i) sums += LfBytes(Load8(p + 8 * i)) >> 7;
    return static_cast<int>((sums * kOnes) >> 56);
}

// The position of the k-th (1-based) marked byte of a word of marks, from the low end.
int NthMark(uint64_t marks, int k)
{
    while (--k > 0) marks &= marks - 1;
    return __builtin_ctzll(marks) / 8;
}

// The same from the high end.
int NthMarkFromTop(uint64_t marks, int k)
{
    int bit = 63 - __builtin_clzll(marks);
    while (--k > 0) {
        marks &= ~(uint64_t{1} << bit);
        bit = 63 - __builtin_clzll(marks);
    }
    return bit / 8;
}

}  // namespace

int32_t ForwardLines(const char* text, int32_t from, int32_t end, int32_t n, int32_t* reached)
{
    *reached = from;
    if (n <= 0 || from >= end) return 0;
    const char* p = text + from;
    const char* stop = text + end;
    int32_t passed = 0;
    const char* last = nullptr;  // just after the last LF passed
    while (p < stop && (reinterpret_cast<uintptr_t>(p) & 7) != 0) {
        if (*p++ == '\n') {
            last = p;
            if (++passed == n) {
                *reached = static_cast<int32_t>(p - text);
                return passed;
            }
        }
    }
    // Whole chunks whose LFs all count are passed at memory speed; the last one is found later.
    const char* chunks = p;
    while (stop - p >= kChunk) {
        const int count = ChunkLfs(p);
        if (passed + count >= n) break;
        passed += count;
        p += kChunk;
    }
    if (p > chunks) {
        if (const char* lf = LastLf(chunks, p)) last = lf + 1;
    }
    while (stop - p >= 8) {
        const uint64_t marks = LfBytes(Load8(p));
        const int count = Marks(marks);
        if (passed + count >= n) {
            *reached = static_cast<int32_t>(p + NthMark(marks, n - passed) + 1 - text);
            return n;
        }
        if (count) last = p + (63 - __builtin_clzll(marks)) / 8 + 1;
        passed += count;
        p += 8;
    }
    for (; p < stop; ++p)
        if (*p == '\n') {
            last = p + 1;
            if (++passed == n) break;
        }
    if (last) *reached = static_cast<int32_t>(last - text);
    return passed;
}

int32_t BackwardLines(const char* text, int32_t p, int32_t n, int32_t* reached)
{
    *reached = p;
    if (n <= 0 || p <= 0) return 0;
    // Stepping back k lines from a line start passes the LF just before it and k - 1 more; the
    // line then starts after the LF that comes before those, or at 0.
    const char* q = text + p;
    int32_t seen = 0;
    const int32_t want = n + 1;
    while (q > text && (reinterpret_cast<uintptr_t>(q) & 7) != 0) {
        if (*--q == '\n' && ++seen == want) {
            *reached = static_cast<int32_t>(q - text) + 1;
            return n;
        }
    }
    while (q - text >= kChunk) {
        const int count = ChunkLfs(q - kChunk);
        if (seen + count >= want) break;
        seen += count;
        q -= kChunk;
    }
    while (q - text >= 8) {
        const uint64_t marks = LfBytes(Load8(q - 8));
        const int count = Marks(marks);
        if (seen + count >= want) {
            *reached = static_cast<int32_t>(q - 8 + NthMarkFromTop(marks, want - seen) - text) + 1;
            return n;
        }
        seen += count;
        q -= 8;
    }
    while (q > text) {
        if (*--q == '\n' && ++seen == want) {
            *reached = static_cast<int32_t>(q - text) + 1;
            return n;
        }
    }
    *reached = 0;
    return seen;  // every LF before p was one step back, the last one to the text's start
}

int32_t ColumnAdvance(int32_t column, uint8_t byte, int32_t tabSize)
{
    if (byte == 0) return column;
    const int64_t next = byte == '\t' ? (int64_t{column} / tabSize + 1) * tabSize : int64_t{column} + 1;
    return static_cast<int32_t>(std::min<int64_t>(next, INT32_MAX));
}

int32_t WalkColumns(const char* text, int32_t from, int32_t end, int32_t tabSize, int32_t* column)
{
    constexpr uint64_t kTabs = kOnes * '\t';
    // Counted in 64 bits and saturated once at the end: a long line of tabs passes INT32_MAX.
    int64_t col = *column;
    const char* p = text + from;
    const char* stop = text + end;
    for (;;) {
#if defined(__SSE2__)
        const __m128i tabs = _mm_set1_epi8('\t'), lfs = _mm_set1_epi8('\n'), zeros = _mm_setzero_si128();
        while (stop - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tabs), _mm_cmpeq_epi8(v, lfs)),
                                             _mm_cmpeq_epi8(v, zeros));
            if (_mm_movemask_epi8(hit)) break;
            col += 16;
            p += 16;
        }
#endif
        while (stop - p >= 8) {
            const uint64_t w = Load8(p);
            if (ZeroBytes(w) | LfBytes(w) | ZeroBytes(w ^ kTabs)) break;
            col += 8;
            p += 8;
        }
        // A word with a tab, LF or NUL, or the last bytes: one at a time up to the word's end.
        const char* wordEnd = stop - p >= 8 ? p + 8 : stop;
        for (; p < wordEnd; ++p) {
            const uint8_t c = static_cast<uint8_t>(*p);
            if (c == '\n' || c == 0) {
                *column = static_cast<int32_t>(std::min<int64_t>(col, INT32_MAX));
                return static_cast<int32_t>(p - text);
            }
            col = c == '\t' ? (col / tabSize + 1) * tabSize : col + 1;
        }
        if (p >= stop) break;
    }
    *column = static_cast<int32_t>(std::min<int64_t>(col, INT32_MAX));
    return end;
}
