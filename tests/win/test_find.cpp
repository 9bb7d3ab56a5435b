// The find commands on the real frame: the Replace dialog driven through its controls, Repeat
// Last Find with and without a match after it, and Goto Line through its modal dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/window_list.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "editor/find.h"
#include "resources/ids.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

class Find : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(800, 600), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void TearDown() override
    {
        if (g_app.findDialog) SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_FIND_CLOSED, 0);
        while (HWND w = ActiveDocument())
            SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
        Pump();
    }
    // A document window of text, its caret at the start, off any search hit.
    void Open(const char* text)
    {
        window = NewDocumentWindow(nullptr, 0, 0, 400, 200);
        doc = DocumentOfWindow(window);
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(InsertString(doc, text));
        g_core.search.matchCase = g_core.search.wholeWord = 0;
        std::snprintf(g_core.search.findText, kSearchTextSize, "%.1s", text);
        // The document window routes the find commands: the first letter is found.
        ASSERT_EQ(SendMessageA(window, WM_COMMAND, IDM_FIND_NEXT, 0), 1);
        HideHighlight(AsGrid(doc));
        doc->caretOffset = 0;
        doc->docFlags = 0;
        LocateCaret(doc);
    }
    void Press(int control) { SendMessageA(GetDlgItem(g_app.findDialog, control), BM_CLICK, 0, 0); }
    std::string Text() const { return std::string(doc->text, static_cast<size_t>(doc->length)); }

    HWND window = nullptr;
    EditState* doc = nullptr;
};

TEST_F(Find, ReplaceDialogThroughItsControlsThenRepeatLastFind)
{
    Open("alpha beta\ngamma Beta beta");  // before the new document's own line end
    SendMessageA(window, WM_COMMAND, IDM_REPLACE, 0);
    HWND dialog = g_app.findDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_REPLACE)));
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, "beta");
    SetDlgItemTextA(dialog, IDC_REPLACE_TEXT, "B");
    Press(IDC_MATCH_CASE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_MATCH_CASE), BST_CHECKED);
    Press(IDOK);
    EXPECT_EQ(doc->caretOffset, 6);
    EXPECT_TRUE(doc->gridFlags & kGridHighlight);
    EXPECT_EQ(doc->caretColumn, 10);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_REPLACE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_REPLACE_ALL)));
    Press(IDC_REPLACE);  // replaces this one and finds the next with the case kept
    EXPECT_EQ(Text(), "alpha B\ngamma Beta beta\n");
    EXPECT_EQ(doc->caretOffset, 19);
    SetDlgItemTextA(dialog, IDC_REPLACE_TEXT, "b");
    Press(IDC_REPLACE_ALL);
    EXPECT_EQ(Text(), "alpha B\ngamma Beta b\n");
    EXPECT_EQ(doc->caretOffset, 20);
    Pump();
    EXPECT_EQ(g_app.findDialog, nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    // Repeat Last Find without the dialog: off the hit, from the top; then from the match on.
    g_core.search.matchCase = 0;
    SendMessageA(window, WM_COMMAND, IDM_FIND_AGAIN, 0);
    EXPECT_EQ(doc->caretOffset, 14);
    EXPECT_FALSE(doc->gridFlags & kGridHighlight);
    SendMessageA(window, WM_COMMAND, IDM_FIND_AGAIN, 0);
    EXPECT_EQ(doc->caretOffset, 14);
    EXPECT_STREQ(g_app.statusText, "Search text not found.");
}

// The modal dialog gets its line number and OK from a timer that fires inside its loop.
void CALLBACK AnswerGotoLine(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA(nullptr, "Goto Line");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextA(dialog, IDC_LINE_NUMBER, " +3x");
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

TEST_F(Find, GotoLineDialogTakesTheNumberTheWayAtolReadsIt)
{
    std::string text;
    for (int i = 1; i <= 50; ++i) text += "line " + std::to_string(i) + "\n";
    Open(text.c_str());
    ASSERT_NE(SetTimer(nullptr, 0, 50, AnswerGotoLine), 0u);
    SendMessageA(window, WM_COMMAND, IDM_GOTO_LINE, 0);
    EXPECT_EQ(g_core.search.dialogTarget, doc);
    EXPECT_EQ(doc->topLine, 2);
    EXPECT_EQ(doc->caretOffset, static_cast<int32_t>(text.find("line 3")));
}

}  // namespace
