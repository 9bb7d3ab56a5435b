// The KESTREL language as the editor sees one line of it: its keywords and a lexer that cuts
// a line into keywords, names, numbers, strings, a comment and single characters. Portable;
// the colouring, block matching and the stand-in compiler share it.
#pragma once

#include <cstdint>
#include <string_view>

enum class Keyword : int8_t {
    kNone = -1,
#define KESTREL_KEYWORD(word, name) k##name,
#include "doc/kestrel_keywords.def"
#undef KESTREL_KEYWORD
};

// The keywords in lower case, indexed by Keyword.
constexpr std::string_view kKeywordNames[] = {
#define KESTREL_KEYWORD(word, name) #word,
#include "doc/kestrel_keywords.def"
#undef KESTREL_KEYWORD
};
constexpr int kKeywordCount = static_cast<int>(sizeof kKeywordNames / sizeof kKeywordNames[0]);

// The keyword spelled by word in any case, or Keyword::kNone.
Keyword FindKeyword(std::string_view word);

enum class TokenKind : uint8_t {
    kName,     // a name that is no keyword: a letter or '_', then letters, digits, '_', '$'
    kKeyword,  // a name that is a keyword
    kNumber,   // digits, with one '.' and more digits after them
    kString,   // from '"' to the next '"' or the end of the line
    kComment,  // from ';' outside a string to the end of the line
    kOther,    // any other single character but blanks and tabs, which make no token
};

struct Token {
    int32_t begin;  // offset in the line
    int32_t end;    // one past the token's last byte
    TokenKind kind;
    Keyword keyword;  // for kKeyword, else Keyword::kNone
};

// Tokens of one line, left to right. The line holds no line break; a string that has no
// closing quote ends at the line's end. Any bytes are taken; bytes of 128 and above are kOther.
class LineLexer {
public:
    LineLexer(const char* line, int32_t length) : line_(line), length_(length > 0 ? length : 0) {}
    // The next token; false at the line's end.
    bool Next(Token* token);
    // Where the next token is looked for.
    int32_t position() const { return position_; }

private:
    const char* line_;
    int32_t length_;
    int32_t position_ = 0;
};
