// The compiler's option text: the normaliser's token rules, the switches it takes out, the
// stored "Options" value and its reading back, and the compile command's arguments.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "compile/compiler_options.h"
#include "tests/native/doc_helpers.h"

namespace {

TEST(CompilerOptions, NormalizerKeepsTokensAndTakesSwitchesStoredTextReadsBackAndArgumentsQuoteThePath)
{
    // clang-format off
    const struct { const char* in; bool take; const char* out; int debug, map, level, max; } table[] = {
        {"/Z /ML /W2 /E50 /DDEBUG", true, "/DDEBUG", 1, 2, 2, 50},
        {"/z /m /w0 /e5", true, "", 1, 1, 0, 5},
        {"/EXPORT", true, "/EXPORT", 0, 0, 1, 20},          // /EX is ordinary text
        {"/W7 /Wx", true, "", 0, 0, 1, 20},                  // removed, level unchanged
        {"/E 25", true, "25", 0, 0, 1, 25},                  // the number after a blank counts and stays
        {"/E-5 /E", true, "", 0, 0, 1, 0},                   // negative: unchanged; none: 0
        {"/E99999999999 a", true, "a", 0, 0, 1, 2147483647},  // saturates instead of overflowing
        {"/Q / a/Z", true, "/Q / a/Z", 0, 0, 1, 20},          // other letters, none, not at a token start
        {"/Z /ML", false, "/Z /ML", 0, 0, 1, 20},
        {"  a   b  ", false, "a b ", 0, 0, 1, 20},
        {"a\t\tb\t", true, "a b ", 0, 0, 1, 20},
        {"\"a b\" c", true, "\"ab\" c", 0, 0, 1, 20},       // blanks inside quotes go
        {"\"a `\" b\" c", true, "\"a`\"b\" c", 0, 0, 1, 20},  // a backquoted quote keeps the section
        {"/Z\"x y\"z w", true, "w", 1, 0, 1, 20},           // the whole switch token, quotes and all
        {"x\"open", true, "x\"open", 0, 0, 1, 20},
        {"", true, "", 0, 0, 1, 20},
    };
    // clang-format on
    for (const auto& row : table) {
        SCOPED_TRACE(row.in);
        CompilerOptions o;
        char out[128];
        NormalizeOptions(out, sizeof out, row.in, row.take, &o);
        EXPECT_EQ(Join(out, o.debugInfo, o.mapFile, o.warningLevel, o.maxErrors),
                  Join(row.out, row.debug, row.map, row.level, row.max));
        char small[4];  // a short buffer is filled and ended, never passed
        NormalizeOptions(small, sizeof small, row.in, row.take, &o);
        EXPECT_EQ(std::string(small), std::string(row.out).substr(0, 3));
    }
    // The stored text, built and read back.
    CompilerOptions fresh;
    char text[300];
    BuildOptionsText(text, sizeof text, fresh);
    EXPECT_STREQ(text, "/W1 /E20 ");

    CompilerOptions o;
    o.debugInfo = 1, o.mapFile = 2, o.warningLevel = 0, o.maxErrors = 999;
    std::snprintf(o.savedOptions, sizeof o.savedOptions, "%s", "  /Z   /DX=1  \"a b\"");
    BuildOptionsText(text, sizeof text, o);
    EXPECT_STREQ(text, "/Z /ML /W0 /E999 /Z /DX=1 \"ab\"");
    // Read back, the typed /Z is the check box again and gone from the saved line.
    CompilerOptions back;
    ParseOptionsText(text, &back);
    EXPECT_EQ(Join(back.debugInfo, back.mapFile, back.warningLevel, back.maxErrors, back.savedOptions),
              "1 2 0 999 /DX=1 \"ab\"");

    // An empty value changes nothing; a long tail is cut to 80 characters.
    ParseOptionsText("", &back);
    EXPECT_STREQ(back.savedOptions, "/DX=1 \"ab\"");
    const std::string tail = "/W2 " + std::string(100, 'x');
    ParseOptionsText(tail.c_str(), &back);
    EXPECT_EQ(Join(back.savedOptions, back.warningLevel), std::string(80, 'x') + " 2");

    // The compile command's arguments quote the path.
    for (auto [options, line] :
         {std::pair{"", "/H812,600  \"C:\\S\\A.KSR\""}, {"/DX=1", "/H812,600 /DX=1 \"C:\\S\\A.KSR\""}}) {
        FormatCompileArguments(text, sizeof text, 812, options, "C:\\S\\A.KSR");
        EXPECT_STREQ(text, line);
    }
}

}  // namespace
