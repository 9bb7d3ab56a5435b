// The KESTREL keyword table and the one-line lexer.
#include <gtest/gtest.h>

#include <string>

#include "doc/kestrel.h"

namespace {

// "K:proc N:Main O:( O:)": each token as its kind's letter and its bytes.
std::string Tokens(const std::string& line)
{
    static const char kLetters[] = "NKDSCO";
    std::string out;
    LineLexer lexer(line.data(), static_cast<int32_t>(line.size()));
    for (Token t; lexer.Next(&t);) {
        if (!out.empty()) out += ' ';
        out += kLetters[static_cast<int>(t.kind)];
        out += ':';
        out += line.substr(static_cast<size_t>(t.begin), static_cast<size_t>(t.end - t.begin));
        if ((t.kind == TokenKind::kKeyword) != (t.keyword != Keyword::kNone)) out += "<bad keyword>";
    }
    return out;
}

TEST(KestrelTest, LexerCutsLinesIntoTokens)
{
    const struct {
        const char* line;
        const char* tokens;
    } rows[] = {
        {"", ""},
        {" \t ", ""},
        {"proc Main()", "K:proc N:Main O:( O:)"},
        {"ENDPROC", "K:ENDPROC"},  // keywords in any case
        {"EndIf ; done", "K:EndIf C:; done"},
        {"print \"a;b\" ; c \"d", "K:print S:\"a;b\" C:; c \"d"},  // ';' inside a string is text
        {"x$ = \"open", "N:x$ O:= S:\"open"},                      // a string ends at the line's end
        {"\"\"\"\"", "S:\"\" S:\"\""},
        {"wait 12.5 + 3. + .4", "K:wait D:12.5 O:+ D:3 O:. O:+ O:. D:4"},
        {"n1 = 2x", "N:n1 O:= D:2 N:x"},
        {"ifx if_ _if procs print$", "N:ifx N:if_ N:_if N:procs N:print$"},  // no keyword inside a name
        {"a[i] = b(1)", "N:a O:[ N:i O:] O:= N:b O:( D:1 O:)"},
        {"\xC4pfel", "O:\xC4 N:pfel"},
        {";", "C:;"},
    };
    for (const auto& row : rows) EXPECT_EQ(Tokens(row.line), row.tokens) << row.line;
}

TEST(KestrelTest, EveryKeywordIsFoundInAnyCaseAndNothingElse)
{
    for (int k = 0; k < kKeywordCount; ++k) {
        std::string word(kKeywordNames[k]);
        EXPECT_EQ(FindKeyword(word), static_cast<Keyword>(k)) << word;
        for (char& c : word) c = static_cast<char>(c - 'a' + 'A');
        EXPECT_EQ(FindKeyword(word), static_cast<Keyword>(k)) << word;
        EXPECT_EQ(FindKeyword(word + "x"), Keyword::kNone) << word;
        EXPECT_EQ(FindKeyword(word.substr(1)), Keyword::kNone) << word;
    }
    EXPECT_EQ(FindKeyword(""), Keyword::kNone);
    EXPECT_EQ(FindKeyword("endprocedure"), Keyword::kNone);
    EXPECT_EQ(FindKeyword("pr\xD0"
                          "c"),
              Keyword::kNone);  // 0xD0 | 0x20 would be 'p'
}

}  // namespace
