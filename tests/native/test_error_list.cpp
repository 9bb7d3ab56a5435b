// Compile errors in the editor: the error file's lines and where their paths lead, and the fault
// marks following their lines through edits.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compile/error_list.h"
#include "doc/fault_marks.h"
#include "doc/undo.h"
#include "tests/native/edit_fixture.h"

namespace {

std::string Shown(const std::vector<ErrorEntry>& entries)
{
    std::string all;
    for (const ErrorEntry& e : entries)
        all += e.path + "|" + std::to_string(e.line) + "|" + std::to_string(e.column) + "|" + e.message + "\n";
    return all;
}

TEST(ErrorFile, EachFormOfPlaceIsReadRelativePathsJoinTheScriptsFolderAndOtherLinesAreLeftOut)
{
    // clang-format off
    const struct { const char* in; const char* out; } table[] = {
        {"C:\\S\\A.KSR(3): unterminated string", "C:\\S\\A.KSR|3|0|unterminated string"},
        {"C:\\S\\A.KSR(3,7): x", "C:\\S\\A.KSR|3|7|x"},
        {"C:\\S\\A.KSR:12: msg", "C:\\S\\A.KSR|12|0|msg"},
        {"C:\\S\\A.KSR:12:5: msg", "C:\\S\\A.KSR|12|5|msg"},
        {"C:\\S\\A.KSR:12: 5: msg", "C:\\S\\A.KSR|12|0|5: msg"},
        {"KESTREL.INC(4): unknown keyword 'x'", "C:\\S\\KESTREL.INC|4|0|unknown keyword 'x'"},
        {"sub/X.INC:2: m", "C:\\S\\sub/X.INC|2|0|m"},
        {"\\LIB\\X.INC(2): m", "C:\\LIB\\X.INC|2|0|m"},
        {"\\\\SRV\\SH\\X.INC(2): m", "\\\\SRV\\SH\\X.INC|2|0|m"},
        {"D:X.INC(2): m", "D:X.INC|2|0|m"},
        // brackets and colons in paths and messages: the leftmost place counts
        {"C:\\My (old) files\\x (2).ksr(9): bad (1): thing", "C:\\My (old) files\\x (2).ksr|9|0|bad (1): thing"},
        {"x.ksr:3: call f(2): bad", "C:\\S\\x.ksr|3|0|call f(2): bad"},
        {"  A.KSR (3) :  spaced  ", "C:\\S\\A.KSR|3|0|spaced"},
        {"A.KSR(3):", "C:\\S\\A.KSR|3|0|"},
        // no place
        {"A.KSR(0): line 0", ""},
        {"A.KSR(2147483648): too far", ""},
        {"A.KSR(2147483647): far", "C:\\S\\A.KSR|2147483647|0|far"},
        {"(3): no path", ""},
        {"A.KSR(3,): m", ""},
        {"A.KSR(3) m", ""},
        {"A.KSR:3 m", ""},
        {"Compiling C:\\S\\A.KSR", ""},
        {"", ""},
    };
    // clang-format on
    for (const auto& row : table) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(Shown(ParseErrorFile(row.in, "C:\\S\\A.KSR")), row.out[0] ? std::string(row.out) + "\n" : "");
    }
    // Both line ends, a last line without one, and a script without a folder.
    EXPECT_EQ(Shown(ParseErrorFile("A(1): a\r\nbanner\nB:2: b\r\r\nC(3): c", "S.KSR")),
              "A|1|0|a\nB|2|0|b\nC|3|0|c\n");
    // A line far longer than any buffer.
    const std::string longPath(100000, 'p');
    EXPECT_EQ(ParseErrorFile(longPath + "(5): m", "").at(0).path, longPath);

    EXPECT_EQ(FillIn("Error %1 of %2: %3 %4 %", {"1", "9", "bad"}), "Error 1 of 9: bad  %");
}

