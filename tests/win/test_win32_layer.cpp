// The Win32 layer in-process: message boxes through the test hook, string-table texts, and a
// document window of the real class on a hidden MDI frame loading, painting and saving a file
// through the core and QVDSK32.DLL.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/window_list.h"
#include "tests/win/frame_fixture.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "app/win32_screen.h"
#include "doc/memory.h"
#include "doc/view.h"
#include "resources/ids.h"

namespace {

// What the message-box hook saw, and what it answers.
struct BoxRecord {
    int calls = 0;
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT style = 0;
    int answer = IDOK;
};
BoxRecord g_box;

int RecordBox(HWND owner, const char* text, const char* caption, UINT style)
{
    ++g_box.calls;
    g_box.owner = owner;
    g_box.text = text;
    g_box.caption = caption;
    g_box.style = style;
    return g_box.answer;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof dir, dir);
    EXPECT_GT(n, 0u);
    EXPECT_LT(n, sizeof dir);
    return std::string(dir) + name;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

std::string ReadFileBytes(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    std::string bytes;
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

std::string TitleOf(HWND window)
{
    char title[MAX_PATH + 16];
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool EndsWithNoCase(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && _stricmp(s.c_str() + s.size() - tail.size(), tail.c_str()) == 0;
}

class Win32Layer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame_ = StartTestFrame();  // never shown
        ASSERT_NE(frame_, nullptr);
        ASSERT_NE(g_app.clientWindow, nullptr);
    }
    static void TearDownTestSuite()
    {
        StopTestFrame();
        frame_ = nullptr;
    }
    void SetUp() override
    {
        g_box = BoxRecord{};
        g_app.messageBoxHook = RecordBox;
    }
    void TearDown() override
    {
        g_app.messageBoxHook = nullptr;
        RestoreDefaultAllocator();
    }
    static void Close(HWND doc)
    {
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(doc), 0);
    }

    static HWND frame_;
};
HWND Win32Layer::frame_ = nullptr;

TEST_F(Win32Layer, ShowMessageHandsTheComposedBoxToTheHook)
{
    g_box.answer = IDNO;
    EXPECT_EQ(ShowMessage(frame_, 1, IDS_CANNOT_WRITE, "C:\\A^B.KSR"), IDNO);
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.owner, frame_);
    EXPECT_EQ(g_box.text, "Cannot write to file - C:\\A\nB.KSR");
    EXPECT_EQ(g_box.caption, "Corvanet Editor");
    EXPECT_EQ(g_box.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    const std::string longPath(200, 'p');
    ShowMessage(frame_, 0, IDS_CANNOT_OPEN, longPath.c_str());
    EXPECT_EQ(g_box.text, "Cannot open file - " + longPath.substr(0, 80));

    ShowMessage(frame_, 0, IDS_OUT_OF_MEMORY, nullptr);
    EXPECT_EQ(g_box.text, "Out of memory! ");
}

TEST_F(Win32Layer, EachKindHasItsIconAndButtons)
{
    const struct {
        int kind;
        UINT style;
    } table[] = {
        {0, MB_ICONEXCLAMATION},
        {1, MB_YESNO | MB_ICONQUESTION},
        {2, MB_YESNOCANCEL | MB_ICONQUESTION},
        {3, MB_ICONHAND},
        {9, MB_ICONHAND},
    };
    for (const auto& row : table) {
        ShowMessage(frame_, row.kind, IDS_OUT_OF_MEMORY, nullptr);
        EXPECT_EQ(g_box.style, row.style) << "kind " << row.kind;
    }
}

TEST_F(Win32Layer, LoadStrFillsTheSharedBufferAndEmptiesItForMissingIds)
{
    const char* text = LoadStr(IDS_OUT_OF_MEMORY);
    EXPECT_EQ(text, g_app.scratch);
    EXPECT_STREQ(text, "Out of memory! ");
    EXPECT_STREQ(LoadStr(9999), "");
    EXPECT_STREQ(g_win32Screen.LoadStringText(IDS_APP_CAPTION), "Corvanet Editor");
}

