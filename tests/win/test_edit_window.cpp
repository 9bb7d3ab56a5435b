// The document window's message table in-process on the real frame: movement keys with Shift
// and Ctrl (set in the thread's key state, which GetKeyState reads), the caret's width, the
// right button's settings, characters, and Cut, Copy and Paste through the real clipboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/window_list.h"
#include "doc/view.h"
#include "doc/memory.h"
#include "editor/clipboard.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

void SetModifiers(bool shift, bool control)
{
    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    ASSERT_TRUE(SetKeyboardState(keys));
}

void Press(HWND window, WPARAM key, bool shift = false, bool control = false)
{
    SetModifiers(shift, control);
    SendMessageA(window, WM_KEYDOWN, key, 0);
    SetModifiers(false, false);
}

std::string TextOf(const EditState* doc)
{
    return std::string(doc->text, static_cast<size_t>(doc->length));
}

std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class EditWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(StartTestFrame(800, 600), nullptr); }
    static void TearDownTestSuite() { StopTestFrame(); }
    void SetUp() override { saved_ = g_core.settings; }
    void TearDown() override
    {
        while (HWND w = ActiveDocument())
            SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
        g_core.settings = saved_;
        Pump();
    }
    // A 400 x 200 pixel document window of text from a file, the view from line top, the caret
    // at offset caret.
    static HWND Open(const std::string& text, int32_t caret = 0, int32_t top = 0)
    {
        const std::string path = TempPath("zavodo_edit_window.ksr");
        WriteBytes(path, text);
        HWND window = NewDocumentWindow(path.c_str(), 0, 0, 400, 200);
        DeleteFileA(path.c_str());  // loaded: the document does not keep it open
        if (EditState* doc = DocumentOfWindow(window)) {
            GotoLine(doc, top + 1);
            doc->caretOffset = caret;
            LocateCaret(doc);
        }
        return window;
    }

    Settings saved_;
};

std::string TallText()
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
}

TEST_F(EditWindow, MovementKeysMoveTheCaretAndTheSelection)
{
    struct Key {
        WPARAM key;
        bool shift;
        bool control;
    };
    const Key right{VK_RIGHT, false, false}, shiftRight{VK_RIGHT, true, false};
    const Key ctrlEnd{VK_END, false, true}, shiftCtrlHome{VK_HOME, true, true};
    constexpr int32_t kEnd = -1;        // caret or anchor: the end of the text
    constexpr int32_t kBelow = -1;      // anchor row: below the view, in the column past the last
    constexpr int32_t kUnchecked = -2;  // anchor row: not checked
    const std::string tall = TallText();
    const int32_t line3 = static_cast<int32_t>(tall.find("line 3"));
    const struct {
        const char* name;
        std::string text;
        int32_t top;    // the line the view starts at
        int32_t start;  // the caret's offset
        std::vector<Key> keys;
        int32_t caret;
        int32_t anchor;  // checked with a highlight only
        bool highlight;
        int32_t anchorRow;
        bool lastKeyKeepsView;
    } table[] = {
        // Shift+End, Ctrl+End and the word moves are also checked end to end and natively.
        // clang-format off
        {"Left at a line start", "ab\ncd\n", 0, 3, {{VK_LEFT, false, false}}, 3, 0, false, kUnchecked, false},
        {"Right at an LF", "ab\ncd\n", 0, 2, {right}, 2, 0, false, kUnchecked, false},
        {"Right at the end", "ab", 0, 2, {right}, 2, 0, false, kUnchecked, false},
        {"Shift+Right x3 from column 5", "0123456789\n", 0, 5, {shiftRight, shiftRight, shiftRight},
         8, 5, true, 0, false},
        {"then Right", "0123456789\n", 0, 5, {shiftRight, shiftRight, shiftRight, right},
         9, 5, false, kUnchecked, false},
        {"Shift+End at the line end", "ab\ncd\n", 0, 2, {{VK_END, true, false}},
         2, 2, false, kUnchecked, false},
        {"Ctrl+End, Shift+Ctrl+Home", tall, 0, 0, {ctrlEnd, shiftCtrlHome}, 0, kEnd, true, kBelow, false},
        {"Shift+Ctrl+Home three lines down", tall, 3, line3, {shiftCtrlHome}, 0, line3, true, 3, false},
        {"Page Down on the last page", tall, 0, 0, {ctrlEnd, {VK_NEXT, false, false}},
         kEnd, 0, false, kUnchecked, true},
        // clang-format on
    };
    for (const auto& row : table) {
        HWND window = Open(row.text, row.start, row.top);
        EditState* doc = DocumentOfWindow(window);
        ASSERT_NE(doc, nullptr) << row.name;
        ASSERT_LT(doc->rows, 100) << "the tall text's 200 lines must not fit";
        int32_t top = -1, caret = -1;
        for (const Key& k : row.keys) {
            top = doc->topOffset;
            caret = doc->caretOffset;
            Press(window, k.key, k.shift, k.control);
        }
        EXPECT_EQ(doc->caretOffset, row.caret == kEnd ? doc->length : row.caret) << row.name;
        EXPECT_EQ((doc->gridFlags & kGridHighlight) != 0, row.highlight) << row.name;
        if (row.highlight) {
            EXPECT_EQ(doc->anchorOffset, row.anchor == kEnd ? doc->length : row.anchor) << row.name;
        }
        if (row.anchorRow == kBelow) {
            EXPECT_EQ(doc->selAnchorRow, doc->rows) << row.name;
            EXPECT_EQ(doc->selAnchorColumn, doc->columns) << row.name;
        } else if (row.anchorRow != kUnchecked) {
            EXPECT_EQ(doc->selAnchorRow, row.anchorRow) << row.name;
        }
        if (row.lastKeyKeepsView) {
            EXPECT_EQ(doc->topOffset, top) << row.name;
            EXPECT_EQ(doc->caretOffset, caret) << row.name;
        }
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    }
}

