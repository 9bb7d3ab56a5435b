// Block matching: the partner of a block keyword or bracket, Ctrl+] and Shift+Ctrl+] on a
// document, and the partner shown on screen.
#include <gtest/gtest.h>

#include <string>

#include "doc/blocks.h"
#include "tests/native/edit_fixture.h"

namespace {

// A text written with markers: '^' the caret, '{' and '}' around the partner expected.
struct Marked {
    std::string text;
    int32_t caret = -1, begin = -1, end = -1;
    explicit Marked(const char* marked)
    {
        for (const char* p = marked; *p; ++p) {
            const auto here = static_cast<int32_t>(text.size());
            if (*p == '^')
                caret = here;
            else if (*p == '{')
                begin = here;
            else if (*p == '}')
                end = here;
            else
                text += *p;
        }
    }
};

// "begin end" of the partner found in the whole text, or "none".
std::string Partner(const std::string& text, int32_t caret, int32_t from = 0, int32_t to = -1)
{
    TextSpan token{}, partner{};
    const auto length = static_cast<int32_t>(text.size());
    if (!FindBlockPartner(text.c_str(), length, caret, from, to < 0 ? length : to, &token, &partner))
        return "none";
    return Join(partner.begin, partner.end);
}

}  // namespace

TEST(BlockPartner, KeywordsPairInTheirFamilyAndBracketsOnTheirLine)
{
    const char* const rows[] = {
        // Keywords: the caret at a token's start, inside it, just behind it; any case.
        "^proc Main()\n\tx = 1\n{endproc}\n",
        "pr^oc Main()\n{endproc}",
        "{proc} Main()\nendproc^",
        "{PROC} Main()\n  EndProc^ ; done",
        "^func F(a)\n\treturn a\n{endfunc}\n",
        // Nesting of the same family is counted, either way; other families are not.
        "^while a\n\twhile b\n\twend\n{wend}\n",
        "{proc} A()\nproc B()\nendproc\n^endproc\n",
        "^while a\n\tif b then\n{wend}\nendif",
        // if -> else -> endif -> if, an inner if's else skipped.
        "^if a then\n\tx\n{else}\n\ty\nendif",
        "if a then\n\tx\n^else\n\ty\n{endif}",
        "{if} a then\n\tx\nelse\n\ty\n^endif",
        "^if a then\n\tif b then\n\telse\n\tendif\n{endif}",
        // A one-line if opens no block, also inside one; a comment after then is no statement.
        "^if a then b = 1\nendif",
        "^if a then\n\tif b then c = 1\n{endif}\nendif",
        "^if a then ; note\n{endif}",
        // Strings and comments are skipped; a keyword counts only as its line's first token.
        "^proc A()\n\tprint \"endproc\"\n\t; endproc\n\tx = 1 ; endproc\n\tprint wend\n{endproc}",
        "x = 1\nprint ^wend",
        // No partner, or no block token at the caret.
        "^proc A()\n\tx = 1\n",
        "^x = 1\nendproc",
        "proc A()  ^ \nendproc",
        "^",
        // Brackets: their own kind, on the caret's line only, not in strings or comments.
        "a = ^(b(c) + d{)}",
        "a = {(}b(c) + d^)",
        "x^[a[1] + b(2){]}",
        "^(\")\" [ {)} ; )",
        ") {(} ^)",
        "^(\n)",
        "f{(}x^) ; (",
        // The token under the caret before the one ending at it.
        "a(^(b{)})",
        "{(}x)^",
    };
    for (const char* row : rows) {
        const Marked m(row);
        const std::string expected = m.begin < 0 ? "none" : Join(m.begin, m.end);
        EXPECT_EQ(Partner(m.text, m.caret), expected) << row;
    }
}

// Lines outside [from, to) are not looked at: the visible rows' bounds. (That a partner's
// partner is the token again is checked on any bytes by fuzz_blocks.)
TEST(BlockPartner, WalksStayInsideTheirBoundsAndAMissingPartnerIsLookedForOverTheWholeText)
{
    const std::string text =
        "proc A()\n\twhile x[i(1)]\n\t\tif y then\n\t\telse\n\t\tendif\n\twend\nendproc\n";
    const auto length = static_cast<int32_t>(text.size());
    const int32_t wend = static_cast<int32_t>(text.find("wend"));
    const int32_t whileAt = static_cast<int32_t>(text.find("while"));
    EXPECT_EQ(Partner(text, whileAt, 9, wend - 1), "none");
    EXPECT_EQ(Partner(text, whileAt, 9, wend), Join(wend, wend + 4));
    EXPECT_EQ(Partner(text, wend, whileAt, length), "none");
    EXPECT_EQ(Partner(text, wend, whileAt - 1, length), Join(whileAt, whileAt + 5));
    // A proc whose endproc never comes, and a wend without its while, in a long script: the
    // walk crosses every line (its cost is measured by make bench).
    std::string script = "proc Main()\n";
    const std::string line = "\tif count > 0 then ; a line of a long script\n\t\tx = \"endproc\"\n";
    while (script.size() < (1u << 20)) script += line;
    script += "wend\n";
    EXPECT_EQ(Partner(script, 0), "none");
    EXPECT_EQ(Partner(script, static_cast<int32_t>(script.size()) - 5), "none");
}

