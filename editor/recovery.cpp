// Recovery snapshots and files changed on disk. A snapshot is written only from the document
// window's timer, after the input has rested, never while a key is handled; a write that fails
// leaves editing alone and is reported once per run.
#include "editor/recovery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/window_list.h"
#include "doc/buffer.h"
#include "doc/fault_marks.h"
#include "doc/format.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "resources/ids.h"

namespace {

constexpr UINT kShortestTick = 50;
constexpr UINT kLongestTick = 500;

// Often enough to meet the idle time closely, seldom enough to cost nothing.
UINT TickPeriod()
{
    return std::clamp<UINT>(g_app.recoveryTiming.idle / 4, kShortestTick, kLongestTick);
}

void StopTimer(HWND window, EditState* doc)
{
    if (doc->recovery.timer) KillTimer(window, kSnapshotTimer);
    doc->recovery.timer = 0;
}

void RemoveSnapshot(EditState* doc)
{
    if (doc->recovery.file[0]) static_cast<void>(DeleteFileA(doc->recovery.file));
    doc->recovery.written = 0;
    doc->recovery.pending = 0;
    doc->recovery.discarded = 0;
}

void TakeStamp(EditState* doc)
{
    const DiskStamp stamp = QueryDiskStamp(doc->path);
    doc->recovery.diskExists = stamp.exists ? 1 : 0;
    doc->recovery.diskWriteTime = stamp.writeTime;
    doc->recovery.diskSize = stamp.size;
}

DiskStamp KnownStamp(const EditState* doc)
{
    DiskStamp known;
    known.exists = doc->recovery.diskExists != 0;
    known.writeTime = doc->recovery.diskWriteTime;
    known.size = doc->recovery.diskSize;
    return known;
}

// This run's next snapshot file name; the folder is made when it is missing.
bool NameSnapshot(EditState* doc)
{
    char folder[MAX_PATH];
    if (!RecoveryFolder(folder, sizeof folder)) return false;
    if (!CreateDirectoryA(folder, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const int n = std::snprintf(doc->recovery.file, sizeof doc->recovery.file, "%s\\%08lX%04lX.ZVR", folder,
                                static_cast<unsigned long>(g_app.recoveryRun),
                                static_cast<unsigned long>(g_app.recoverySerial & 0xFFFF));
    ++g_app.recoverySerial;
    if (n < 0 || static_cast<size_t>(n) >= sizeof doc->recovery.file) {
        doc->recovery.file[0] = '\0';
        return false;
    }
    return true;
}

bool WriteSnapshot(EditState* doc)
{
    if (!doc->recovery.file[0] && !NameSnapshot(doc)) return false;
    // The whole text is in one block only while no working window is open.
    CloseWorkingWindow(doc);
    const bool titled = doc->path[0] != '\0';
    return WriteSnapshotFile(doc->recovery.file, titled ? doc->path : nullptr,
                             titled ? 0 : doc->recovery.untitledNumber,
                             static_cast<uint64_t>(std::time(nullptr)), doc->text, doc->length);
}

void NoticeFailedSnapshot()
{
    if (g_app.recoveryNoticeShown) return;
    g_app.recoveryNoticeShown = 1;
    char folder[MAX_PATH];
    if (!RecoveryFolder(folder, sizeof folder)) folder[0] = '\0';
    ShowMessage(g_app.frameWindow, 0, IDS_SNAPSHOT_FAILED, folder);
}

// The text becomes block (length bytes and a NUL); the caret and the top keep their places as
// far as the new text reaches.
void InstallText(EditState* doc, char* block, int32_t length)
{
    ClearFaultMarks(doc);
    doc->text = block;
    doc->length = length;
    doc->capacity = length;
    doc->caretOffset = std::min(doc->caretOffset, length);
    doc->anchorOffset = doc->caretOffset;
    doc->topOffset = LineStart(doc->text, std::min(doc->topOffset, length));
    doc->topLine = CountLineEnds(doc->text, 0, doc->topOffset);
    doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, doc->caretOffset, doc->length);
    LocateCaret(doc);
    CaretUpdate(doc);
    SetTop(doc, doc->topOffset);
}

// Whether a file of that name exists; then the window list loads it.
bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool RecoveryFolder(char* out, size_t size)
{
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows) return false;
    char name[64];
    if (LoadStringA(ResourceInstance(), IDS_RECOVERY_FOLDER, name, sizeof name) <= 0) return false;
    const int written = std::snprintf(out, size, "%s\\%s", windows, name);
    return written > 0 && static_cast<size_t>(written) < size;
}

void StartRecovery()
{
    g_app.recoveryTiming = ParseSnapshotTiming(std::getenv("ZAVODO_RECOVERY_TIMING"));
    // The start time and the process tell this run's files from those an earlier run left.
    g_app.recoveryRun = static_cast<uint32_t>(std::time(nullptr)) ^ (GetCurrentProcessId() << 20);
    g_app.recoverySerial = 0;
}

DiskStamp QueryDiskStamp(const char* path)
{
    DiskStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path[0] || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return stamp;
}

void RecoveryDocumentMade(EditState* doc)
{
    // CreateDocument has just titled an untitled document with the counter's previous value.
    doc->recovery.untitledNumber = doc->path[0] ? 0 : g_core.untitledCounter - 1;
    TakeStamp(doc);
}

void RecoveryInput(HWND window, EditState* doc)
{
    // Input after a refused close makes the text worth keeping again.
    doc->recovery.discarded = 0;
    if (!g_core.settings.recoveryCopies) return;
    doc->recovery.lastInput = GetTickCount();
    doc->recovery.pending = 1;
    if (!doc->recovery.timer && SetTimer(window, kSnapshotTimer, TickPeriod(), nullptr))
        doc->recovery.timer = 1;
}

void RecoveryTimer(HWND window, EditState* doc)
{
    auto& r = doc->recovery;
    if (!r.pending || !g_core.settings.recoveryCopies || !(doc->docFlags & kDocModified)) {
        r.pending = 0;
        StopTimer(window, doc);
        return;
    }
    // A drag holds offsets into the working window: it is not closed under it.
    if (g_app.leftButtonDown) return;
    const uint32_t now = GetTickCount();
    if (!SnapshotDue(now, r.lastInput, r.written != 0, r.lastWritten, g_app.recoveryTiming)) return;
    StopTimer(window, doc);
    r.pending = 0;
    r.lastWritten = now;
    if (WriteSnapshot(doc))
        r.written = 1;
    else
        NoticeFailedSnapshot();
}

void RecoveryDocumentSaved(EditState* doc)
{
    RemoveSnapshot(doc);
    TakeStamp(doc);
}

void RecoveryDiscard(EditState* doc)
{
    doc->recovery.discarded = 1;
    doc->recovery.pending = 0;
}

void RecoveryWindowGone(HWND window, EditState* doc)
{
    StopTimer(window, doc);
    if (doc->recovery.discarded) RemoveSnapshot(doc);
}

void RecoveryActivated(HWND window, EditState* doc)
{
    if (!g_core.settings.checkDiskChanges || !doc->path[0] || doc->recovery.asking) return;
    if (CompareDiskStamp(KnownStamp(doc), QueryDiskStamp(doc->path)) != DiskChange::kNone)
        PostMessageA(window, UM_DISKCHANGED, 0, 0);
}

LRESULT RecoveryDiskChanged(HWND window, EditState* doc)
{
    auto& r = doc->recovery;
    if (r.asking || !doc->path[0]) return 0;
    const DiskStamp now = QueryDiskStamp(doc->path);
    const DiskChange change = CompareDiskStamp(KnownStamp(doc), now);
    if (change == DiskChange::kNone) return 0;
    // Asked once: the answer holds for this state of the file.
    r.diskExists = now.exists ? 1 : 0;
    r.diskWriteTime = now.writeTime;
    r.diskSize = now.size;
    r.asking = 1;
    const bool reload = change == DiskChange::kChanged &&
                        ShowMessage(g_app.frameWindow, 1, IDS_DISK_CHANGED, doc->path) == IDYES;
    if (change == DiskChange::kDeleted) ShowMessage(g_app.frameWindow, 0, IDS_DISK_DELETED, doc->path);
    r.asking = 0;
    if (reload && ReloadDocument(doc)) return 1;
    // This version differs from the file (or there is none): it is the user's unsaved work now.
    doc->docFlags |= kDocModified;
    RecoveryInput(window, doc);
    return 1;
}

bool ReloadDocument(EditState* doc)
{
    CloseWorkingWindow(doc);
    char* block = nullptr;
    int32_t length = 0;
    if (!ReadWholeFile(doc->path, true, &block, &length)) {
        ShowMessage(g_app.frameWindow, 0, IDS_RELOAD_FAILED, doc->path);
        return false;
    }
    HideHighlight(AsGrid(doc));
    char* old = doc->text;
    const int32_t oldLength = doc->length, oldCapacity = doc->capacity, oldCaret = doc->caretOffset;
    InstallText(doc, block, length);
    // Undo brings the old text back; without memory for the record it is simply gone.
    RecordWholeText(doc, old, oldLength, oldCapacity, oldCaret);
    doc->docFlags &= static_cast<uint8_t>(~kDocModified);
    RemoveSnapshot(doc);
    TakeStamp(doc);
    return true;
}

HWND RecoverSnapshot(const char* file, const SnapshotView& snapshot)
{
    char path[kPathSize] = "";
    std::memcpy(path, snapshot.path, std::min<size_t>(snapshot.pathLength, sizeof path - 1));
    if (!RoomForDocument()) return nullptr;
    // A file still there opens as usual (and is found under its name); a missing one is not
    // created again before the user saves.
    const bool load = path[0] && Exists(path);
    HWND window = NewDocumentWindow(load ? path : nullptr, 0, 0, 0, 0);
    EditState* doc = window ? DocumentOfWindow(window) : nullptr;
    if (!doc) return nullptr;
    char* block = static_cast<char*>(AllocBlock(static_cast<size_t>(snapshot.length) + 1));
    if (!block) {
        ShowMessage(g_app.frameWindow, 0, IDS_OUT_OF_MEMORY, nullptr);
        SendMessageA(g_app.clientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        return nullptr;
    }
    std::memcpy(block, snapshot.text, snapshot.length);
    block[snapshot.length] = '\0';
    CloseWorkingWindow(doc);
    ClearUndo(doc);
    FreeBlock(doc->text);
    doc->caretOffset = 0;
    doc->topOffset = 0;
    InstallText(doc, block, static_cast<int32_t>(snapshot.length));
    if (path[0] && !load) {
        CopyText(doc->path, sizeof doc->path, path);
        SetWindowTextA(window, doc->path);
        doc->recovery.untitledNumber = 0;
        TakeStamp(doc);
    }
    doc->docFlags |= kDocModified;
    CopyText(doc->recovery.file, sizeof doc->recovery.file, file);
    doc->recovery.written = 1;
    return window;
}