class FaultMarks : public EditFixture {
protected:
    // The marked lines, each checked against the text: its offsets are its line's.
    std::string Marked()
    {
        CloseWorkingWindow(doc.get());
        std::string lines;
        for (int32_t i = 0; i < doc->faultMarkCount; ++i) {
            const FaultMark& m = doc->faultMarks[i];
            EXPECT_EQ(CountLineEnds(doc->text, 0, m.start) + 1, m.line);
            EXPECT_TRUE(m.start == 0 || doc->text[m.start - 1] == '\n');
            EXPECT_TRUE(m.end == doc->length || doc->text[m.end] == '\n');
            EXPECT_EQ(CountLineEnds(doc->text, m.start, m.end), 0);
            lines += (lines.empty() ? "" : ",") + std::to_string(m.line);
        }
        return lines;
    }
    void Mark(std::vector<FaultPlace> places)
    {
        ASSERT_TRUE(SetFaultMarks(doc.get(), places.data(), static_cast<int32_t>(places.size())));
    }
};

TEST_F(FaultMarks, FollowTheirLinesThroughEditsAboveAndGoWhenTheLineItselfChanges)
{
    const std::string text = "a\nbb\nccc\ndd\ne";  // lines 2 and 4 marked, 5 (no LF) too
    const struct { const char* what; std::function<void()> edit; const char* marked; } table[] = {
        {"typing on line 1", [&] { Click(0), Type("x"); }, "2,4,5"},
        {"Enter at the end of line 1", [&] { Click(1), Type("\r"); }, "3,5,6"},
        {"Enter at the start of line 2", [&] { Click(2), Type("\r"); }, "3,5,6"},
        {"typing on line 2", [&] { Click(3), Type("x"); }, "4,5"},
        {"typing at the end of line 2", [&] { Click(4), Type("x"); }, "4,5"},
        {"typing at the end of the text", [&] { Click(13), Type("x"); }, "2,4"},
        {"Delete joining line 2 to line 1", [&] { Click(1), TypeKey(doc.get(), kKeyDelete); }, "3,4"},
        {"Backspace at the start of line 2 (joins nothing)", [&] { Click(2), TypeKey(doc.get(), kKeyBackspace); }, "2,4,5"},
        {"Backspace on line 2", [&] { Click(4), TypeKey(doc.get(), kKeyBackspace); }, "4,5"},
        {"Delete joining line 3 to line 2", [&] { Click(4), TypeKey(doc.get(), kKeyDelete); }, "3,4"},
        {"line 1 deleted whole", [&] { Select(0, 2), TypeKey(doc.get(), kKeyDelete); }, "1,3,4"},
        {"lines 1 to 3 deleted whole", [&] { Select(0, 9), TypeKey(doc.get(), kKeyDelete); }, "1,2"},
        {"a selection from line 1 into line 3", [&] { Select(1, 6), TypeKey(doc.get(), kKeyDelete); }, "2,3"},
        {"two lines put in front of line 4", [&] { Click(9), InsertString(doc.get(), "x\ny\n"); }, "2,6,7"},
        {"two lines put inside line 4", [&] { Click(10), InsertString(doc.get(), "x\ny\n"); }, "2,7"},
        {"typing undone", [&] { Click(3), Type("x"), Undo(doc.get()); }, "4,5"},
        {"line 1 deleted, then undone", [&] { Select(0, 2), TypeKey(doc.get(), kKeyDelete), Undo(doc.get()); }, "2,4,5"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        Open(text);
        Mark({{4, 1}, {2, 0}, {5, 2}});
        ASSERT_EQ(Marked(), "2,4,5");
        row.edit();
        EXPECT_EQ(Marked(), row.marked);
    }
}

TEST_F(FaultMarks, LinesPastTheTextAreNotMarkedAndEachFaultFindsItsLine)
{
    Open("a\nb\nc\n");
    Mark({{9, 0}, {2, 1}, {2, 2}, {0, 3}, {4, 4}});
    EXPECT_EQ(Marked(), "2,2,4");  // line 4 is the empty one after the last LF
    EXPECT_EQ(Join(FaultMarkLine(doc.get(), 1), FaultMarkLine(doc.get(), 0)), "2 0");
    Click(0), Type("\r");
    EXPECT_EQ(Join(FaultMarkLine(doc.get(), 2), FirstFaultMarkFrom(doc.get(), 5), FirstFaultMarkFrom(doc.get(), 6)),
              "3 2 3");
    ClearFaultMarks(doc.get());
    EXPECT_EQ(Marked(), "");
}

}  // namespace