TEST_F(EditWindow, CaretIsAThirdOfTheCellWideOrTheWholeCellWithTheLargeCursor)
{
    HWND window = Open("text\n");
    EditState* doc = DocumentOfWindow(window);
    ASSERT_NE(doc, nullptr);
    const int32_t width = doc->cellWidth;
    doc->cellWidth = 8;
    for (int large : {0, 1}) {
        g_core.settings.largeCursor = large;
        SendMessageA(window, WM_SETFOCUS, 0, 0);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
        EXPECT_EQ(info.hwndCaret, window);
        EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, large ? 8 : 2) << "large cursor " << large;
        EXPECT_EQ(info.rcCaret.bottom - info.rcCaret.top, doc->cellHeight);
        SendMessageA(window, WM_KILLFOCUS, 0, 0);
    }
    doc->cellWidth = width;
}

TEST_F(EditWindow, RightButtonDoesWhatTheMouseSettingSays)
{
    HWND first = Open("one\n");
    HWND second = Open("two\n");
    ASSERT_EQ(ActiveDocument(), second);
    const struct {
        int mode;
        bool goToLine;
        bool nextWindow;
    } table[] = {{2, true, false}, {3, false, true}, {0, false, false}};
    for (const auto& row : table) {
        Pump();
        g_core.settings.mouseMode = static_cast<int8_t>(row.mode);
        SendMessageA(second, WM_RBUTTONUP, 0, 0);
        MSG msg;
        const bool command = PeekMessageA(&msg, g_app.frameWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE);
        EXPECT_EQ(command, row.goToLine) << "mode " << row.mode;
        if (command) {
            EXPECT_EQ(msg.wParam, static_cast<WPARAM>(IDM_GOTO_LINE));
        }
        const bool next = PeekMessageA(&msg, g_app.clientWindow, WM_MDINEXT, WM_MDINEXT, PM_REMOVE);
        EXPECT_EQ(next, row.nextWindow) << "mode " << row.mode;
        if (!next) continue;
        EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(second));
        DispatchMessageA(&msg);
        EXPECT_EQ(ActiveDocument(), first);
        SendMessageA(g_app.clientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    }
}

