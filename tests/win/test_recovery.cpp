// Recovery copies and files changed on disk, in the real document window: the question on
// activation with each answer (reload with one undo record, keep, deleted, a reload that cannot
// read the file), asked once; a copy written when the input has rested and removed only with
// its closed window; a recovery folder that cannot be made reported once, editing untouched.
#include <gtest/gtest.h>

#include <string>

#include "app/window_list.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "editor/edit_window.h"
#include "editor/recovery.h"
#include "editor/save_prompt.h"
#include "resources/ids.h"
#include "tests/native/doc_helpers.h"
#include "tests/win/frame_fixture.h"
#include "tests/win/win_helpers.h"

namespace {

std::string Folder()
{
    char folder[MAX_PATH];
    EXPECT_TRUE(RecoveryFolder(folder, sizeof folder));
    return folder;
}

// Whether text starts with the program's string id.
bool StartsWith(const std::string& text, int id)
{
    char start[32];
    LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), start, sizeof start);
    return text.rfind(start, 0) == 0;
}

// An empty recovery folder (or none).
void ClearFolder()
{
    const std::string folder = Folder();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.ZVR").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
    DeleteFileA(folder.c_str());
}

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFolder();
        ASSERT_NE(StartTestFrame(800, 600), nullptr);
        WriteBytes(path, "old\r\n");
        window = NewDocumentWindow(path.c_str(), 0, 0, 0, 0);
        ASSERT_NE(window, nullptr);
        doc = DocumentOfWindow(window);
        ASSERT_NE(doc, nullptr);
    }
    void TearDown() override
    {
        g_core.settings = Settings{};
        g_app.recoveryNoticeShown = 0;
        if (doc) doc->docFlags = 0;  // closes without a question
        StopTestFrame();
        DeleteFileA(path.c_str());
        ClearFolder();
    }
    std::string path = TempPath("RECOVER.KSR");
    HWND window = nullptr;
    EditState* doc = nullptr;
};

TEST_F(RecoveryTest, ActivationAsksOnceAboutAFileChangedOnDisk)
{
    enum Disk { kRewrite, kDelete, kRewriteLocked };
    const struct {
        const char* what;
        Disk disk;
        int answer;
        int32_t check;
        std::string text;
        bool modified;
        std::vector<int> boxes;  // the messages shown, by the start of their text
        std::string undone;      // the text after Undo, empty: nothing to undo
    } cases[] = {
        {"reloaded", kRewrite, IDYES, 1, "new\ntext\n", false, {IDS_DISK_CHANGED}, "old\n"},
        {"kept", kRewrite, IDNO, 1, "old\n", true, {IDS_DISK_CHANGED}, ""},
        {"deleted", kDelete, IDOK, 1, "old\n", true, {IDS_DISK_DELETED}, ""},
        {"unreadable", kRewriteLocked, IDYES, 1, "old\n", true, {IDS_DISK_CHANGED, IDS_RELOAD_FAILED}, ""},
        {"switched off", kRewrite, IDYES, 0, "old\n", false, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        g_core.settings.checkDiskChanges = c.check;
        BoxHook boxes;
        g_boxAnswer = c.answer;
        Sleep(20);  // a later write time, whatever the file system's resolution
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.disk == kDelete) {
            ASSERT_TRUE(DeleteFileA(path.c_str()));
        } else {
            WriteBytes(path, "new\r\ntext\r\n");
            if (c.disk == kRewriteLocked)
                lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        }
        for (int pass = 0; pass < 2; ++pass) {  // asked once: the answer holds until the file changes again
            RecoveryActivated(window, doc);
            Pump();  // the posted question is answered
        }
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        EXPECT_EQ(Join(Text(doc), (doc->docFlags & kDocModified) != 0), Join(c.text, c.modified));
        ASSERT_EQ(g_boxes.size(), c.boxes.size());
        for (size_t i = 0; i < c.boxes.size(); ++i) EXPECT_TRUE(StartsWith(g_boxes[i].text, c.boxes[i])) << i;
        const int undid = Undo(doc);
        EXPECT_EQ(Join(undid, undid ? Text(doc) : ""), Join(c.undone.empty() ? 0 : 1, c.undone));
    }
}

