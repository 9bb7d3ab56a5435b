// The program's windows in-process on the real frame: placement from "Start Size" and its saving,
// command routing, the document limit, dropped files, the window list, the save question, the
// document window's blocks, keys, caret, mouse setting and clipboard, message boxes, the
// recent-file menu and keys, and the dialogs made modeless so their controls can be worked
// (EndDialog only hides them). What the real program shows of these is checked end to end.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/preferences.h"
#include "app/recent_files.h"
#include "app/window_list.h"
#include "compile/compile.h"
#include "display/status_line.h"
#include "doc/edit.h"
#include "doc/memory.h"
#include "doc/view.h"
#include "editor/clipboard.h"
#include "editor/edit_window.h"
#include "editor/find.h"
#include "print/print.h"
#include "resources/ids.h"
#include "settings/settings_file.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/tally_allocator.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

constexpr char kQuestion[] = " has been modified, but not saved.  Do you want to save it now?";

std::string IniText(const char* section, const char* key)
{
    char value[400];
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, "QV5.INI");
    return value;
}
int IniInt(const char* key)
{
    return static_cast<int>(GetPrivateProfileIntA("Kestrel Editor", key, -1, "QV5.INI"));
}
std::string SettingsBytes()
{
    FlushSettings();
    return ReadBytes(WindowsPath("QV5.INI"));
}

// The commands that reach a document window, recorded by a procedure put in front of its own
// (so the commands' own dialogs, some modal, stay shut).
std::vector<int> g_docCommands;
WNDPROC g_docProc = nullptr;
LRESULT CALLBACK RecordingProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND) return CallWindowProcA(g_docProc, w, message, wParam, lParam);
    g_docCommands.push_back(LOWORD(wParam));
    return 0;
}