TEST_F(Win32Layer, DocumentWindowLoadsTheFileUnderItsTitleAndSavesCrLfBack)
{
    const std::string path = TempPath("zavodo_w32_load.ksr");
    WriteFileBytes(path, std::string("a\r\nb\r\n\tc\0d", 11));

    HWND child = NewDocumentWindow(path.c_str(), 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    EditState* doc = DocumentOfWindow(child);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->hwnd, child);
    EXPECT_EQ(std::string(doc->text, static_cast<size_t>(doc->length)), "a\nb\n\tcd");
    EXPECT_EQ(doc->tabSize, g_core.settings.tabStops);
    EXPECT_GT(doc->cellWidth, 0);
    EXPECT_GT(doc->cellHeight, 0);
    EXPECT_EQ(TitleOf(child), doc->path);
    EXPECT_TRUE(EndsWithNoCase(doc->path, "zavodo_w32_load.ksr")) << doc->path;
    EXPECT_EQ(g_box.calls, 0);

    // Save goes through the frame to the active document and rewrites the file.
    WriteFileBytes(path, "junk");
    ASSERT_EQ(ActiveDocument(), child);
    SendMessageA(frame_, WM_COMMAND, IDM_SAVE, 0);
    EXPECT_EQ(ReadFileBytes(path), "a\r\nb\r\n\tcd");
    EXPECT_EQ(g_box.calls, 0);

    Close(child);
    DeleteFileA(path.c_str());
}

TEST_F(Win32Layer, SaveThatCannotWriteShowsMessage301WithThePath)
{
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    EditState* doc = DocumentOfWindow(child);
    const std::string bad = TempPath("no_such_folder_zavodo\\x.ksr");
    std::snprintf(doc->path, sizeof doc->path, "%s", bad.c_str());

    SendMessageA(child, WM_COMMAND, IDM_SAVE, 0);
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.owner, frame_);
    EXPECT_EQ(g_box.style, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(g_box.text, "Cannot write to file - " + bad.substr(0, 80));
    Close(child);
}

TEST_F(Win32Layer, UntitledDocumentsAreNumberedInTheirTitles)
{
    const uint32_t next = g_core.untitledCounter;
    HWND first = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    HWND second = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(TitleOf(first), "Untitled:" + std::to_string(next));
    EXPECT_EQ(TitleOf(second), "Untitled:" + std::to_string(next + 1));
    const EditState* doc = DocumentOfWindow(first);
    EXPECT_EQ(std::string(doc->text, static_cast<size_t>(doc->length)), "\n");
    Close(first);
    Close(second);
}

TEST_F(Win32Layer, SeamCallsReachTheDocumentWindow)
{
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    const EditState* doc = DocumentOfWindow(child);
    const int cw = doc->cellWidth, ch = doc->cellHeight;

    g_win32Screen.SetScrollRange(child, kBarVertical, 0, 500, false);
    g_win32Screen.SetScrollPosition(child, kBarVertical, 123, true);
    int low = -1, high = -1;
    ASSERT_TRUE(GetScrollRange(child, SB_VERT, &low, &high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 500);
    EXPECT_EQ(GetScrollPos(child, SB_VERT), 123);

    g_win32Screen.SetWindowTitle(child, "C:\\NEW.KSR");
    EXPECT_EQ(TitleOf(child), "C:\\NEW.KSR");

    // Update regions are kept for shown windows only.
    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(MoveWindow(child, 0, 0, 400, 300, FALSE));
    ShowWindow(child, SW_SHOWNOACTIVATE);
    UpdateWindow(frame_);
    ValidateRect(child, nullptr);
    g_win32Screen.InvalidateCells(child, 1, 2, 3, 5);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.left, 2 * cw);
    EXPECT_EQ(update.top, ch);
    EXPECT_EQ(update.right, 5 * cw);
    EXPECT_EQ(update.bottom, 3 * ch);
    ShowWindow(frame_, SW_HIDE);

    HCURSOR before = GetCursor();
    void* token = g_win32Screen.BeginWait();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    g_win32Screen.EndWait(token);
    EXPECT_EQ(GetCursor(), before);
    Close(child);
}

