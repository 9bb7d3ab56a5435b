// The document window's save question (closing one document, an untitled one, the session's
// end) and the Edit and Find menu states it sets when the frame opens those menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/window_list.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

constexpr char kQuestion[] = " has been modified, but not saved.  Do you want to save it now?";

std::vector<int> g_answers;  // given in turn; Cancel once they run out
int AnswerBox(HWND owner, const char* text, const char* caption, UINT style)
{
    const bool asked = owner == g_app.frameWindow && std::string(caption) == "Corvanet Editor" &&
                       style == static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION);
    g_boxes.push_back({owner, asked ? text : "not the question's box", caption, style});
    return g_boxes.size() <= g_answers.size() ? g_answers[g_boxes.size() - 1] : IDCANCEL;
}

HWND OpenTyped(const std::string& path, const char* typed)
{
    HWND window = NewDocumentWindow(path.empty() ? nullptr : path.c_str(), 0, 0, 0, 0);
    for (const char* c = typed; window && *c; ++c) SendMessageA(window, WM_CHAR, static_cast<WPARAM>(*c), 0);
    return window;
}

class SavePrompt : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsFile();
        g_boxes.clear();
        g_app.messageBoxHook = AnswerBox;
        ASSERT_NE(StartTestFrame(), nullptr);
    }
    void TearDown() override
    {
        StopTestFrame();  // destroys the documents left without asking
        g_app.messageBoxHook = nullptr;
        g_answers.clear();
    }
};

TEST_F(SavePrompt, CloseOfAModifiedDocumentFollowsTheAnswer)
{
    // An unmodified one closes without a question, and leaving asks about each, end to end.
    const struct {
        int answer;
        bool closes;
        const char* fileAfter;
    } table[] = {{IDYES, true, "xold"}, {IDNO, true, "old"}, {IDCANCEL, false, "old"}};
    for (const auto& row : table) {
        const std::string path = TempPath("ZPROMPT.KSR");
        WriteBytes(path, "old");
        HWND window = OpenTyped(path, "x");
        ASSERT_NE(window, nullptr);
        g_boxes.clear();
        g_answers = {row.answer};
        SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{path + kQuestion}) << row.answer;
        EXPECT_EQ(IsWindow(window) != FALSE, !row.closes) << row.answer;
        EXPECT_EQ(ReadBytes(path), row.fileAfter) << row.answer;
        if (const EditState* doc = row.closes ? nullptr : DocumentOfWindow(window)) {
            EXPECT_EQ(std::string(doc->text, doc->length), "xold");
        }
    }
}

TEST_F(SavePrompt, UntitledIsAskedAboutByNameAndCancelRefusesTheSessionEnd)
{
    EXPECT_EQ(SendMessageA(OpenTyped("", "x"), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{std::string("Untitled") + kQuestion});
}

// Cancels the file dialog that the save opens, once it is up; counts the dialogs cancelled.
int g_dialogsCancelled = 0;
BOOL CALLBACK CancelIfDialog(HWND w, LPARAM)
{
    char name[16];
    if (IsWindowVisible(w) && GetClassNameA(w, name, sizeof name) && std::string(name) == "#32770") {
        PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        ++g_dialogsCancelled;
    }
    return TRUE;
}
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CancelIfDialog, 0);
}

TEST_F(SavePrompt, CancelOfTheSaveAsItOpensKeepsTheDocument)
{
    HWND window = OpenTyped("", "typed");
    g_answers = {IDYES, IDYES};
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, CancelFileDialog);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_dialogsCancelled, 1);
    ASSERT_TRUE(IsWindow(window));
    const EditState* doc = DocumentOfWindow(window);
    EXPECT_EQ(std::string(doc->text, doc->length), "typed\n");  // untitled texts end in a line end
    EXPECT_EQ(doc->path[0], '\0');
    // Closing the frame: the same answer and the same cancel keep the frame too.
    SendMessageA(g_app.frameWindow, WM_CLOSE, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_dialogsCancelled, 2);
    EXPECT_TRUE(IsWindow(window) && g_app.frameWindow);
    EXPECT_EQ(g_boxes.size(), 2u);
}

TEST_F(SavePrompt, EditAndFindMenusFollowTheDocument)
{
    const struct {
        const char* name;
        const char* typed;
        bool undo, selectWord, clipText, oem;
        bool copyGrayed, undoGrayed, redoGrayed, pasteGrayed;
    } table[] = {
        {"fresh", "", false, false, false, false, true, true, true, true},
        {"typed", "a", false, false, false, false, true, false, true, true},
        {"typed then undone", "a", true, false, false, false, true, true, false, true},
        {"a word selected", "ab cd", false, true, false, false, false, false, true, true},
        {"clipboard text, OEM keys", "", false, false, true, true, true, true, true, false},
    };
    HMENU edit = GetSubMenu(g_app.mainMenu, 1), find = GetSubMenu(g_app.mainMenu, 2);
    auto grayed = [](HMENU menu, int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    for (const auto& row : table) {
        HWND window = OpenTyped("", row.typed);
        ASSERT_NE(window, nullptr) << row.name;
        if (row.undo) SendMessageA(window, WM_COMMAND, IDM_UNDO, 0);
        if (row.selectWord) SendMessageA(window, WM_KEYDOWN, VK_HOME, 0);
        if (row.selectWord) SendMessageA(window, WM_LBUTTONDBLCLK, 0, 0);
        SetClipboardText(row.clipText ? "" : nullptr);
        g_app.oemTranslate = row.oem;
        EnableMenuItem(find, IDM_REPLACE, MF_BYCOMMAND | MF_GRAYED);
        SendMessageA(g_app.frameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        SendMessageA(g_app.frameWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(find), 2);
        EXPECT_EQ(grayed(edit, IDM_COPY), row.copyGrayed) << row.name;
        EXPECT_EQ(grayed(edit, IDM_CUT), row.copyGrayed) << row.name;
        EXPECT_EQ(grayed(edit, IDM_UNDO), row.undoGrayed) << row.name;
        EXPECT_EQ(grayed(edit, IDM_REDO), row.redoGrayed) << row.name;
        EXPECT_EQ(grayed(edit, IDM_PASTE), row.pasteGrayed) << row.name;
        EXPECT_EQ((GetMenuState(edit, IDM_OEMKEYS, MF_BYCOMMAND) & MF_CHECKED) != 0, row.oem) << row.name;
        EXPECT_FALSE(grayed(find, IDM_REPLACE)) << row.name;
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    }
    g_app.oemTranslate = 0;
    SetClipboardText(nullptr);
}

}  // namespace