TEST_F(EditWindow, MinimisedOnlyEnterRestoresAndCharactersEditOtherwise)
{
    HWND window = Open("abc\n");
    EditState* doc = DocumentOfWindow(window);
    ASSERT_NE(doc, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    SendMessageA(window, WM_CHAR, 'x', 0);
    Press(window, VK_DELETE);
    EXPECT_EQ(TextOf(doc), "abc\n");
    EXPECT_TRUE(IsIconic(window));
    SendMessageA(window, WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(TextOf(doc), "abc\n");

    SendMessageA(window, WM_CHAR, 1, 0);  // Ctrl+A deletes forward
    EXPECT_EQ(TextOf(doc), "bc\n");
    SendMessageA(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(TextOf(doc), "xbc\n");
    EXPECT_EQ(doc->caretOffset, 1);
}

TEST_F(EditWindow, CutCopyAndPasteGoThroughTheClipboardWithCrLf)
{
    HWND window = Open("ab\ncd\n", 1);
    EditState* doc = DocumentOfWindow(window);
    ASSERT_NE(doc, nullptr);
    SetClipboardText("before");
    // Without a highlight Copy and Cut leave the clipboard alone, though anchor and caret differ.
    doc->anchorOffset = 4;
    SendMessageA(window, WM_COMMAND, IDM_CUT, 0);
    SendMessageA(window, WM_COMMAND, IDM_COPY, 0);
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(TextOf(doc), "ab\ncd\n");

    Press(window, VK_DOWN, true);  // selects "b\nc"
    ASSERT_EQ(doc->caretOffset, 4);
    SendMessageA(window, WM_COMMAND, IDM_CUT, 0);
    EXPECT_EQ(ClipboardText(), "b\r\nc");
    EXPECT_EQ(TextOf(doc), "ad\n");
    EXPECT_EQ(doc->caretOffset, 1);
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    EXPECT_EQ(TextOf(doc), "ab\ncd\n");
    EXPECT_EQ(doc->caretOffset, 4);

    SetClipboardText("x\r\ny\rz");  // CR LF becomes LF, a lone CR goes
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    EXPECT_EQ(TextOf(doc), "ab\ncx\nyzd\n");
    EXPECT_EQ(doc->caretOffset, 8);
    EXPECT_EQ(doc->gridFlags & kGridHighlight, 0);

    Press(window, VK_RIGHT, true);  // a highlighted "d" is replaced: two undo records
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    EXPECT_EQ(TextOf(doc), "ab\ncx\nyzx\nyz\n");
    EXPECT_EQ(doc->caretOffset, 12);
    EXPECT_EQ(doc->gridFlags & kGridHighlight, 0);
    SendMessageA(window, WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(TextOf(doc), "ab\ncx\nyz\n");
    SendMessageA(window, WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(TextOf(doc), "ab\ncx\nyzd\n");

    CopyToClipboard("a\0b\nc", 5);  // NUL bytes are left out
    EXPECT_EQ(ClipboardText(), "ab\r\nc");
}

void* NoBlock(size_t) { return nullptr; }
HGLOBAL WINAPI NoGlobal(UINT, SIZE_T) { return nullptr; }

TEST_F(EditWindow, ShortMemoryLeavesClipboardAndDocumentAsTheyWere)
{
    HWND window = Open("ab\n", 0);
    EditState* doc = DocumentOfWindow(window);
    ASSERT_NE(doc, nullptr);
    BoxHook boxes;
    SetClipboardText("kept");
    Press(window, VK_RIGHT, true);
    SetClipboardAllocator(NoGlobal);
    SendMessageA(window, WM_COMMAND, IDM_COPY, 0);
    SetClipboardAllocator(nullptr);
    EXPECT_EQ(ClipboardText(), "kept");

    Press(window, VK_END);
    BlockAllocator none = DefaultAllocator();
    none.alloc = NoBlock;
    SetAllocator(none);
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    RestoreDefaultAllocator();
    EXPECT_EQ(TextOf(doc), "ab\n");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, "Out of memory! "));
}

TEST_F(EditWindow, OemKeysConvertTypedCharactersOnly)
{
    HWND window = Open("", 0);
    EditState* doc = DocumentOfWindow(window);
    ASSERT_NE(doc, nullptr);
    const uint8_t eAcute = 0xE9;
    ASSERT_NE(OemChar(eAcute), eAcute);  // the two code pages differ above 127
    g_app.oemTranslate = 1;
    for (WPARAM c : {WPARAM{'a'}, WPARAM{eAcute}}) SendMessageA(window, WM_CHAR, c, 0);
    g_app.oemTranslate = 0;
    SendMessageA(window, WM_CHAR, eAcute, 0);
    EXPECT_EQ(TextOf(doc), std::string("a") + static_cast<char>(OemChar(eAcute)) + static_cast<char>(eAcute));
}

}  // namespace
