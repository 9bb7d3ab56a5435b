// Creating a document, untitled or from a file, and writing it back. On disk lines end with
// CR LF; in memory with LF only. Load drops every CR and NUL; save writes LF as CR LF and, when
// asked, expands tabs to spaces.
#include "doc/document_file.h"

#include <cstring>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/file_size.h"
#include "doc/format.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "libs/qvdsk/qvdsk.h"
#include "resources/ids.h"

namespace {

void SetUpScrollBars(EditState* doc, int32_t maximum)
{
    doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, 0, maximum);
    ScaleScrollBar(doc->hwnd, kBarHorizontal, 0, kHorizontalColumns);
}

bool CreateUntitled(EditState* doc)
{
    char* block = static_cast<char*>(AllocBlock(kUntitledBlock));
    if (!block) {
        Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        return false;
    }
    block[0] = '\n';
    doc->text = block;
    doc->length = 1;
    doc->capacity = kUntitledBlock - 1;
    doc->topOffset = 0;
    doc->caretRow = 0;
    doc->topLine = 0;
    doc->path[0] = '\0';

    char title[64];
    FormatUnsigned(title, sizeof title, Screen().LoadStringText(IDS_UNTITLED_FORMAT), g_core.untitledCounter);
    Screen().SetWindowTitle(doc->hwnd, title);
    ++g_core.untitledCounter;

    SetUpScrollBars(doc, kUntitledBlock - 1);
    return true;
}

// Appends the bytes of chunk to out, dropping CR and NUL; answers the number kept.
int32_t FilterChunk(char* out, const char* chunk, int32_t n)
{
    char* p = out;
    for (int32_t i = 0; i < n; ++i) {
        char c = chunk[i];
        *p = c;
        p += (c != '\0') & (c != '\r');
    }
    return static_cast<int32_t>(p - out);
}

// Converts one step of text bytes into file bytes; answers the output column afterwards.
int32_t ExpandStep(const char* text, int32_t n, char* out, int32_t* produced, int32_t column, bool noTabs,
                   int32_t tabStops)
{
    char* p = out;
    for (int32_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c == '\n') {
            *p++ = '\r';
            *p++ = '\n';
            column = 1;
        } else if (c == '\t' && noTabs) {
            int32_t spaces = tabStops - (column - 1) % tabStops;
            std::memset(p, ' ', static_cast<size_t>(spaces));
            p += spaces;
            column += spaces;
        } else {
            *p++ = c;
            if (c != '\t') ++column;
        }
    }
    *produced = static_cast<int32_t>(p - out);
    return column;
}

}  // namespace

uint32_t FileSize(const char* path)
{
    uint64_t size = 0;
    switch (QueryFileSize(path, &size)) {
    case SizeQuery::kCannotOpen:  // missing, held by another program, no access: no text to show
    case SizeQuery::kFailed:
        return 0xFFFFFFFFu;
    case SizeQuery::kOk:
        break;
    }
    // 2^31 bytes or more cannot be held: answer a size that is negative as a signed number.
    return size >= 0x80000000u ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
}

bool CreateDocument(EditState* doc, const char* path)
{
    doc->docFlags = 0;
    if (path) return LoadDocument(doc, path);
    return CreateUntitled(doc);
}

bool LoadDocument(EditState* doc, const char* path)
{
    uint32_t size = FileSize(path);
    if (static_cast<int32_t>(size) < 0) {
        Screen().ShowMessage(kMessageExclamation, IDS_CANNOT_OPEN, path);
        return false;
    }
    char* block = static_cast<char*>(AllocBlock(static_cast<size_t>(size) + 1));
    if (!block) {
        Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        return false;
    }
    doc->text = block;
    doc->length = 0;
    doc->capacity = static_cast<int32_t>(size);
    doc->topOffset = 0;
    doc->caretOffset = 0;
    doc->topLine = 0;
    doc->leftColumn = 0;

    void* previousCursor = Screen().BeginWait();
    char name[kPathSize];
    CopyText(name, sizeof name, path);
    // A file that cannot be read whole is never shown as an empty or cut text that a save
    // would write over it.
    const LoadResult loaded = LoadText(doc, name);
    if (loaded != LoadResult::kLoaded) {
        Screen().EndWait(previousCursor);
        FreeBlock(doc->text);
        doc->text = nullptr;
        doc->length = doc->capacity = 0;
        if (loaded == LoadResult::kUnreadable) Screen().ShowMessage(kMessageExclamation, IDS_CANNOT_OPEN, path);
        return false;
    }

    // The view starts at the top of the text.
    doc->topOffset = 0;
    doc->topLine = 0;
    Screen().InvalidateCells(doc->hwnd, 0, 0, doc->rows, doc->columns);

    Screen().SetWindowTitle(doc->hwnd, name);
    doc->docFlags = 0;
    CopyText(doc->path, sizeof doc->path, name);
    SetUpScrollBars(doc, doc->length);
    Screen().EndWait(previousCursor);
    return true;
}