// Counts the blocks handed out and given back while it is in force.
struct Counts {
    int allocs = 0;
    int releases = 0;
    int failFrom = -1;  // allocation number from which every request fails; -1 never
} g_counts;

void* CountingAlloc(size_t size)
{
    if (g_counts.failFrom >= 0 && g_counts.allocs >= g_counts.failFrom) return nullptr;
    ++g_counts.allocs;
    return DefaultAllocator().alloc(size);
}
void* CountingResize(void* block, size_t size)
{
    return DefaultAllocator().resize(block, size);
}
void CountingRelease(void* block)
{
    ++g_counts.releases;
    DefaultAllocator().release(block);
}

TEST_F(Win32Layer, ClosingADocumentWindowFreesEveryBlockItTook)
{
    g_counts = Counts{};
    SetAllocator(BlockAllocator{CountingAlloc, CountingResize, CountingRelease});
    HWND child = NewDocumentWindow(nullptr, 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    EXPECT_GE(g_counts.allocs, 2);  // the record and the text
    Close(child);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(g_counts.releases, g_counts.allocs);
}

TEST_F(Win32Layer, NoMemoryFailsTheWindowCreationAndLeavesNothing)
{
    for (int failFrom : {0, 1, 2}) {  // the record, the grid's cells, then the text
        g_counts = Counts{};
        g_counts.failFrom = failFrom;
        SetAllocator(BlockAllocator{CountingAlloc, CountingResize, CountingRelease});
        g_box = BoxRecord{};
        EXPECT_EQ(NewDocumentWindow(nullptr, 0, 0, 0, 0), nullptr) << "failing from allocation " << failFrom;
        EXPECT_EQ(g_counts.releases, g_counts.allocs);
        EXPECT_EQ(ActiveDocument(), nullptr);
        // Only the text block's failure is reported; the record and the cells fail silently.
        EXPECT_EQ(g_box.text, failFrom == 2 ? "Out of memory! " : "");
    }
}

// A bitmap of the window's client size on which the window paints itself.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    bool Ready() const { return dc_ && bitmap_; }
    void PaintFrom(HWND window)
    {
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, GetSysColorBrush(COLOR_WINDOW));
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    // Whether any pixel of [x0, x1) x [y0, y1) differs from the window background.
    bool Ink(int x0, int x1, int y0, int y1) const
    {
        const COLORREF background = GetSysColor(COLOR_WINDOW);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (GetPixel(dc_, x, y) != background) return true;
        return false;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(Win32Layer, PaintDrawsRowsFromTheTopLineWithTabsExpanded)
{
    const std::string path = TempPath("zavodo_w32_paint.ksr");
    WriteFileBytes(path, "\tX\r\nYYYY\r\n");
    HWND child = NewDocumentWindow(path.c_str(), 0, 0, 0, 0);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(MoveWindow(child, 0, 0, 500, 200, FALSE));
    EditState* doc = DocumentOfWindow(child);
    const int cw = doc->cellWidth, ch = doc->cellHeight, tab = doc->tabSize;

    RECT client;
    ASSERT_TRUE(GetClientRect(child, &client));
    Canvas canvas(client.right, client.bottom);
    ASSERT_TRUE(canvas.Ready());
    canvas.PaintFrom(child);
    // Row 0: nothing under the tab, the X in the cell after it.
    EXPECT_FALSE(canvas.Ink(0, tab * cw, 0, ch));
    EXPECT_TRUE(canvas.Ink(tab * cw, (tab + 1) * cw, 0, ch));
    // Row 1: the four Ys from the left edge, nothing after them.
    EXPECT_TRUE(canvas.Ink(0, cw, ch, 2 * ch));
    EXPECT_FALSE(canvas.Ink(4 * cw, 10 * cw, ch, 2 * ch));

    SetTop(doc, 3);  // the view starts at the second line
    canvas.PaintFrom(child);
    EXPECT_TRUE(canvas.Ink(0, cw, 0, ch));
    EXPECT_FALSE(canvas.Ink(0, 20 * cw, ch, 3 * ch));

    Close(child);
    DeleteFileA(path.c_str());
}

}  // namespace
