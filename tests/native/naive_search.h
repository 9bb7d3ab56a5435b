// The search as its rules read, one position at a time, to compare the search engine with.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "editor/search.h"

// Whether p[0..n) matches t[0..length) at o: A..Z fold to a..z unless matchCase, and a whole
// word has a word boundary or the text's end on either side.
inline bool NaiveMatchAt(const char* t, int32_t length, int32_t o, const char* p, int32_t n, int matchCase,
                         int wholeWord)
{
    const auto fold = [&](char b) { return !matchCase && b >= 'A' && b <= 'Z' ? b + 32 : b; };
    const auto boundary = [&](int32_t i) { return IsWordBoundary(static_cast<uint8_t>(t[i])); };
    int32_t i = 0;
    while (i < n && fold(t[o + i]) == fold(p[i])) ++i;
    const bool whole = (o == 0 || boundary(o - 1)) && (o + n == length || boundary(o + n));
    return i == n && (!wholeWord || whole);
}

// The first match of p[0..n) in t[0..length) at or after start, or -1.
inline int32_t NaiveSearch(const char* t, int32_t length, int32_t start, const char* p, int32_t n,
                           int matchCase, int wholeWord)
{
    for (int32_t o = start; o + n <= length; ++o)
        if (NaiveMatchAt(t, length, o, p, n, matchCase, wholeWord)) return o;
    return -1;
}

// The last match of p[0..n) in t[0..length) that starts at or before last, or -1.
inline int32_t NaiveSearchBack(const char* t, int32_t length, int32_t last, const char* p, int32_t n,
                               int matchCase, int wholeWord)
{
    for (int32_t o = std::min(last, length - n); o >= 0; --o)
        if (NaiveMatchAt(t, length, o, p, n, matchCase, wholeWord)) return o;
    return -1;
}

// The first match of p in t at or after start, or -1.
inline int32_t NaiveSearch(const std::string& t, int32_t start, const std::string& p, int matchCase, int wholeWord)
{
    return NaiveSearch(t.data(), static_cast<int32_t>(t.size()), start, p.data(), static_cast<int32_t>(p.size()),
                       matchCase, wholeWord);
}

// Replace All as its rules read: every match from `from` on replaced by `with`, each search going
// on behind the last replacement, where *caret is left. Answers how many were replaced.
inline int32_t NaiveReplaceAll(std::string* text, int32_t from, const std::string& find, const std::string& with,
                               int matchCase, int wholeWord, int32_t* caret)
{
    int32_t count = 0;
    for (int32_t o = NaiveSearch(*text, from, find, matchCase, wholeWord); o >= 0;
         o = NaiveSearch(*text, *caret, find, matchCase, wholeWord), ++count) {
        text->replace(static_cast<size_t>(o), find.size(), with);
        *caret = o + static_cast<int32_t>(with.size());
    }
    return count;
}