namespace {

// Bytes between two progress reports: a report costs nothing next to reading a mebibyte.
constexpr int32_t kProgressStep = 1 << 20;

int Percent(int64_t done, int64_t total)
{
    return total > 0 ? static_cast<int>(done * 100 / total) : 100;
}

// Reports the start and the end of a load or save, whichever way it ends.
class ProgressReport {
public:
    ProgressReport(int stringId, const char* name) : stringId_(stringId), name_(name)
    {
        Screen().ShowProgress(stringId_, name_, 0);
    }
    ~ProgressReport() { Screen().ShowProgress(stringId_, name_, -1); }
    ProgressReport(const ProgressReport&) = delete;
    ProgressReport& operator=(const ProgressReport&) = delete;
    void Show(int64_t done, int64_t total) const
    {
        Screen().ShowProgress(stringId_, name_, Percent(done, total));
    }

private:
    int stringId_;
    const char* name_;
};

}  // namespace

LoadResult LoadText(EditState* doc, char* path)
{
    FlFile* file = flopen(path, kFlRead);
    if (!file) return LoadResult::kUnreadable;
    if (file->name) CopyText(path, kPathSize, file->name);

    char* buffer = static_cast<char*>(AllocBlock(kTransferBuffer));
    if (!buffer) {
        Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        flclose(file);
        return LoadResult::kNoMemory;
    }
    // The block holds the announced size and its NUL. A file that yields less ends the loop
    // with what it gave; one that has grown since is cut at the announced size. A read that
    // fails ends it too, and the file counts as unreadable.
    const int32_t announced = doc->capacity;
    int32_t remaining = announced;
    int32_t kept = 0;
    int32_t nextReport = kProgressStep;
    const ProgressReport progress(IDS_PROGRESS_LOAD, path);
    while (remaining > 0) {
        int n = flread(buffer, 1, kReadChunk, file);
        if (n <= 0) break;
        if (n > remaining) n = remaining;
        remaining -= n;
        if (announced - remaining >= nextReport) {
            progress.Show(announced - remaining, announced);
            nextReport += kProgressStep;
        }
        int32_t k = FilterChunk(doc->text + kept, buffer, n);
        kept += k;
        doc->capacity -= n - k;
    }
    doc->text[kept] = '\0';
    doc->length = kept;
    const bool whole = file->status == 0;
    FreeBlock(buffer);
    flclose(file);
    return whole ? LoadResult::kLoaded : LoadResult::kUnreadable;
}

int SaveText(EditState* doc)
{
    FlFile* file = flopen(doc->path, kFlWrite);
    if (!file) return 0;
    void* previousCursor = Screen().BeginWait();

    char* buffer = static_cast<char*>(AllocBlock(kTransferBuffer));
    if (!buffer) {
        Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        file->status = -1;  // abandon: the library keeps the file's old contents
        flclose(file);
        Screen().EndWait(previousCursor);
        return 0;
    }

    const bool noTabs = g_core.settings.noTabs != 0;
    // NOLINTNEXTLINE(bugprone-signed-char-misuse): the setting is a signed 8-bit number by design
    int32_t tabStops = g_core.settings.tabStops;
    if (tabStops < 1 || tabStops > 80) tabStops = 8;  // the settings load guarantees this; stay safe
    bool written = true;
    int32_t column = 1;
    static_assert(kProgressStep % kSaveStep == 0, "a report falls on a step");
    const ProgressReport progress(IDS_PROGRESS_SAVE, doc->path);
    for (int32_t at = 0; at < doc->length && written; at += kSaveStep) {
        if (at % kProgressStep == 0 && at > 0) progress.Show(at, doc->length);
        int32_t step = doc->length - at < kSaveStep ? doc->length - at : kSaveStep;
        int32_t produced = 0;
        column = ExpandStep(doc->text + at, step, buffer, &produced, column, noTabs, tabStops);
        written = flwrite(buffer, 1, produced, file) == produced;
    }
    FreeBlock(buffer);
    if (!written) file->status = -1;
    written = flclose(file) == 0 && written;

    if (written) {
        doc->docFlags &= static_cast<uint8_t>(~kDocModified);
        ClearUndo(doc);
    }
    Screen().EndWait(previousCursor);
    return written ? 1 : 0;
}