// Answers a dialog (a modal one from inside its loop) once it is up: the save dialog with Cancel,
// Goto Line with a number, the font dialog with its largest size; counts the dialogs answered.
int g_answered = 0;
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND dialog = FindWindowA(nullptr, "File Save")) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ++g_answered;
    }
}
void CALLBACK AnswerGotoLine(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (HWND dialog = FindWindowA(nullptr, "Goto Line")) {
        KillTimer(nullptr, timer);
        SetDlgItemTextA(dialog, IDC_LINE_NUMBER, " +3x");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
}
void CALLBACK PickLargestFont(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND fonts = FindWindowA(nullptr, "Font Select");
    if (fonts && ++g_answered > 20) {  // a dialog that does not close gets Cancel after a second
        KillTimer(nullptr, timer);
        PostMessageA(fonts, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND sizes = GetDlgItem(fonts, 1138);
    const LRESULT last = SendMessageA(sizes, CB_GETCOUNT, 0, 0) - 1;
    if (!fonts || last < 0 || SendMessageA(sizes, CB_GETCURSEL, 0, 0) == last) return;
    KillTimer(nullptr, timer);
    SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(last), 0);
    SendMessageA(fonts, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    PostMessageA(fonts, WM_COMMAND, IDOK, 0);
}

// A key pressed with Shift and Ctrl held down or not, both let go after it.
void Press(HWND window, WPARAM key, bool shift = false, bool control = false)
{
    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    ASSERT_TRUE(SetKeyboardState(keys));
    SendMessageA(window, WM_KEYDOWN, key, 0);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    ASSERT_TRUE(SetKeyboardState(keys));
}

HGLOBAL WINAPI NoGlobal(UINT, SIZE_T)
{
    return nullptr;
}

std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The menu as "id text" lines, "-" for a separator.
std::vector<std::string> MenuLines(HMENU menu)
{
    std::vector<std::string> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[300] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        lines.push_back((info.fType & MFT_SEPARATOR) ? "-" : std::to_string(info.wID) + " " + text);
    }
    return lines;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsFile();
        saved_ = g_core.settings;
        ASSERT_NE(StartTestFrame(900, 700), nullptr);
    }
    void TearDown() override
    {
        RestoreDefaultAllocator();
        StopTestFrame();  // destroys the documents left without asking
        g_core.settings = saved_;
        DeleteSettingsFile();
    }
    // A document window, typed into (untitled) or of a file's bytes, the caret at offset caret and
    // the view from line top; its document is doc.
    HWND Open(const char* typed = "", const std::string& bytes = "", int32_t caret = 0, int32_t top = 0,
              int width = 0, int height = 0)
    {
        const std::string path = TempPath("zavodo_frame.ksr");
        if (!bytes.empty()) WriteBytes(path, bytes);
        HWND window = NewDocumentWindow(bytes.empty() ? nullptr : path.c_str(), 0, 0, width, height);
        DeleteFileA(path.c_str());  // loaded: the document does not keep it open
        for (const char* c = typed; window && *c; ++c)
            SendMessageA(window, WM_CHAR, static_cast<WPARAM>(*c), 0);
        doc = DocumentOfWindow(window);
        if (doc && !bytes.empty()) {
            GotoLine(doc, top + 1);
            doc->caretOffset = caret;
            LocateCaret(doc);
        }
        Pump();
        return window;
    }
    static HWND Dialog(const char* name, DLGPROC proc, HWND owner = g_app.frameWindow)
    {
        HWND dialog = CreateDialogParamA(ResourceInstance(), name, owner, proc, 0);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static void Confirm(HWND dialog, int button)
    {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        DestroyWindow(dialog);
    }
    static void Band(POINT from, POINT to)
    {
        SendMessageA(g_app.clientWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(g_app.clientWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageA(g_app.clientWindow, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        Pump();
    }

    BoxHook boxes;
    Settings saved_;
    EditState* doc = nullptr;
};

TEST(FramePlacement, StartSizeGivesDefaultMaximisedOrShortenedFramesAndIsSavedUnlessMinimised)
{
    // A plain placement is started end to end.
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        std::string stored;
        bool maximized;
        RECT expected;  // all 0: the platform's choice
    } table[] = {
        {"", false, {0, 0, 0, 0}},
        {"0 0 " + std::to_string(screenW) + " " + std::to_string(screenH), true, {0, 0, 0, 0}},
        {"40 300 640 " + std::to_string(screenH + 200), false, {40, 300, 640, screenH}},
    };
    for (const auto& row : table) {
        DeleteSettingsFile();
        if (!row.stored.empty())
            WritePrivateProfileStringA("Kestrel Editor", "Start Size", row.stored.c_str(), "QV5.INI");
        ASSERT_TRUE(StartTestFrame(0, 0, SW_SHOWNORMAL)) << row.stored;
        RECT r;
        GetWindowRect(g_app.frameWindow, &r);
        EXPECT_EQ(IsZoomed(g_app.frameWindow) != 0, row.maximized) << row.stored;
        EXPECT_EQ(Sides(row.expected.right != 0 ? r : row.expected), Sides(row.expected)) << row.stored;
        StopTestFrame();
    }
    DeleteSettingsFile();
    TestWindow frame(WS_OVERLAPPEDWINDOW, 30, 40, 500, 300);
    g_app.frameWindow = frame.hwnd;
    const std::pair<int, const char*> saves[] = {
        {SW_SHOWNOACTIVATE, "30 40 530 340"},
        {SW_SHOWMINNOACTIVE, "30 40 530 340"},  // moved, minimised: kept
        {SW_RESTORE, "60 70 460 270"}};
    for (auto [show, stored] : saves) {
        if (show != SW_SHOWNOACTIVATE) SetWindowPos(frame.hwnd, nullptr, 60, 70, 400, 200, SWP_NOZORDER);
        ShowWindow(frame.hwnd, show);
        WritePrivateProfileStringA("Kestrel Editor", "TabStops", nullptr, "QV5.INI");
        SettingsSave();
        FlushSettings();
        EXPECT_EQ(IniText("Kestrel Editor", "Start Size"), stored) << show;
        EXPECT_NE(IniText("Kestrel Editor", "TabStops"), "(none)") << "the other keys are still written";
    }
    g_app.frameWindow = nullptr;
    DeleteSettingsFile();
}

TEST_F(Frame, EachCommandReachesItsHandler)
{
    HWND window = Open();
    ASSERT_NE(window, nullptr);
    g_docProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    const int oem = g_app.oemTranslate, shown = g_app.actionBarShown, large = g_app.largeButtons;
    const int tips = g_app.actionBarBlock->tooltips;
    for (int command : {IDM_SAVE_AS, IDM_PRINT, IDM_PRINT_SETUP, IDM_PREFERENCES, IDM_CUT, IDM_COPY,
                        IDM_PASTE, IDM_MATCH_BLOCK, IDM_SELECT_TO_MATCH, IDM_FIND, IDM_FIND_AGAIN,
                        IDM_REPLACE, IDM_GOTO_LINE, IDM_COMPILE, IDM_COMPILER_NOTICE, IDM_FIRST_CHILD}) {
        g_docCommands.clear();
        SendMessageA(g_app.frameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
        EXPECT_EQ(g_docCommands, std::vector<int>{command});
    }
    // The frame's own never reach it; only the tools, missing, say anything.
    g_docCommands.clear();
    for (int command : {IDM_OEMKEYS, IDM_ACTION_BAR, IDM_ACTION_BAR, IDM_LARGE_ACTION_BAR, IDM_TOOLTIPS,
                        IDM_TILE_HORIZONTAL, IDM_TILE_VERTICAL, IDM_CASCADE, IDM_ARRANGE_ICONS,
                        IDM_DIALOG_EDITOR, IDM_USER_WINDOW_EDITOR})
        SendMessageA(g_app.frameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Error executing VIZIVIR.EXE", "Error executing RODEZEZE.EXE"}));
    EXPECT_TRUE(g_docCommands.empty());
    EXPECT_EQ(Join(g_app.oemTranslate != oem, g_app.actionBarShown == shown, g_app.largeButtons != large,
                   g_app.actionBarBlock->tooltips != tips, ActionBarWindow(g_app.actionBarBlock) != nullptr),
              "1 1 1 1 1");  // the bar switched off and on again
    // New, Close and Exit are checked end to end, through their keys. The switches were saved
    // as they were made.
    EXPECT_EQ(Join(IniInt("LargeIcons"), IniInt("OEMKeys")), Join(g_app.largeButtons, g_app.oemTranslate));
}

TEST_F(Frame, DroppedFilesOpenTheFirstLastEndingTheSessionSavesNoSettingsAndListedOnesOpenOncePlaced)
{
    const std::vector<std::string> names{TempPath("zdrop1.ksr"), TempPath("zdrop2.ksr"),
                                         TempPath("zdrop3.ksr")};
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& n : names) bytes += n.size() + 1;
    HGLOBAL drop = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(header + 1);
    for (const auto& n : names) at += std::strlen(std::strcpy(at, n.c_str())) + 1;
    GlobalUnlock(drop);
    SendMessageA(g_app.frameWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(g_app.documentCount, 3);
    const EditState* active = DocumentOfWindow(ActiveDocument());
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(lstrcmpiA(active->path, names[0].c_str()), 0) << active->path;
    for (const auto& n : names) DeleteFileA(n.c_str());
    // Leaving saves the settings, end to end; the session's end does not.
    EXPECT_EQ(SendMessageA(g_app.frameWindow, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(FileExists(WindowsPath("QV5.INI")));
    // The window list opens each file once, whatever the case of its name.
    const std::string upper = TempPath("ZLIST.KSR"), lower = TempPath("zlist.ksr");
    DeleteFileA(upper.c_str());
    // A missing file in an existing folder is made empty; a missing folder gives message 300.
    HWND first = OpenDocument(upper.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenDocument(lower.c_str()), first);
    EXPECT_EQ(Join(FileExists(upper), g_app.documentCount), "1 4");
    const std::string missing = TempPath("no_such_zavodo_dir\\x.ksr");
    EXPECT_EQ(OpenDocument(missing.c_str()), nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Cannot open file - " + missing.substr(0, 80)});
    // Names are one file's as the file system compares them, not as the language does.
    for (const auto& [a, b, same] : {std::tuple{"\xC9T\xC9.KSR", "\xE9t\xE9.ksr", true},
                                     {"\xC6.KSR", "AE.KSR", false},
                                     {"\xDF.KSR", "SS.KSR", false},
                                     {"CO-OP.KSR", "COOP.KSR", false}})
        EXPECT_EQ(SamePath(a, b), same) << a << " " << b;
    // Files another program holds open are checked end to end.
    // A new window fills the client area, but never below 300 x 100; it opens maximised when the
    // active one is.
    const auto placed = [](HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, g_app.clientWindow, reinterpret_cast<POINT*>(&r), 2);
        return Sides(r);
    };
    RECT client;
    GetClientRect(g_app.clientWindow, &client);
    EXPECT_EQ(placed(first), Sides(client));
    MoveWindow(g_app.clientWindow, 0, 0, 200, 80, TRUE);
    EXPECT_EQ(placed(Open()), Sides({0, 0, 300, 100}));
    SendMessageA(g_app.clientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(first), 0);
    EXPECT_TRUE(IsZoomed(Open()));
    DeleteFileA(upper.c_str());
}

TEST_F(Frame, ShowMessageComposesBoxesCloseOfAModifiedDocumentFollowsTheAnswerAndCancelOfSaveAsKeepsIt)
{
    // ShowMessage hands the composed box, with its icon and buttons, to the hook; the hook's
    // answer, the owner and the caption are those of the save question below.
    for (auto [kind, style] : {std::pair<int, UINT>{0, MB_ICONEXCLAMATION},
                               {1, MB_YESNO | MB_ICONQUESTION},
                               {2, MB_YESNOCANCEL | MB_ICONQUESTION},
                               {3, MB_ICONHAND},
                               {9, MB_ICONHAND}}) {
        ShowMessage(g_app.frameWindow, kind, IDS_OUT_OF_MEMORY, nullptr);
        EXPECT_EQ(Join(g_boxes.back().style, g_boxes.back().text), Join(style, "Out of memory! ")) << kind;
    }
    // An unmodified one closes without a question, and leaving asks about each, end to end.
    const struct {
        int answer;
        bool closes;
        const char* fileAfter;
    } table[] = {{IDYES, true, "xold"}, {IDNO, true, "old"}, {IDCANCEL, false, "old"}};
    const std::string path = TempPath("ZPROMPT.KSR");
    for (const auto& row : table) {
        WriteBytes(path, "old");
        HWND window = NewDocumentWindow(path.c_str(), 0, 0, 0, 0);
        ASSERT_NE(window, nullptr);
        SendMessageA(window, WM_CHAR, 'x', 0);
        g_boxes.clear();
        g_boxAnswer = row.answer;
        SendMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{path + kQuestion}) << row.answer;
        EXPECT_EQ(Join(g_boxes[0].owner == g_app.frameWindow, g_boxes[0].caption, g_boxes[0].style),
                  Join(1, "Corvanet Editor", MB_YESNOCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(Join(IsWindow(window) != FALSE, ReadBytes(path)), Join(!row.closes, row.fileAfter));
    }
    DeleteFileA(path.c_str());
    // An untitled one is asked about by name, and a file deep in folders is named whole, not cut
    // to a name the user cannot tell apart; Cancel refuses the session's end.
    g_boxAnswer = IDCANCEL;
    HWND window = Open("typed");
    for (const std::string& named : {std::string(), "C:\\" + std::string(200, 'D') + "\\DEEP.KSR"}) {
        std::snprintf(doc->path, sizeof doc->path, "%s", named.c_str());
        g_boxes.clear();
        EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), FALSE);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{(named.empty() ? "Untitled" : named) + kQuestion});
    }
    doc->path[0] = '\0';
    // Yes, then Cancel in the save dialog: the document stays, for its close and the frame's.
    g_boxAnswer = IDYES;
    g_answered = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, CancelFileDialog);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(Join(g_answered, Text(doc), doc->path[0] == '\0'), "1 typed\n 1");  // untitled: a line end
    SendMessageA(g_app.frameWindow, WM_CLOSE, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(Join(g_answered, IsWindow(window) && g_app.frameWindow, g_boxes.size()), "2 1 3");
}

TEST_F(Frame, DocumentWindowsFreeEveryBlockAndNoMemoryNarrowBandsClicksOrASixtyEighthOpenNothing)
{
    g_tally = Tally{};
    SetAllocator(kTallyAllocator);
    HWND first = Open(), second = Open();
    ASSERT_TRUE(first && second);
    EXPECT_GE(g_tally.live, 4);  // each with its record and text
    for (HWND w : {first, second})
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
    EXPECT_EQ(g_tally.live, 0);
    // The record, the grid's cells, then the text; only the text's failure is reported.
    for (int failAt : {1, 2, 3}) {
        g_tally = Tally{};
        g_tally.failAt = failAt;
        g_boxes.clear();
        EXPECT_EQ(NewDocumentWindow(nullptr, 0, 0, 0, 0), nullptr) << failAt;
        EXPECT_EQ(Join(g_tally.live, ActiveDocument() == nullptr), "0 1") << failAt;
        EXPECT_EQ(BoxTexts(), std::vector<std::string>(static_cast<size_t>(failAt == 3), "Out of memory! "));
    }
    // A band of the drawn size is opened end to end.
    g_boxes.clear();
    Band({200, 10}, {300, 210});  // 100 wide: too narrow
    Band({200, 10}, {200, 10});   // a click
    EXPECT_EQ(Join(g_app.documentCount, g_app.band.tracking, GetCapture() == nullptr), "0 0 1");
    while (g_app.documentCount < kMaxDocuments) ASSERT_NE(NewDocumentWindow(nullptr, 0, 0, 0, 0), nullptr);
    SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_NEW, 0);
    Band({10, 10}, {300, 300});
    EXPECT_EQ(g_app.documentCount, kMaxDocuments);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, "Only 67 files may be open at one time!"));
}

TEST_F(Frame, KeysMoveTheCaretAndTheSelectionAndCharactersEditUnlessMinimisedWithOemConversion)
{
    struct Key {
        WPARAM key;
        bool shift, control;
    };
    const Key right{VK_RIGHT, false, false}, selRight{VK_RIGHT, true, false};
    const Key ctrlEnd{VK_END, false, true}, selHome{VK_HOME, true, true};
    constexpr int32_t kEnd = -1;  // caret or anchor: the end of the text
    std::string tall;
    for (int i = 0; i < 200; ++i) tall += "line " + std::to_string(i) + "\n";
    const struct {
        const char* name;
        std::string text;
        int32_t start;  // the caret's offset
        std::vector<Key> keys;
        int32_t caret, anchor;  // the anchor and its row are checked with a highlight only
        bool highlight;
        bool lastKeyKeepsView;
    } table[] = {
        // Shift+End, Shift+Down, Ctrl+Home and the word moves are also checked end to end and natively.
        // clang-format off
        {"Left at a line start", "ab\ncd\n", 3, {{VK_LEFT, false, false}}, 3, 0, false, false},
        {"Right at an LF", "ab\ncd\n", 2, {right}, 2, 0, false, false},
        {"Right at the end", "ab", 2, {right}, 2, 0, false, false},
        {"Shift+Right x3", "0123456789\n", 5, {selRight, selRight, selRight}, 8, 5, true, false},
        {"then Right", "0123456789\n", 5, {selRight, selRight, selRight, right}, 9, 5, false, false},
        {"Shift+End at the line end", "ab\ncd\n", 2, {{VK_END, true, false}}, 2, 2, false, false},
        {"Shift+Ctrl+Home at the end", tall, 0, {ctrlEnd, selHome}, 0, kEnd, true, false},  // anchor below
        {"Page Down at the end", tall, 0, {ctrlEnd, {VK_NEXT, false, false}}, kEnd, 0, false, true},
        // clang-format on
    };
    for (const auto& row : table) {
        HWND window = Open("", row.text, row.start, 0, 400, 200);
        ASSERT_NE(doc, nullptr) << row.name;
        ASSERT_LT(doc->rows, 100) << "the tall text's 200 lines must not fit";
        int32_t top = -1, caret = -1;
        for (const Key& k : row.keys) {
            top = doc->topOffset;
            caret = doc->caretOffset;
            Press(window, k.key, k.shift, k.control);
        }
        const int32_t end = doc->length, anchor = row.highlight ? (row.anchor == kEnd ? end : row.anchor) : 0;
        const bool lit = (doc->gridFlags & kGridHighlight) != 0;
        EXPECT_EQ(Join(doc->caretOffset, lit, row.highlight ? doc->anchorOffset : 0),
                  Join(row.caret == kEnd ? end : row.caret, row.highlight, anchor))
            << row.name;
        if (row.highlight) {
            const auto line = std::count(row.text.begin(), row.text.begin() + anchor, '\n');
            EXPECT_EQ(Join(doc->selAnchorRow, doc->selAnchorColumn == doc->columns),
                      Join(line - doc->topLine, false))
                << row.name;
        }
        const bool kept = doc->topOffset == top && doc->caretOffset == caret;
        EXPECT_TRUE(kept || !row.lastKeyKeepsView) << row.name;
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    }
    // Characters edit unless the window is minimised; the OEM switch converts them.
    HWND window = Open("", "abc\n");
    ASSERT_NE(doc, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    SendMessageA(window, WM_CHAR, 'x', 0);
    Press(window, VK_DELETE);
    EXPECT_EQ(Join(Text(doc), IsIconic(window) != 0), "abc\n 1");
    SendMessageA(window, WM_CHAR, VK_RETURN, 0);  // only Enter: it restores
    EXPECT_EQ(Join(Text(doc), IsIconic(window) != 0), "abc\n 0");
    // Control codes typing nothing are checked natively and end to end.
    Press(window, VK_DELETE);
    EXPECT_EQ(Text(doc), "bc\n");
    const uint8_t eAcute = 0xE9;
    ASSERT_NE(OemChar(eAcute), eAcute);  // the two code pages differ above 127
    g_app.oemTranslate = 1;
    for (WPARAM c : {WPARAM{'x'}, WPARAM{eAcute}}) SendMessageA(window, WM_CHAR, c, 0);
    g_app.oemTranslate = 0;
    SendMessageA(window, WM_CHAR, eAcute, 0);
    const std::string typed{'x', static_cast<char>(OemChar(eAcute)), static_cast<char>(eAcute)};
    EXPECT_EQ(Join(Text(doc), doc->caretOffset), Join(typed + "bc\n", 3));
}

TEST_F(Frame, CaretWidthRightButtonInsertAndTheStatusColumnFollowTheSettings)
{
    HWND first = Open("", "one\n"), window = Open("", "text\n");
    ASSERT_NE(doc, nullptr);
    // The caret is a third of the cell wide, or the whole cell with the large cursor.
    doc->cellWidth = 8;
    for (int large : {0, 1}) {
        g_core.settings.largeCursor = large;
        SendMessageA(window, WM_SETFOCUS, 0, 0);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &info));
        EXPECT_EQ(Join(info.hwndCaret == window, info.rcCaret.right - info.rcCaret.left,
                       info.rcCaret.bottom - info.rcCaret.top),
                  Join(1, large ? 8 : 2, doc->cellHeight));
        SendMessageA(window, WM_KILLFOCUS, 0, 0);
    }
    // The right button: mouse mode 2 is Goto Line, 3 the next window, others nothing.
    for (auto [mode, goToLine, nextWindow] :
         {std::tuple{2, true, false}, {3, false, true}, {0, false, false}}) {
        Pump();
        g_core.settings.mouseMode = static_cast<int8_t>(mode);
        SendMessageA(window, WM_RBUTTONUP, 0, 0);
        MSG msg, mdiNext;
        const bool command = PeekMessageA(&msg, g_app.frameWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE);
        const bool next = PeekMessageA(&mdiNext, g_app.clientWindow, WM_MDINEXT, WM_MDINEXT, PM_REMOVE);
        EXPECT_EQ(Join(command, command && msg.wParam == IDM_GOTO_LINE, next),
                  Join(goToLine, goToLine, nextWindow))
            << "mode " << mode;
        if (!next) continue;
        DispatchMessageA(&mdiNext);
        EXPECT_EQ(ActiveDocument(), first);
        SendMessageA(g_app.clientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    }
    // Insert switches the mode; the status line counts the columns scrolled off to the left.
    g_core.insertMode = 1;
    for (int mode : {0, 1}) {
        Press(window, VK_INSERT);
        EXPECT_EQ(g_core.insertMode, mode);
    }
    doc->leftColumn = 10;
    ShowStatusMessage(window, 0);
    EXPECT_EQ(std::string(g_app.statusText), "Line: 1        Col: 11                 ");
    // On a control byte the status line shows its code.
    HWND coded = Open("", "a\x13" "b\n", 1);
    ShowStatusMessage(coded, 0);
    EXPECT_EQ(std::string(g_app.statusText), "Line: 1        Col: 2   Code 0x13");
}

TEST_F(Frame, CutCopyAndPasteGoThroughTheClipboardWithCrLf)
{
    // Plain copies and pastes both ways are checked end to end against another program.
    HWND window = Open("", "ab\ncd\n", 1);
    ASSERT_NE(doc, nullptr);
    SetClipboardText("before");
    // Without a highlight Copy and Cut leave the clipboard alone, though anchor and caret differ.
    doc->anchorOffset = 4;
    SendMessageA(window, WM_COMMAND, IDM_CUT, 0);
    SendMessageA(window, WM_COMMAND, IDM_COPY, 0);
    EXPECT_EQ(Join(ClipboardText(), Text(doc)), "before ab\ncd\n");
    Press(window, VK_DOWN, true);  // selects "b\nc"
    SendMessageA(window, WM_COMMAND, IDM_CUT, 0);
    EXPECT_EQ(Join(ClipboardText(), Text(doc), doc->caretOffset), "b\r\nc ad\n 1");
    SetClipboardText("x\r\ny\rz");  // CR LF becomes LF, a lone CR goes
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    EXPECT_EQ(Join(Text(doc), doc->caretOffset, doc->gridFlags & kGridHighlight), "ax\nyzd\n 5 0");
    Press(window, VK_RIGHT, true);  // a highlighted "d" is replaced: two undo records
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    EXPECT_EQ(Join(Text(doc), doc->caretOffset, doc->gridFlags & kGridHighlight), "ax\nyzx\nyz\n 9 0");
    SendMessageA(window, WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(Text(doc), "ax\nyz\n");
    SendMessageA(window, WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(Text(doc), "ax\nyzd\n");
    CopyToClipboard("a\0b\nc", 5);  // NUL bytes are left out
    EXPECT_EQ(ClipboardText(), "ab\r\nc");
    // Short of memory: the clipboard and the document stay as they were; a Cut that could not
    // copy deletes nothing. The same with the clipboard busy is checked end to end.
    SetClipboardText("kept");
    Press(window, VK_HOME);
    Press(window, VK_RIGHT, true);  // one byte highlighted
    SetClipboardAllocator(NoGlobal);
    SendMessageA(window, WM_COMMAND, IDM_COPY, 0);
    SendMessageA(window, WM_COMMAND, IDM_CUT, 0);
    SetClipboardAllocator(nullptr);
    EXPECT_EQ(Join(Text(doc), doc->caretOffset - doc->anchorOffset, doc->gridFlags & kGridHighlight),
              Join("ax\nyzd\n", 1, kGridHighlight));
    BlockAllocator none = DefaultAllocator();
    none.alloc = [](size_t) -> void* { return nullptr; };
    Press(window, VK_END);
    SetAllocator(none);
    SendMessageA(window, WM_COMMAND, IDM_PASTE, 0);
    RestoreDefaultAllocator();
    EXPECT_EQ(Join(ClipboardText(), Text(doc)), "kept ax\nyzd\n");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(3, "Out of memory! "));
}

TEST(RecentFiles, MenuListsOnceBelowExitAndTheKeysStopAtAGap)
{
    for (char* entry : g_app.recentFiles) entry[0] = '\0';
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), IDR_SHORT_MENU);
    HMENU file = GetSubMenu(bar, 0);
    std::vector<std::string> expected = MenuLines(file);
    ASSERT_EQ(expected.back(), "508 E&xit\tAlt+X");
    BuildRecentFileMenu(file);
    EXPECT_EQ(MenuLines(file), expected) << "an empty list adds nothing, not even the separator";
    DeleteSettingsFile();
    const std::string longName(300, 'L');
    for (auto [key, value] :
         {std::pair{"File1", "c:\\one.ksr"}, {"File3", "C:\\THREE.KSR"}, {"File4", longName.c_str()}})
        WritePrivateProfileStringA("Recent Files", key, value, "QV5.INI");
    SettingsLoad();
    EXPECT_EQ((std::vector<std::string>(std::begin(g_app.recentFiles), std::end(g_app.recentFiles))),
              (std::vector<std::string>{"c:\\one.ksr", "", "C:\\THREE.KSR", longName.substr(0, 259)}));
    // A new name goes first, upper-cased as the system does; the menu stops at the gap.
    char added[] = "c:\\work\\r&d.ksr";
    AddRecentFile(added);
    EXPECT_STREQ(added, "C:\\WORK\\R&D.KSR") << "the caller's text is upper-cased";
    expected.insert(expected.end(), {"-", "510 &1 C:\\WORK\\R&&D.KSR", "511 &2 c:\\one.ksr"});
    for (int pass = 0; pass < 2; ++pass) {
        BuildRecentFileMenu(file);
        EXPECT_EQ(MenuLines(file), expected) << "building again replaces the entries";
    }
    DestroyMenu(bar);
    lstrcpyA(g_app.recentFiles[3], "C:\\HIDDEN.KSR");
    SettingsSave();
    // Entries after the gap are not written; the stored values are left as they were.
    EXPECT_EQ(Join(IniText("Recent Files", "File1"), IniText("Recent Files", "File2"),
                   IniText("Recent Files", "File3"), IniText("Recent Files", "File4") == longName),
              "C:\\WORK\\R&D.KSR c:\\one.ksr C:\\THREE.KSR 1");
    DeleteSettingsFile();
}

TEST_F(Frame, UndoAndRedoOfAKeyReplayInsideTheWorkingWindowWhichOtherCommandsClose)
{
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "line of text\n";
    HWND window = Open("", text, 13 * 2 + 3);
    ASSERT_NE(doc, nullptr);
    SendMessageA(window, WM_CHAR, 'k', 0);  // opens the window
    std::string open;
    for (int command : {IDM_UNDO, IDM_REDO, IDM_UNDO, IDM_COPY}) {
        SendMessageA(window, WM_COMMAND, command, 0);
        open += (doc->docFlags & kDocWorkingWindow) ? '1' : '0';
    }
    EXPECT_EQ(Join(open, WholeText(doc) == text, doc->caretOffset), "1110 1 29");
}

TEST_F(Frame, MarginsAndCompilerOptionsTakeWhatIsWithinTheirLimitsOnOkAndCancelChangesNothing)
{
    // Margins below three inches are taken, long ones refused; three inches or more are passed
    // over silently, however long their text.
    const struct {
        const char* typed;
        const char* stored;
        bool refused;
        int button = IDOK;
    } table[] = {{"2.5", "2.5", false},    {"abc", "abc", false},         {"", "", false},
                 {"-1", "-1", false},      {"3", "0.25", false},          {"1234567", "0.25", false},
                 {"3.000", "0.25", false}, {"0.125", "0.25", true},       {"2.999", "0.25", true},
                 {"-1.25", "0.25", true},  {"1", "0.25", false, IDCANCEL}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.typed);
        g_core.settings = saved_;
        g_boxes.clear();
        HWND dialog = Dialog(IDD_PAGE_SETUP, PageDlgProc);
        EXPECT_EQ(Join(DlgText(dialog, IDC_MARGIN_LEFT), DlgText(dialog, IDC_FOOTER)),
                  Join(saved_.marginLeft, saved_.footer));
        SetDlgItemTextA(dialog, IDC_MARGIN_LEFT, row.typed);
        SetDlgItemTextA(dialog, IDC_HEADER, "");
        SendMessageA(dialog, WM_COMMAND, row.button, 0);
        const bool kept = row.refused || row.button == IDCANCEL;
        EXPECT_EQ(Join(g_core.settings.marginLeft, g_core.settings.header),
                  Join(row.stored, kept ? saved_.header : ""));
        const char refusal[] = "A margin may have at most 4 characters: ";
        EXPECT_EQ(Join(g_boxes.size(), !g_boxes.empty() && g_boxes[0].text.rfind(refusal, 0) == 0),
                  Join(row.refused, row.refused));
        DestroyWindow(dialog);
    }
    // OK in the compiler options writes their switches.
    g_app.compiler = CompilerOptions{};
    Confirm(Dialog(IDD_COMPILER_OPTIONS, CompileOptionsDlgProc), IDOK);  // untouched, on a fresh installation
    EXPECT_TRUE(Has(SettingsBytes(), "[ZURIRIRU]\r\nIncludePath=\r\nOptions=/W1 /E20 \r\n"))
        << SettingsBytes();
    WritePrivateProfileStringA("ZURIRIRU", "Options", "/Z /ML /W2 /E50 /DDEBUG", "QV5.INI");
    WritePrivateProfileStringA("ZURIRIRU", "IncludePath", "C:\\INC", "QV5.INI");
    HWND dialog = Dialog(IDD_COMPILER_OPTIONS, CompileOptionsDlgProc);
    EXPECT_EQ(Join(DlgText(dialog, IDC_MAX_ERRORS), DlgText(dialog, IDC_INCLUDE_PATH),
                   DlgText(dialog, IDC_SAVED_OPTIONS), IsDlgButtonChecked(dialog, IDC_MAP_FILE)),
              "50 C:\\INC /DDEBUG 1");
    const std::string longText(200, '7');
    for (auto [id, limit] : {std::pair{IDC_MAX_ERRORS, 3u},
                             {IDC_INCLUDE_PATH, 127u},
                             {IDC_SAVED_OPTIONS, 80u},
                             {IDC_SESSION_OPTIONS, 80u}}) {
        SendDlgItemMessageA(dialog, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
        EXPECT_EQ(DlgText(dialog, id).size(), limit) << id;
    }
    // A maximum that is no number is 0; leading blanks go, tabs stay.
    CheckDlgButton(dialog, IDC_MAP_FILE, BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_WARNING_0, IDC_WARNING_2, IDC_WARNING_0);
    for (auto [id, text] : {std::pair{IDC_MAX_ERRORS, "x"},
                            {IDC_INCLUDE_PATH, "  C:\\K"},
                            {IDC_SAVED_OPTIONS, "  /A   /B "},
                            {IDC_SESSION_OPTIONS, " \t/DX=1"}})
        SetDlgItemTextA(dialog, id, text);
    Confirm(dialog, IDOK);
    const CompilerOptions& o = g_app.compiler;
    EXPECT_EQ(Join(o.mapFile, o.warningLevel, o.maxErrors, o.compileCommandOptions), "0 0 0 \t/DX=1");
    const std::string ini = SettingsBytes();
    EXPECT_TRUE(Has(ini, "IncludePath=C:\\K\r\n") && Has(ini, "Options=/Z /W0 /E0 /A /B \r\n")) << ini;
    dialog = Dialog(IDD_COMPILER_OPTIONS, CompileOptionsDlgProc);
    SetDlgItemTextA(dialog, IDC_SESSION_OPTIONS, "/DNEW");
    SetDlgItemTextA(dialog, IDC_INCLUDE_PATH, "C:\\NEW");
    Confirm(dialog, IDCANCEL);
    EXPECT_EQ(Join(SettingsBytes() == ini, o.compileCommandOptions), "1 \t/DX=1");
}

TEST_F(Frame, PreferencesReachEveryDocumentAndTheSettingsFile)
{
    HWND windows[2] = {Open("\tX", "", 0, 0, 780, 300),
                       Open("\tX", "", 0, 0, 780, 300)};  // room for 80 columns
    EditState* docs[2] = {DocumentOfWindow(windows[0]), DocumentOfWindow(windows[1])};
    ShowWindow(windows[1], SW_MINIMIZE);
    const auto preferences = [&] { return Dialog(IDD_PREFERENCES, PreferencesDlgProc, windows[0]); };
    // The tab size is clamped and reaches the minimised document too; the view is drawn again.
    for (auto [typed, stored] : {std::pair{"0", 8}, {"99", 80}, {"80", 80}, {"1", 1}, {"x", 8}, {"", 8}}) {
        docs[0]->tabSize = docs[1]->tabSize = 3;
        HWND dialog = preferences();
        SetDlgItemTextA(dialog, IDC_TAB_SIZE, typed);
        Confirm(dialog, IDOK);
        const size_t x = std::string(docs[0]->cells, static_cast<size_t>(docs[0]->columns)).find('X');
        EXPECT_EQ(Join(g_core.settings.tabStops, docs[0]->tabSize, docs[1]->tabSize, x, IniInt("TabStops")),
                  Join(stored, stored, stored, stored, stored))
            << typed;
    }
    // The action-bar switch is posted only when changed; the insert mode is taken at once.
    for (auto [ticked, posted] : {std::pair{true, false}, {false, true}, {false, false}, {true, true}}) {
        HWND dialog = preferences();
        CheckDlgButton(dialog, IDC_SHOW_ACTION_BAR, ticked ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_INSERT_MODE, ticked ? BST_CHECKED : BST_UNCHECKED);
        Confirm(dialog, IDOK);
        MSG msg;
        const bool bar = PeekMessageA(&msg, g_app.frameWindow, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) &&
                         LOWORD(msg.wParam) == IDM_ACTION_BAR;
        Pump();
        EXPECT_EQ(Join(bar, g_app.actionBarShown, ActionBarWindow(g_app.actionBarBlock) != nullptr,
                       IniInt("ActionBar"), g_core.insertMode, IniInt("InsertMode")),
                  Join(posted, ticked, ticked, ticked, ticked, ticked));
    }
    // A font confirmed in the real font dialog: dropped on Cancel, even by a later OK; taken on OK.
    for (int button : {IDCANCEL, IDOK}) {
        const int heights[2] = {docs[0]->cellHeight, docs[1]->cellHeight}, rows = docs[0]->rows;
        const int size = g_core.settings.screenFontSize;
        HWND dialog = preferences();
        g_answered = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, PickLargestFont);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SCREEN_FONT, BN_CLICKED), 0);
        KillTimer(nullptr, timer);
        ASSERT_EQ(g_app.prefFontChosen, 1) << "the font dialog was confirmed";
        Confirm(dialog, button);
        if (button == IDCANCEL) Confirm(preferences(), IDOK);
        const bool larger = button == IDOK;
        EXPECT_EQ(Join(g_core.settings.screenFontSize > size, docs[0]->cellHeight > heights[0],
                       docs[1]->cellHeight > heights[1], docs[0]->rows<rows, IniInt("ScreenFontSize")> size),
                  Join(larger, larger, larger, larger, larger));
    }
    EXPECT_NE(docs[1]->font, g_app.screenFontHandle) << "each view draws in a copy of its own";
}

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(c));
    return text;
}

