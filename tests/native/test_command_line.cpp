// Splitting the command line into arguments, and the start-up switches' rules (the list's
// block layout, its failed allocations and that it leaks nothing are checked by
// fuzz_command_line).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

std::vector<std::string> Split(const std::string& line)
{
    ArgumentList* list = SplitCommandLine(line.c_str());
    EXPECT_NE(list, nullptr);
    std::vector<std::string> args;
    if (!list) return args;
    for (int i = 0; i < list->count; ++i) args.emplace_back(Argument(list, i));
    EXPECT_EQ(Argument(list, list->count), nullptr);
    FreeArgumentList(list);
    return args;
}

TEST(CommandLine, SplitsAsQuotedAndBlankRulesSayAndClassifiesTheSwitches)
{
    const std::string a300(300, 'a'), b300(300, 'b');
    std::string words;  // w1 .. w25
    std::vector<std::string> first20;
    for (int k = 1; k <= 25; ++k) {
        words += "w" + std::to_string(k) + " ";
        if (k <= 20) first20.push_back("w" + std::to_string(k));
    }
    // clang-format off
    const struct { std::string line; std::vector<std::string> args; } cases[] = {
        {" \t ", {}}, {"\"my file.ksr\"", {"my file.ksr"}}, {"a\"b c\"d", {"ab cd"}}, {"\"\"", {""}},
        {"\\\"x", {"\"x"}}, {"\"a\\\"b\" c\\d", {"a\"b", "c\\d"}}, {"  one\t\ttwo  three ", {"one", "two", "three"}},
        {"/G12 \"open end", {"/G12", "open end"}}, {"x \"", {"x", ""}}, {words, first20},
        {words.substr(0, words.find("w21")) + "\"", first20}, {a300 + " " + b300 + " " + a300, {a300, b300, a300}},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Split(c.line), c.args) << c.line;
    // The start-up switches and the /G line number.
    // clang-format off
    const struct { const char* arg; ArgumentKind kind; } kinds[] = {{"/G12", ArgumentKind::GotoOption},   {"/N", ArgumentKind::NewOption},
                 {"/X", ArgumentKind::OtherOption},   {"/", ArgumentKind::OtherOption},
                 {"file.ksr", ArgumentKind::FileName}, {"a/G", ArgumentKind::FileName}};
    const struct { const char* arg; int line; } lines[] = {{"/G12", 12}, {"/G", 99}, {"/GABC", 0}, {"/G -5", -5}, {"/G+7x", 7}, {"/G\t 30", 30},
                 {"/G- 4", 0}, {"/G99999999999", INT_MAX}, {"/G-99999999999", INT_MIN},
                 {"/G2147483647", INT_MAX}, {"/G-2147483648", INT_MIN}};
    // clang-format on
    for (const auto& k : kinds) EXPECT_EQ(Classify(k.arg), k.kind) << k.arg;
    for (const auto& l : lines) EXPECT_EQ(ParseGotoLine(l.arg + 2, 99), l.line) << l.arg;
}

}  // namespace