namespace {

using BlockCommandTest = EditFixture;

std::string Script()
{
    std::string text = "; a script\nproc Main()\n";
    for (int i = 0; i < 500; ++i)
        text += i % 100 == 50 ? "\twhile x\n\tif y then\n\tendif\n\twend\n" : "\tx = 1\n";
    return text + "endproc\n";
}

}  // namespace

TEST_F(BlockCommandTest, MatchMovesTheCaretAndSelectToMatchHighlightsBothTokensWhole)
{
    const std::string text = Script();
    Open(text, 20, 40);
    const auto proc = static_cast<int32_t>(text.find("proc"));
    const auto endproc = static_cast<int32_t>(text.rfind("endproc"));
    Click(proc + 2);
    ASSERT_TRUE(MatchBlock(doc.get(), false));
    const int32_t endLine = CountLineEnds(doc->text, 0, endproc) + 1;
    EXPECT_EQ(Join(doc->caretOffset, screen.statusLine, screen.statusColumn, doc->gridFlags & kGridHighlight),
              Join(endproc, endLine, 1, 0));
    EXPECT_TRUE(doc->caretRow >= 0 && doc->caretRow < doc->rows) << doc->caretRow;
    // Back from there: from endproc's end to proc's start, both whole. (Match Block back and
    // Select to Match forwards are checked end to end.)
    ASSERT_TRUE(MatchBlock(doc.get(), true));
    EXPECT_EQ(Join(doc->anchorOffset, doc->caretOffset, doc->topLine, screen.statusLine, screen.statusColumn,
                   doc->gridFlags & kGridHighlight),
              Join(endproc + 7, proc, 1, 2, 1, kGridHighlight));
    // The highlight's cells stand for the anchor's and the caret's bytes, though the view moved.
    EXPECT_EQ(Join(doc->selAnchorRow, doc->selAnchorColumn, doc->selEndRow, doc->selEndColumn),
              Join(endLine - 1 - doc->topLine, 7, doc->caretRow, doc->caretColumn));
    // Typing replaces the selection whole.
    Type("x");
    EXPECT_EQ(Whole(), "; a script\nx\n");

    // No partner: nothing moves, the highlight stays.
    Open("proc A()\n\tx = (1\n", 5, 40);
    Select(0, 4);
    EXPECT_FALSE(MatchBlock(doc.get(), true));
    EXPECT_EQ(Join(doc->anchorOffset, doc->caretOffset, doc->gridFlags & kGridHighlight),
              Join(0, 4, kGridHighlight));
    Click(14);
    EXPECT_FALSE(MatchBlock(doc.get(), false));
    EXPECT_EQ(doc->caretOffset, 14);
}

TEST_F(BlockCommandTest, ThePartnerShownIsLookedForOnTheVisibleRowsAndDrawnAtItsCells)
{
    Open("x\nproc A()\n\tif a then\nb = (c)\n\tendif\nendproc\n", 5, 12);
    TextSpan partner{};
    Cell first{};
    int32_t count = 0;
    const auto cells = [&] {
        return CellsOfSpan(doc.get(), partner, &first, &count) ? Join(first.row, first.column, count) : "off";
    };
    Click(13);  // the if: its endif is on the last visible row, drawn after a tab
    ASSERT_TRUE(VisibleBlockPartner(doc.get(), &partner));
    EXPECT_EQ(cells(), "4 8 4");  // clipped at the twelfth column
    Click(2);                     // proc: its endproc is below the view
    EXPECT_FALSE(VisibleBlockPartner(doc.get(), &partner));
    Click(26);  // the bracket before c
    ASSERT_TRUE(VisibleBlockPartner(doc.get(), &partner));
    EXPECT_EQ(cells(), "3 6 1");
    ScrollDown(doc.get(), 2);
    EXPECT_EQ(cells(), "1 6 1");  // the same bytes, two rows up
    ScrollDown(doc.get(), 2);
    EXPECT_EQ(cells(), "off");
    Click(0);
    EXPECT_FALSE(VisibleBlockPartner(doc.get(), &partner));  // x is no block token
}