// The colour most pixels of cells [column1, column2) of the first row show other than `back`,
// and "!" when the background at each cell's top right pixel (clear of the caret) is not `back`.
std::string InkOfCells(HDC dc, const EditState* d, int column1, int column2, COLORREF back)
{
    std::map<COLORREF, int> counts;
    bool onBack = true;
    for (int c = column1; c < column2; ++c) {
        onBack = onBack && GetPixel(dc, (c + 1) * d->cellWidth - 1, 0) == back;
        for (int y = 0; y < d->cellHeight; ++y)
            for (int x = c * d->cellWidth; x < (c + 1) * d->cellWidth; ++x)
                if (COLORREF p = GetPixel(dc, x, y); p != back && p != CLR_INVALID) ++counts[p];
    }
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return Hex(most == counts.end() ? CLR_INVALID : most->first) + (onBack ? "" : "!");
}

// The inks of the first row's keyword, string, number, plain name and comment in the line
// `PROC "str" 12 x ; note`, as the window shows them, then as WM_PRINTCLIENT copies them.
std::string Inks(HWND window, const EditState* d, COLORREF back)
{
    HDC screen = GetDC(window);
    HDC copy = CreateCompatibleDC(screen);
    RECT client;
    GetClientRect(window, &client);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(copy, bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(copy), PRF_CLIENT);
    std::string out;
    for (HDC dc : {screen, copy})
        for (auto [from, to] : {std::pair{0, 4}, {5, 10}, {11, 13}, {14, 15}, {16, 22}})
            out += InkOfCells(dc, d, from, to, back) + " ";
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, screen);
    return out;
}