TEST_F(RecoveryTest, CopyWrittenWhenTheInputRestsAndAFolderThatCannotBeMadeReportedOnce)
{
    BoxHook boxes;
    SendMessageA(window, WM_CHAR, 'x', 0);
    ASSERT_TRUE(doc->recovery.timer);
    RecoveryTimer(window, doc);  // the input has not rested yet
    EXPECT_FALSE(doc->recovery.written);
    doc->recovery.lastInput -= 5000;
    RecoveryTimer(window, doc);
    ASSERT_TRUE(doc->recovery.written);
    char* block = nullptr;
    int32_t length = 0;
    ASSERT_TRUE(ReadWholeFile(doc->recovery.file, false, &block, &length));
    SnapshotView view;
    EXPECT_EQ(ParseSnapshot(block, static_cast<size_t>(length), &view), SnapshotFault::kNone);
    EXPECT_EQ(std::string(view.text, view.length), "xold\n");
    EXPECT_EQ(std::string(view.path, view.pathLength), doc->path);
    FreeBlock(block);
    // A recovery folder that cannot be made is reported once, and editing goes on.
    TearDown();
    SetUp();
    WriteBytes(Folder(), "a file where the folder belongs");
    g_boxes.clear();
    for (char c : {'a', 'b'}) {
        SendMessageA(window, WM_CHAR, static_cast<WPARAM>(c), 0);
        doc->recovery.lastInput -= 20000;
        doc->recovery.lastWritten -= 20000;
        RecoveryTimer(window, doc);
        EXPECT_FALSE(doc->recovery.written);
    }
    ASSERT_EQ(Join(Text(doc), g_boxes.size()), "abold\n 1");
    EXPECT_TRUE(StartsWith(g_boxes[0].text, IDS_SNAPSHOT_FAILED)) << g_boxes[0].text;

    // A copy of a file another program now holds without sharing: message 300, no window, the
    // file's bytes as they were, and the copy stays for a later try.
    const std::string copy = TempPath("ZHELD.ZVR"), held = TempPath("ZHELD.KSR");
    WriteBytes(held, "on disk\r\n");
    ASSERT_TRUE(WriteSnapshotFile(copy.c_str(), held.c_str(), 0, 0, "recovered\n", 10));
    ASSERT_TRUE(ReadWholeFile(copy.c_str(), false, &block, &length));
    ASSERT_EQ(ParseSnapshot(block, static_cast<size_t>(length), &view), SnapshotFault::kNone);
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    g_boxes.clear();
    const int documents = g_app.documentCount;
    EXPECT_EQ(RecoverSnapshot(copy.c_str(), view), nullptr);
    CloseHandle(holder);
    FreeBlock(block);
    EXPECT_EQ(Join(g_app.documentCount - documents, FileExists(copy), ReadBytes(held)),
              Join(0, 1, "on disk\r\n"));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Cannot open file - " + held.substr(0, 80)});
    DeleteFileA(copy.c_str());
    DeleteFileA(held.c_str());
}

// Ending the program asks about each modified document in turn. A copy goes with its window
// only: "No" to one document and Cancel on the next leave both open, modified and kept.
TEST_F(RecoveryTest, ACopyGoesOnlyWhenItsDocumentHasReallyClosed)
{
    const struct {
        const char* what;
        std::vector<int> answers;
        bool ended;
    } cases[] = {
        {"No, then Cancel", {IDNO, IDCANCEL}, false},
        {"Cancel at once", {IDCANCEL}, false},
        {"No to both", {IDNO, IDNO}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        HWND second = NewDocumentWindow(nullptr, 0, 0, 0, 0);
        ASSERT_NE(second, nullptr);
        std::vector<std::string> files;
        for (HWND w : {window, second}) {
            EditState* d = DocumentOfWindow(w);
            SendMessageA(w, WM_CHAR, 'x', 0);
            d->recovery.lastInput -= 5000;
            RecoveryTimer(w, d);
            ASSERT_TRUE(d->recovery.written);
            files.push_back(d->recovery.file);
        }
        BoxHook boxes;
        g_boxAnswers = c.answers;
        SendMessageA(g_app.frameWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(Join(g_boxes.size(), g_app.frameWindow == nullptr), Join(c.answers.size(), c.ended));
        for (const std::string& file : files) EXPECT_EQ(FileExists(file), !c.ended) << file;
        if (c.ended) {
            doc = nullptr;
            continue;
        }
        // The document still open closes for good on "No": its copy goes with it.
        g_boxAnswers = {IDNO};
        SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(Join(IsWindow(window) != 0, FileExists(files[0]), FileExists(files[1])),
                  Join(false, false, true));
        doc = DocumentOfWindow(second);
    }
}

}  // namespace
