// The stand-in compiler's rules: its command line, the lexical faults it finds (and that the
// sample scripts have none), the include files it follows, and the lines and name of the error
// file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/native/doc_helpers.h"
#include "tools/compiler/compiler_rules.h"

namespace {

using Faults = std::vector<std::pair<int, std::string>>;

Faults Check(const std::string& text)
{
    Faults out;
    for (const Fault& f : CheckScript(text)) out.emplace_back(f.line, f.message);
    return out;
}

TEST(CompilerCheck, FindsEachLexicalFaultAtItsLineAndNoneInTheSamplesAndFollowsIncludes)
{
    // clang-format off
    const struct { const char* what; const char* text; Faults faults; } table[] = {
        {"statements, assignments and calls", "\tPRINT 1\nname$ = \"x\"\na[2] = 1\nPause(1)\nMain\n\n", {}},
        {"semicolon in a string", "print \"a;b\"\n", {}},
        {"quote and bracket in a comment", "print 1 ; \"x (\n; \"y\n", {}},
        {"brackets in a string", "print \"((]\"\n", {}},
        {"unterminated string", "print 1\r\nprint \"x\r\n", {{2, "unterminated string"}}},
        {"closer without opener", "print (1))\n", {{1, "unbalanced ')'"}}},
        {"closer of the other kind", "x = a[1)\n", {{1, "mismatched ')'"}}},
        {"opener left open on its line", "x = (1\ny = 2)\n", {{1, "unclosed '('"}, {2, "unbalanced ')'"}}},
        {"proc without its end", "proc A()\n\tprint 1\n", {{1, "'proc' without 'endproc'"}}},
        {"end without its proc", "endfunc\n", {{1, "'endfunc' without 'func'"}}},
        {"proc inside a proc", "proc A()\nproc B()\nendproc\n", {{1, "'proc' without 'endproc'"}}},
        {"func ended as a proc", "func F()\nendproc\n", {{1, "'func' without 'endfunc'"}, {2, "'endproc' without 'proc'"}}},
        {"unknown keyword", "pritn \"x\"\n", {{1, "unknown keyword 'pritn'"}}},
        {"one lexical fault a line", "pritn \"x\n", {{1, "unterminated string"}}},
        {"no statement", "123\n= 3", {{1, "statement expected"}, {2, "statement expected"}}},
    };
    // clang-format on
    for (const auto& c : table) EXPECT_EQ(Check(c.text), c.faults) << c.what;

    // The sample scripts have no faults.
    for (const char* name : {"DEMO.KSR", "KESTREL.INC"}) {
        std::ifstream in(std::string(ZAVODO_SAMPLES_DIR) + "/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::ostringstream text;
        text << in.rdbuf();
        EXPECT_EQ(Check(text.str()), Faults{}) << name;
    }
    // The files it goes on to check: each include statement's name, with its line.
    std::string names;
    for (const Include& include :
         IncludedFiles("include \"a.inc\"\r\n  INCLUDE  \"sub\\b.inc\" ; c\n; include \"no\"\ninclude x\ninclude \"\"\n"))
        names += std::to_string(include.line) + ":" + include.name + " ";
    EXPECT_EQ(names, "1:a.inc 2:sub\\b.inc ");
}

TEST(CompilerCommandLine, TakesFrameIdOptionsAndTheLastQuotedPathAndTheErrorFileSitsBesideIt)
{
    const InvocationError ok = InvocationError::None, frame = InvocationError::BadFrame,
                          path = InvocationError::BadPath;
    // A frame of 0, an id outside 1..65535 and an empty or quoted path are never accepted, as
    // fuzz_compiler_rules checks. The frame, id, options and path count only when accepted.
    // clang-format off
    const struct { const char* line; InvocationError error; uint64_t frame = 0; unsigned id = 0; const char *options = "", *path = ""; } table[] = {
        {"ZURIRIRU.EXE /H1234,600  \"C:\\A\\B.KSR\"", ok, 1234, 600, "", "C:\\A\\B.KSR"},
        {"\"C:\\P Q\\ZURIRIRU.EXE\" /h7,600 /X  /D\"y\" \"C:\\A B\\C.KSR\"  ", ok, 7, 600, "/X  /D\"y\"", "C:\\A B\\C.KSR"},
        {"Z /H18446744073709551615,65535 \"p\"", ok, UINT64_MAX, 65535, "", "p"},
        {"", frame}, {"Z \"p\"", frame}, {"Z /H,600 \"p\"", frame}, {"Z /H12 \"p\"", frame},
        {"Z /H18446744073709551616,600 \"p\"", frame}, {"Z /H12,600x \"p\"", frame},
        {"Z /H12,600", path}, {"Z /H12,600 \"p", path},
    };
    // clang-format on
    for (const auto& c : table) {
        Invocation got;
        ASSERT_EQ(ParseInvocation(c.line, &got), c.error) << c.line;
        if (c.error != ok) continue;
        EXPECT_EQ(Join(got.frame, got.commandId, got.options, got.path),
                  Join(c.frame, c.id, c.options, c.path))
            << c.line;
    }

    // The error file sits beside the script, with one CR LF line a fault; it is never the
    // script itself, whatever the case of its extension or the dots and blanks after it.
    // clang-format off
    const std::pair<const char*, const char*> errorFiles[] = {
        {"C:\\D\\N.KSR", "C:\\D\\N.ERR"}, {"C:\\D.X\\NAME", "C:\\D.X\\NAME.ERR"}, {"N.A.KSR", "N.A.ERR"},
        {"C:N", "C:N.ERR"}, {"C:\\D\\N.ERR", "C:\\D\\N.ERR.ERR"}, {"n.err", "n.err.ERR"},
        {"N.ERR ", "N.ERR .ERR"}, {"N.ERR.", "N.ERR.ERR"}, {"N.ERRS", "N.ERR"}};
    // clang-format on
    for (auto [script, errors] : errorFiles) EXPECT_EQ(ErrorFileName(script), errors) << script;
    EXPECT_EQ(ErrorLine("C:\\D\\N.KSR", {12, "unterminated string"}),
              "C:\\D\\N.KSR(12): unterminated string\r\n");
}

}  // namespace
