// The one-line lexer on any bytes: its tokens lie in order inside the line, are never empty,
// leave only blanks and tabs between them, and agree with the keyword table. The colour runs
// of a row showing the bytes cover the row's cells in order, whatever the scroll and tab size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "doc/kestrel.h"
#include "doc/syntax_shades.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* line = reinterpret_cast<const char*>(data);
    const auto length = static_cast<int32_t>(size);
    LineLexer lexer(line, length);
    int32_t last = 0;
    for (Token t; lexer.Next(&t);) {
        if (t.begin < last || t.end <= t.begin || t.end > length) std::abort();
        for (int32_t i = last; i < t.begin; ++i)
            if (line[i] != ' ' && line[i] != '\t') std::abort();
        const std::string_view text(line + t.begin, static_cast<size_t>(t.end - t.begin));
        const bool keyword = FindKeyword(text) != Keyword::kNone;
        if ((t.kind == TokenKind::kKeyword) != keyword) std::abort();
        if (t.kind == TokenKind::kKeyword && FindKeyword(text) != t.keyword) std::abort();
        if (t.kind == TokenKind::kComment && (text[0] != ';' || t.end != length)) std::abort();
        if (t.kind == TokenKind::kString && text[0] != '"') std::abort();
        if (t.kind == TokenKind::kOther && text.size() != 1) std::abort();
        last = t.end;
    }
    for (int32_t i = last; i < length; ++i)
        if (line[i] != ' ' && line[i] != '\t') std::abort();

    if (size < 3) return 0;
    const int32_t left = data[0] * 4, columns = data[1] % 96, tab = 1 + data[2] % 80;
    ShadeRun runs[96];
    const int32_t n = ShadeRow(line + 3, length - 3, left, columns, tab, runs);
    if (n < (columns > 0 ? 1 : 0) || n > columns) std::abort();
    for (int32_t i = 0; i < n; ++i) {
        if (runs[i].begin != (i == 0 ? 0 : runs[i - 1].end) || runs[i].end <= runs[i].begin) std::abort();
        if (i > 0 && runs[i].shade == runs[i - 1].shade) std::abort();
    }
    if (n > 0 && runs[n - 1].end != columns) std::abort();
    return 0;
}
