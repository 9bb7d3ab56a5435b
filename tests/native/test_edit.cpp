// Typing, overwrite, Backspace, Delete, Enter with indentation, strings and selections.
#include <gtest/gtest.h>

#include "doc/keys.h"
#include "doc/undo.h"
#include "tests/native/edit_fixture.h"

namespace {

// Keys as Type sends them: the bytes themselves, and these.
const char kDel[] = "\x01", kBs[] = "\b";

class EditTest : public EditFixture {};

}  // namespace

TEST_F(EditTest, KeysAtTheCaretAndTheRowsTheyRedraw)
{
    // A shown selection from the anchor when it is not negative; view: whether the click scrolled
    // sideways, then the left column and the top line after the keys. Backspace at a line start, and on a
    // selection removes only it; Enter copies the indentation of the line above, unless automatic indentation
    // is off, scrolls back from the side and on the bottom row by one line.
    const std::string as = std::string(100, 'a') + "\n", lines = NumberedLines(20);
    // clang-format off
    const struct { std::string text; int32_t anchor, click; std::string keys, expect; const char *at, *view; } cases[] = {
        {"ab\ncd", -1, 3, kBs, "ab\ncd", "3@1:0", "0 0 0"},
        {"hello world", 2, 8, kBs, "herld", "2@0:2", "0 0 0"},
        {as, -1, 60, "\n", std::string(as).insert(60, "\n"), "61@1:0", "1 0 0"},
        {lines, -1, 12 * 4 + 3, "\n", std::string(lines).insert(51, "\n"), "52@4:0", "0 0 1"},
        {"    abc\n", -1, 5, "\r", "    a\n    bc\n", "10@1:4", "0 0 0"},
        {"\t x\n", -1, 3, "\n\n", "\t x\n\t \n\t \n", "9@2:9", "0 0 0"}};
    // clang-format on
    for (const auto& c : cases) {
        Open(c.text, 5, 20);
        c.anchor < 0 ? Click(c.click) : Select(c.anchor, c.click);
        const int32_t left = doc->leftColumn;
        Type(c.keys);
        const std::string text = Text(doc.get()), at = At();
        const bool modified = doc->docFlags & kDocModified, shown = doc->gridFlags & kGridHighlight;
        const bool drawn = Rows() == FreshRows();
        EXPECT_EQ(Join(text, at, shown, modified == (text != c.text), drawn, left > 0, doc->leftColumn,
                       doc->topLine),
                  Join(c.expect, c.at, 0, 1, 1, c.view))
            << c.text << " from the left column " << left;
    }
    g_core.settings.autoIndent = 0;
    Type("\n");
    EXPECT_EQ(Text(doc.get()), "\t x\n\t \n\t \n\n");
    // A typed character redraws the caret row from its column; Delete at the end redraws nothing.
    Open("abc\ndef\n");
    Click(5);
    screen.invalidated.clear();
    Type("X");
    EXPECT_EQ(Text(doc.get()), "abc\ndXef\n");
    ASSERT_FALSE(screen.invalidated.empty());
    const CellRect r = screen.invalidated.back();
    EXPECT_EQ(Join(r.top, r.bottom, r.left, Row(1).substr(0, 4), screen.statusColumn), "1 2 1 dXef 3");
    Click(9);
    screen.invalidated.clear();
    Type(kDel);
    EXPECT_TRUE(screen.invalidated.empty());
}

TEST_F(EditTest, InsertStringGrowsByTheShortfallAndRecordsEvenWhenEmpty)
{
    Open("abc", 10, 40, 0);
    Click(1);
    ASSERT_TRUE(InsertString(doc.get(), "12345"));
    EXPECT_EQ(Join(Text(doc.get()), doc->capacity), "a12345bc 1027");  // 3 + 5 + 2 - 3 = 7, at least 1024
    doc->docFlags = 0;
    ASSERT_TRUE(InsertString(doc.get(), ""));
    EXPECT_EQ(Join(Text(doc.get()), doc->docFlags & kDocModified), Join("a12345bc", kDocModified));
    ASSERT_EQ(doc->undoNext, 2);
    EXPECT_EQ(Join(doc->undoLog[1].kind, doc->undoLog[1].data.copy), Join(kUndoInsertString, ""));
    ASSERT_TRUE(InsertString(doc.get(), std::string(3000, 'q').c_str()));
    EXPECT_EQ(doc->capacity, 1027 + (8 + 3000 + 2 - 1027));
}

// Going on without undo information over all answers and steps is the out-of-memory sweep's;
// here No over a shown selection, either way round: the key does nothing, and the caret, the
// anchor and the highlight stay as they were.
TEST_F(EditTest, NoToGoingOnWithoutUndoKeepsASelectionShownAndSelected)
{
    Open("abcdef");
    Click(2);
    Type("x");  // a record exists
    screen.messageAnswer = kAnswerNo;
    for (auto [anchor, caret] : {std::pair{0, 3}, {5, 1}}) {
        Select(anchor, caret);
        FailAllocationsFrom(AllocationCalls() + 1);
        Type("Q");
        EXPECT_EQ(
            Join(Text(doc.get()), doc->anchorOffset, At(), doc->gridFlags & kGridHighlight),
            Join("abxcdef", anchor, std::to_string(caret) + "@0:" + std::to_string(caret), kGridHighlight));
    }
}

TEST_F(EditTest, ReplaceAtCaretPutsTheReplacementForTheMatchInTwoRecords)
{
    Open("one two one");
    SetSearch("one", "three");
    Click(0);
    ReplaceAtCaret(doc.get());
    EXPECT_EQ(Join(Text(doc.get()), doc->undoNext), "three two one 2");
}

// Typed character codes: control codes that no key edits with type nothing, the others edit or
// insert. Select All then highlights the whole text, taller than the view, and the next key
// replaces all of it.
TEST_F(EditTest, ControlCodesTypeNothingAndAfterSelectAllTheNextKeyReplacesEverything)
{
    // clang-format off
    const std::pair<uint8_t, const char*> codes[] = {
        {1, "ab|c"}, {0x11, "ab|c"}, {0x13, "ab|c"}, {27, "ab|c"}, {127, "ab|c"}, {31, "ab|c"}, {0, "ab|c"},
        {8, "a|c"}, {9, "ab\t|c"}, {10, "ab\n|c"}, {13, "ab\n|c"}, {' ', "ab |c"}, {0xE9, "ab\xe9|c"},
    };
    // clang-format on
    for (const auto& [code, expect] : codes) {
        Open("abc");
        Click(2);
        TypeKey(doc.get(), KeyOfTypedCode(code));
        std::string shown = Text(doc.get());
        shown.insert(static_cast<size_t>(doc->caretOffset), "|");
        EXPECT_EQ(shown, expect) << int{code};
    }
    for (const std::string& text : {NumberedLines(200), std::string("abc"), std::string()}) {
        Open(text, 10, 20);
        Click(0);
        SelectAll(doc.get());
        const bool shown = (doc->gridFlags & kGridHighlight) != 0;
        EXPECT_EQ(Join(doc->anchorOffset, doc->caretOffset, shown), Join(0, text.size(), !text.empty()));
        Type("x");
        EXPECT_EQ(Text(doc.get()), "x");
    }
}