// Inks as Inks writes them, the same for the window and the copy.
std::string Expected(std::initializer_list<COLORREF> colours)
{
    std::string row;
    for (COLORREF c : colours) row += Hex(c) + " ";
    return row + row;
}

// Scripts are drawn in their syntax colours, on screen and in the client copy; the Preferences
// box switches every script to plain text at once.
TEST_F(Frame, ScriptsAreDrawnInTheirSyntaxColoursUntilPreferencesSwitchThemOff)
{
    const COLORREF back = g_app.windowColor, text = g_app.windowTextColor;
    const COLORREF* shade = g_app.syntaxColours;
    const char* line = "PROC \"str\" 12 x ; note";
    // A text file drawn plainly is read off the screen end to end.
    HWND script = Open("", std::string(line) + "\r\nx\r\n", 0, 0, 400, 200);
    EditState* scriptDoc = doc;
    ASSERT_TRUE(script);
    UpdateWindow(script);
    EXPECT_EQ(Inks(script, scriptDoc, back), Expected({shade[1], shade[2], shade[4], text, shade[3]}));

    // A selection is drawn by inversion over the colours.
    for (int i = 0; i < 4; ++i) Press(script, VK_RIGHT, true);
    UpdateWindow(script);
    HDC dc = GetDC(script);
    EXPECT_EQ(InkOfCells(dc, scriptDoc, 0, 4, back ^ 0xFFFFFF), Hex(shade[1] ^ 0xFFFFFF));
    ReleaseDC(script, dc);

    HWND dialog = Dialog(IDD_PREFERENCES, PreferencesDlgProc, script);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SYNTAX_COLOURS), BST_CHECKED);
    CheckDlgButton(dialog, IDC_SYNTAX_COLOURS, BST_UNCHECKED);
    Confirm(dialog, IDOK);
    Pump();
    UpdateWindow(script);
    EXPECT_EQ(Inks(script, scriptDoc, back), Expected({text, text, text, text, text}));
    EXPECT_EQ(Join(g_core.settings.syntaxColours, IniInt("SyntaxColours")), "0 0");
}

