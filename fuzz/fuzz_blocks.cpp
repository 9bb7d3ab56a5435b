// Block matching on any bytes: the token and its partner lie inside the text, on one line
// each, apart; a walk from the partner starts at the partner itself, and from proc, func,
// while and brackets comes straight back; a walk bounded to the lines of the two finds the same
// partner.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "doc/blocks.h"

namespace {

bool OneLine(const char* text, TextSpan s)
{
    return s.begin >= 0 && s.end > s.begin &&
           !std::memchr(text + s.begin, '\n', static_cast<size_t>(s.end - s.begin));
}

bool Lower(const char* text, TextSpan s, const char* word)
{
    const size_t n = std::strlen(word);
    if (static_cast<size_t>(s.end - s.begin) != n) return false;
    for (size_t i = 0; i < n; ++i)
        if ((text[s.begin + static_cast<int32_t>(i)] | 0x20) != word[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const auto length = static_cast<int32_t>(size - 2);
    const char* text = reinterpret_cast<const char*>(data + 2);
    const int32_t caret = length > 0 ? data[0] * 256 % (length + 1) + data[1] % (length + 1) : 0;
    const int32_t at = caret > length ? length : caret;
    TextSpan token{}, partner{};
    if (!FindBlockPartner(text, length, at, 0, length, &token, &partner)) {
        if (token.begin != -1 && (token.begin > at || token.end < at)) std::abort();
        return 0;
    }
    if (token.begin > at || token.end < at || !OneLine(text, token) || !OneLine(text, partner)) std::abort();
    if (partner.end > length || token.end > length) std::abort();
    if (partner.begin < token.end && token.begin < partner.end) std::abort();  // overlapping
    // From the partner the walk starts at the partner; an else need have no endif.
    TextSpan self{}, back{};
    const bool found = FindBlockPartner(text, length, partner.begin, 0, length, &self, &back);
    if (self.begin != partner.begin || self.end != partner.end) std::abort();
    const bool ifFamily =
        Lower(text, token, "if") || Lower(text, token, "else") || Lower(text, token, "endif");
    if (!ifFamily && (!found || back.begin != token.begin || back.end != token.end)) std::abort();
    // Bounds that hold both lines give the same partner.
    const int32_t low = token.begin < partner.begin ? token.begin : partner.begin;
    int32_t from = low;
    while (from > 0 && text[from - 1] != '\n') --from;
    const int32_t high = token.end > partner.end ? token.end : partner.end;
    TextSpan bounded{};
    if (!FindBlockPartner(text, length, at, from, high, &self, &bounded)) std::abort();
    if (bounded.begin != partner.begin) std::abort();
    return 0;
}
