// Colouring of scripts: the keyword table and the one-line lexer, the runs of a row against a
// whole-line reference, the lines found for the view's rows, the script names and the derived
// colours.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "doc/kestrel.h"
#include "doc/syntax_shades.h"
#include "doc/text.h"
#include "tests/native/edit_fixture.h"

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
    // "pr\xD0c": 0xD0 | 0x20 would be 'p'.
    for (const char* other : {"", "endprocedure", "pr\xD0\x63"})
        EXPECT_EQ(FindKeyword(other), Keyword::kNone) << other;
}

constexpr char kShadeLetters[] = "PKSCN";

// The row as one shade letter a cell; the runs must cover it in order.
std::string Cells(const char* line, int32_t available, int32_t left, int32_t columns, int32_t tab = 8)
{
    std::vector<ShadeRun> runs(static_cast<size_t>(columns));
    const int32_t n = ShadeRow(line, available, left, columns, tab, runs.data());
    std::string out;
    for (int32_t i = 0; i < n; ++i) {
        if (runs[i].begin != static_cast<int32_t>(out.size()) || runs[i].end <= runs[i].begin) return "bad runs";
        out.append(static_cast<size_t>(runs[i].end - runs[i].begin), kShadeLetters[static_cast<int>(runs[i].shade)]);
    }
    return static_cast<int32_t>(out.size()) == columns ? out : "bad runs";
}

std::string LineCells(const std::string& line, int32_t left, int32_t columns, int32_t tab = 8)
{
    return Cells(line.data(), static_cast<int32_t>(line.size()), left, columns, tab);
}

TEST(SyntaxShades, RowsAreCutIntoRunsOfOneShade)
{
    // clang-format off
    const struct { const char* line; int32_t left, columns, tab; const char* cells; } rows[] = {
        {"", 0, 4, 8, "PPPP"},
        {"proc Main()", 0, 13, 8, "KKKKKPPPPPPPP"},       // the blank after a run joins it
        {"  if x", 0, 6, 8, "KKKKKP"},                    // so do blanks at the row's start
        {"x = \"a long string\" ; note", 6, 20, 8, "SSSSSSSSSSSSSSCCCCCC"},  // scrolled into a string
        {"a ; \"comment\" here", 5, 8, 8, "CCCCCCCC"},    // into a comment: no string in it
        {"x\t\"s\"", 0, 12, 8, "PPPPPPPPSSSS"},           // a tab's cells before the string
        {"\t\"s\"\t1", 4, 14, 4, "SSSSNNNNNNNNNN"},       // tabs counted from the line's start
        {"if\nproc", 0, 6, 8, "KKKKKK"},                  // the line ends at its LF
        {"if\r\n", 0, 4, 8, "KKPP"},                      // a CR is drawn plainly
        {"endprocX", 0, 7, 8, "PPPPPPP"},                 // a name the right edge cuts is no keyword
    };
    // clang-format on
    // The shades of inked cells are compared with the whole line lexed on random lines below,
    // keywords begun left of the view or cut by its right edge among them; these rows are about
    // blanks, tabs and line ends.
    for (const auto& r : rows) EXPECT_EQ(LineCells(r.line, r.left, r.columns, r.tab), r.cells) << r.line;
    EXPECT_EQ(LineCells("x", 0, 0), "");

    // Only the bytes up to the right edge and the margin are read, however long the line says
    // it is (the sanitizer build catches a read beyond the buffer).
    const int32_t columns = 40;
    std::vector<char> bytes(static_cast<size_t>(columns + kShadeMargin), 'a');
    bytes[0] = '"';
    EXPECT_EQ(Cells(bytes.data(), 1 << 30, 0, columns), std::string(columns, 'S'));
    std::vector<char> tabs(static_cast<size_t>(5 + kShadeMargin), '\t');
    EXPECT_EQ(Cells(tabs.data(), 1 << 30, 0, columns), std::string(columns, 'P'));
}

// The shade of every cell from the whole line lexed, and the cells that show a character.
void Reference(const std::string& line, int32_t left, int32_t columns, int32_t tab, std::string* shades,
               std::string* inked)
{
    shades->assign(static_cast<size_t>(columns), '?');
    inked->assign(static_cast<size_t>(columns), ' ');
    LineLexer lexer(line.data(), static_cast<int32_t>(line.size()));
    std::vector<char> byteShade(line.size(), 'P');
    for (Token t; lexer.Next(&t);) {
        const char letter = t.kind == TokenKind::kKeyword   ? 'K'
                            : t.kind == TokenKind::kString  ? 'S'
                            : t.kind == TokenKind::kComment ? 'C'
                            : t.kind == TokenKind::kNumber  ? 'N'
                                                            : 'P';
        for (int32_t i = t.begin; i < t.end; ++i) byteShade[static_cast<size_t>(i)] = letter;
    }
    int32_t column = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const uint8_t c = static_cast<uint8_t>(line[i]);
        const int32_t cell = column - left;
        if (c != ' ' && c != '\t' && cell >= 0 && cell < columns) {
            (*shades)[static_cast<size_t>(cell)] = byteShade[i];
            (*inked)[static_cast<size_t>(cell)] = 'x';
        }
        column = ColumnAdvance(column, c, tab);
    }
}