int CALLBACK CountFaces(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

// The screen font of the settings is shown when the system has the face in any character set
// or under a substitute name; only a face it does not have at all gives way to the stock font,
// for this run: the three font settings stay the user's, in QV5.INI too.
TEST_F(Frame, TheUsersScreenFontSettingsAreKeptWhicheverFontIsShown)
{
    HFONT stock = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    // The face the stock font is drawn in is installed; it has no Shift-JIS fonts here: asked for
    // that set alone the system lists none.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, stock);
    char installed[LF_FACESIZE] = "";
    GetTextFaceA(screen, sizeof installed, installed);
    SelectObject(screen, old);
    LOGFONTA asked{};
    asked.lfCharSet = SHIFTJIS_CHARSET;
    std::snprintf(asked.lfFaceName, sizeof asked.lfFaceName, "%s", installed);
    int inSet = 0;
    EnumFontFamiliesExA(screen, &asked, CountFaces, reinterpret_cast<LPARAM>(&inSet), 0);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(Join(installed[0] != '\0', inSet), Join(true, 0)) << installed;
    const struct {
        const char* what;
        std::string face;
        int charset;
        bool shown;
    } cases[] = {
        {"installed for other character sets", installed, SHIFTJIS_CHARSET, true},
        {"a substitute name", "MS Shell Dlg", ANSI_CHARSET, true},
        {"not installed", "Zavodo No Such Face", ANSI_CHARSET, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Settings& s = g_core.settings;
        std::snprintf(s.screenFont, sizeof s.screenFont, "%s", c.face.c_str());
        s.screenCharset = static_cast<uint8_t>(c.charset);
        s.screenFontSize = 13;
        SendMessageA(g_app.frameWindow, WM_FONTCHANGE, 0, 0);
        SettingsSave();
        EXPECT_EQ(Join(g_app.screenFontHandle != stock, s.screenFont, int{s.screenCharset}, s.screenFontSize),
                  Join(c.shown, c.face, c.charset, 13));
        EXPECT_EQ(
            Join(IniText("Kestrel Editor", "ScreenFont"), IniInt("ScreenCharset"), IniInt("ScreenFontSize")),
            Join(c.face, c.charset, 13));
    }
}

TEST_F(Frame, RepeatLastFindWithoutAMatchSaysSoAndGotoLineReadsTheNumberLikeAtoi)
{
    // Find, Replace and Replace All themselves are tested natively.
    std::string text;
    for (int i = 1; i <= 50; ++i) text += "line " + std::to_string(i) + "\n";
    HWND window = Open("", text, 0, 0, 400, 200);
    ASSERT_NE(doc, nullptr);
    SetSearch("line 4", "");
    SendMessageA(window, WM_COMMAND, IDM_FIND_AGAIN, 0);
    const int32_t hit = static_cast<int32_t>(text.find("line 4"));
    EXPECT_EQ(doc->caretOffset, hit);
    SetSearch("no such line", "");
    SendMessageA(window, WM_COMMAND, IDM_FIND_AGAIN, 0);
    EXPECT_EQ(Join(doc->caretOffset, g_app.statusText), Join(hit, "Search text not found."));
    ASSERT_NE(SetTimer(nullptr, 0, 50, AnswerGotoLine), 0u);
    SendMessageA(window, WM_COMMAND, IDM_GOTO_LINE, 0);
    EXPECT_EQ(Join(g_core.search.dialogTarget == doc, doc->topLine, doc->caretOffset),
              Join(1, 2, text.find("line 3")));
}

}  // namespace
