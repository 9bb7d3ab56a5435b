// The search on arbitrary texts and patterns: no read outside the text (ASan; the text sits in
// a block of exactly its length and NUL), and on NUL-free text every match, down and up, in
// both case modes and with whole words on and off, is the one a position-by-position search
// finds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "editor/search.h"
#include "tests/native/naive_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    static SearchState s;
    s = SearchState{};
    const CaseFold fold = AsciiCaseFold();
    const size_t n = 1 + data[1] % (kSearchTextSize - 1);
    if (size < 2 + n) return 0;
    for (size_t i = 0; i < n; ++i) s.findText[i] = static_cast<char>(data[2 + i] ? data[2 + i] : 1);
    const auto length = static_cast<int32_t>(size - 2 - n);
    std::unique_ptr<char[]> text(new char[static_cast<size_t>(length) + 1]);
    std::memcpy(text.get(), data + 2 + n, static_cast<size_t>(length));
    text[length] = '\0';
    s.wholeWord = data[0] & 1;
    const int32_t start = data[0] % (length + 1);
    for (int pass = 0; pass < 4; ++pass) {
        s.matchCase = pass & 1;
        PreparePattern(&s, fold);
        if (pass < 2) {  // NULs inside the text: only the bounds matter
            SearchText(s, fold, text.get(), start, length);
            SearchTextBack(s, fold, text.get(), length - start, length);
            continue;
        }
        for (int32_t i = 0; i < length; ++i)
            if (text[i] == '\0') text[i] = ' ';
        for (int32_t from = start;;) {
            const int32_t o = SearchText(s, fold, text.get(), from, length);
            if (o !=
                NaiveSearch(text.get(), length, from, s.findText, s.patternLength, s.matchCase, s.wholeWord))
                std::abort();
            if (o < 0) break;
            from = o + 1;
        }
        for (int32_t last = length - start;;) {  // and upwards, as far from the end
            const int32_t o = SearchTextBack(s, fold, text.get(), last, length);
            if (o != NaiveSearchBack(text.get(), length, last, s.findText, s.patternLength, s.matchCase,
                                     s.wholeWord))
                std::abort();
            if (o < 0) break;
            last = o - 1;
        }
    }
    return 0;
}