TEST(SyntaxShades, EveryInkedCellHasTheShadeOfItsTokenInTheWholeLine)
{
    const char* pieces[] = {"proc", "IF", "endif", "x", "name_9", " ", "  ", "\t", "\"", "\"str\"",
                            ";", "12", ".", "3.5", "(", "$", "wend"};
    std::mt19937 random(24);
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        const int n = static_cast<int>(random() % 40);
        for (int i = 0; i < n; ++i) line += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        const int32_t left = static_cast<int32_t>(random() % 30), columns = 1 + static_cast<int32_t>(random() % 30);
        const int32_t tab = 1 + static_cast<int32_t>(random() % 8);
        std::string shades, inked;
        Reference(line, left, columns, tab, &shades, &inked);
        const std::string got = LineCells(line, left, columns, tab);
        ASSERT_EQ(got.size(), shades.size()) << line;
        for (size_t c = 0; c < got.size(); ++c) {
            if (inked[c] != 'x') continue;
            ASSERT_EQ(got[c], shades[c]) << "cell " << c << " of [" << line << "] from " << left;
        }
    }
}

class ViewRowLinesTest : public EditFixture {
protected:
    // Each row's cells drawn again from the line ViewRowLines gives for it must be the row.
    void ExpectRowsMatch()
    {
        ViewRowLines lines(doc.get());
        for (int32_t r = 0; r < doc->rows; ++r) {
            int32_t available = 0;
            const char* line = lines.Line(r, &available);
            std::string cells(static_cast<size_t>(doc->columns), ' ');
            int32_t column = 0;
            for (int32_t p = 0; p < available && line[p] != '\n'; ++p) {
                const int32_t cell = column - doc->leftColumn;
                if (cell >= doc->columns) break;
                if (line[p] != '\t' && cell >= 0) cells[static_cast<size_t>(cell)] = line[p];
                column = ColumnAdvance(column, static_cast<uint8_t>(line[p]), doc->tabSize);
            }
            EXPECT_EQ(cells, Row(r)) << "row " << r;
        }
    }
};

TEST_F(ViewRowLinesTest, EachRowGetsTheLineItShowsAlsoPastAWorkingWindowsCut)
{
    Open("proc A\n\tif x\n\n\"str\" ; c\nlast", 8, 12);
    ExpectRowsMatch();
    ScrollRight(doc.get(), 3);
    ExpectRowsMatch();

    // A working window that ends inside the second line: that line goes on after the cut.
    std::string text(261500, 'x');
    text += "\n";
    std::string second(700, 'y');
    second += " proc endproc \"s\"";
    text += second + std::string(20000, 'z');
    Open(text, 4, 40, 16);
    doc->caretOffset = doc->anchorOffset = 0;
    OpenWorkingWindow(doc.get());
    ASSERT_TRUE(WindowCut(doc.get()));
    doc->leftColumn = 690;
    RedrawRows(doc.get(), 0, 0, doc->rows, doc->columns);
    ExpectRowsMatch();
    ViewRowLines lines(doc.get());
    int32_t available = 0;
    const char* line = lines.Line(1, &available);
    std::vector<ShadeRun> runs(40);
    const int32_t n = ShadeRow(line, available, doc->leftColumn, doc->columns, doc->tabSize, runs.data());
    ASSERT_EQ(n, 4);
    EXPECT_EQ(Join(runs[1].begin, runs[1].end, static_cast<int>(runs[1].shade)), "11 24 1");
    EXPECT_EQ(Join(runs[2].begin, static_cast<int>(runs[2].shade)), "24 2");
}

TEST(SyntaxShades, ScriptsAreKnownByTheirNamesEnd)
{
    const struct {
        const char* path;
        bool script;
    } rows[] = {{"C:\\A\\DEMO.KSR", true}, {"demo.ksr", true}, {"x.Inc", true}, {".ksr", true},
                {"", false}, {"KSR", false}, {"a.txt", false}, {"a.ksr.bak", false}, {"a.ks", false},
                {"dir.ksr\\file", false}};
    for (const auto& r : rows) EXPECT_EQ(IsScriptName(r.path), r.script) << r.path;
}

TEST(SyntaxShades, ColoursAreReadableOnTheWindowAndPlainUnderHighContrast)
{
    constexpr Rgb kBlack = 0x000000, kWhite = 0xFFFFFF, kNavy = 0x800000, kYellow = 0x00FFFF, kGrey = 0xC0C0C0;
    const struct {
        Rgb text, window;
    } schemes[] = {{kBlack, kWhite}, {kWhite, kBlack}, {kYellow, kNavy}, {kBlack, kGrey}, {kWhite, kNavy}};
    for (const auto& s : schemes) {
        Rgb colours[kShadeCount];
        DeriveShadeColours(s.text, s.window, false, colours);
        EXPECT_EQ(colours[0], s.text);
        for (int i = 1; i < kShadeCount; ++i) {
            EXPECT_GE(ContrastRatio(colours[i], s.window), kShadeContrast) << std::hex << s.window << " " << i;
            for (int j = 0; j < i; ++j) EXPECT_NE(colours[i], colours[j]) << std::hex << s.window << " " << i;
        }
        DeriveShadeColours(s.text, s.window, true, colours);
        for (Rgb c : colours) EXPECT_EQ(c, s.text);
    }
    // A text colour that barely shows keeps its shades no worse than itself.
    Rgb colours[kShadeCount];
    DeriveShadeColours(0x808080, 0x707070, false, colours);
    for (Rgb c : colours) EXPECT_GE(ContrastRatio(c, 0x707070), ContrastRatio(0x808080, 0x707070) - 1e-9);
}

}  // namespace
