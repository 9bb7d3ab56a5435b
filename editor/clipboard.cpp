// Plain text through the clipboard: out with CR LF line ends, in with the CRs left out, since
// the document keeps bare LFs.
#include "editor/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "doc/edit.h"
#include "doc/memory.h"
#include "doc/view.h"

namespace {

// The clipboard, open for as long as the object lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(WindowHandle owner) : open_(OpenClipboard(static_cast<HWND>(owner)) != FALSE) {}
    ~OpenedClipboard()
    {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// A locked global memory block, unlocked when the object goes.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), bytes_(static_cast<char*>(GlobalLock(block))) {}
    ~LockedGlobal()
    {
        if (bytes_) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    char* get() const { return bytes_; }

private:
    HGLOBAL block_;
    char* bytes_;
};

// The global block of CF_TEXT for text [start, end): LF as CR LF, then the NUL. Null when
// memory is short.
HGLOBAL MakeClipboardText(const char* text, int32_t start, int32_t end)
{
    const size_t lineEnds = static_cast<size_t>(std::count(text + start, text + end, '\n'));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(end - start) + lineEnds + 1);
    if (!block) return nullptr;
    {
        LockedGlobal locked(block);
        char* out = locked.get();
        if (!out) {
            GlobalFree(block);
            return nullptr;
        }
        for (int32_t i = start; i < end; ++i) {
            if (text[i] == '\n') *out++ = '\r';
            *out++ = text[i];
        }
        *out = '\0';
    }
    return block;
}

// The clipboard's text without CRs in a block of ours (AllocBlock), or null.
char* ClipboardTextWithoutCr(WindowHandle owner)
{
    OpenedClipboard clipboard(owner);
    if (!clipboard) return nullptr;
    HGLOBAL data = GetClipboardData(CF_TEXT);
    if (!data) return nullptr;
    LockedGlobal locked(data);
    const char* in = locked.get();
    if (!in) return nullptr;
    // The text ends at its NUL or, should the owner have left it out, at the block's end.
    const size_t blockSize = GlobalSize(data);
    const void* nul = std::memchr(in, '\0', blockSize);
    const size_t size = nul ? static_cast<size_t>(static_cast<const char*>(nul) - in) : blockSize;
    char* copy = static_cast<char*>(AllocBlock(size + 1));
    if (!copy) return nullptr;
    char* out = copy;
    for (size_t i = 0; i < size; ++i)
        if (in[i] != '\r') *out++ = in[i];
    *out = '\0';
    return copy;
}

}  // namespace

bool CopySelectionToClipboard(EditState* doc)
{
    const int32_t start = std::clamp(std::min(doc->anchorOffset, doc->caretOffset), 0, doc->length);
    const int32_t end = std::clamp(std::max(doc->anchorOffset, doc->caretOffset), 0, doc->length);
    HGLOBAL block = MakeClipboardText(doc->text, start, end);
    if (!block) return false;
    OpenedClipboard clipboard(doc->hwnd);
    if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
        GlobalFree(block);  // still ours: the clipboard did not take it
        return false;
    }
    return true;
}

bool PasteFromClipboard(EditState* doc)
{
    char* text = ClipboardTextWithoutCr(doc->hwnd);
    if (!text) return false;
    const bool inserted = text[0] != '\0' && InsertString(doc, text);
    FreeBlock(text);
    if (inserted) RedrawRows(doc, 0, 0, doc->rows, doc->columns);
    return inserted;
}

bool ClipboardOffersText(WindowHandle owner)
{
    OpenedClipboard clipboard(owner);
    return clipboard && IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}
