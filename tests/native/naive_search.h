// The search as its rules read, one position at a time, to compare the search engine with.
#pragma once

#include <cstdint>

#include "editor/search.h"

// The first match of p[0..n) in t[0..length) at or after start, or -1; A..Z fold to a..z unless
// matchCase, and a whole word has a word boundary or the text's end on either side.
inline int32_t NaiveSearch(const char* t, int32_t length, int32_t start, const char* p, int32_t n,
                           int matchCase, int wholeWord)
{
    const auto fold = [&](char b) { return !matchCase && b >= 'A' && b <= 'Z' ? b + 32 : b; };
    const auto boundary = [&](int32_t i) { return IsWordBoundary(static_cast<uint8_t>(t[i])); };
    for (int32_t o = start; o + n <= length; ++o) {
        int32_t i = 0;
        while (i < n && fold(t[o + i]) == fold(p[i])) ++i;
        const bool whole = (o == 0 || boundary(o - 1)) && (o + n == length || boundary(o + n));
        if (i == n && (!wholeWord || whole)) return o;
    }
    return -1;
}
