// The KESTREL keyword table and the one-line lexer.
#include "doc/kestrel.h"

namespace {

bool IsLetter(uint8_t c)
{
    return static_cast<uint8_t>((c | 0x20) - 'a') < 26 || c == '_';
}
bool IsDigit(uint8_t c)
{
    return static_cast<uint8_t>(c - '0') < 10;
}
bool IsNameByte(uint8_t c)
{
    return IsLetter(c) || IsDigit(c) || c == '$';
}
uint8_t Lower(uint8_t c)
{
    return static_cast<uint8_t>(c - 'A') < 26 ? static_cast<uint8_t>(c | 0x20) : c;
}

// The longest keyword's length: longer names are no keyword without a look.
constexpr size_t LongestKeyword()
{
    size_t n = 0;
    for (std::string_view k : kKeywordNames) n = k.size() > n ? k.size() : n;
    return n;
}

}  // namespace

Keyword FindKeyword(std::string_view word)
{
    if (word.empty() || word.size() > LongestKeyword()) return Keyword::kNone;
    char lower[LongestKeyword()];
    for (size_t i = 0; i < word.size(); ++i)
        lower[i] = static_cast<char>(Lower(static_cast<uint8_t>(word[i])));
    const std::string_view folded(lower, word.size());
    for (int k = 0; k < kKeywordCount; ++k)
        if (kKeywordNames[k] == folded) return static_cast<Keyword>(k);
    return Keyword::kNone;
}

bool LineLexer::Next(Token* token)
{
    const auto at = [this](int32_t i) { return static_cast<uint8_t>(line_[i]); };
    while (position_ < length_ && (at(position_) == ' ' || at(position_) == '\t')) ++position_;
    if (position_ >= length_) return false;

    const int32_t begin = position_;
    const uint8_t c = at(position_++);
    TokenKind kind = TokenKind::kOther;
    Keyword keyword = Keyword::kNone;
    if (c == ';') {
        kind = TokenKind::kComment;
        position_ = length_;
    } else if (c == '"') {
        kind = TokenKind::kString;
        while (position_ < length_ && at(position_) != '"') ++position_;
        if (position_ < length_) ++position_;  // the closing quote
    } else if (IsDigit(c)) {
        kind = TokenKind::kNumber;
        while (position_ < length_ && IsDigit(at(position_))) ++position_;
        if (position_ + 1 < length_ && at(position_) == '.' && IsDigit(at(position_ + 1))) {
            position_ += 2;
            while (position_ < length_ && IsDigit(at(position_))) ++position_;
        }
    } else if (IsLetter(c)) {
        while (position_ < length_ && IsNameByte(at(position_))) ++position_;
        keyword = FindKeyword(std::string_view(line_ + begin, static_cast<size_t>(position_ - begin)));
        kind = keyword == Keyword::kNone ? TokenKind::kName : TokenKind::kKeyword;
    }
    *token = {begin, position_, kind, keyword};
    return true;
}
