// Plain text through the clipboard: out with CR LF line ends, in with the CRs left out, since
// the document keeps bare LFs.
#include "editor/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "doc/edit.h"
#include "doc/memory.h"
#include "doc/screen_seam.h"
#include "doc/view.h"
#include "app/app_state.h"
#include "app/message_box.h"
#include "resources/ids.h"

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

GlobalAllocFunction g_globalAlloc = GlobalAlloc;

}  // namespace

void SetClipboardAllocator(GlobalAllocFunction allocate)
{
    g_globalAlloc = allocate ? allocate : GlobalAlloc;
}

bool CopyToClipboard(const char* bytes, int32_t n)
{
    HWND owner = GetFocus();
    // Room for every byte being an LF, and the NUL.
    HGLOBAL block = g_globalAlloc(GMEM_MOVEABLE, 2 * static_cast<SIZE_T>(std::max(n, 0)) + 1);
    if (!block) {
        ShowMessage(g_app.frameWindow, kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        return false;
    }
    {
        LockedGlobal locked(block);
        char* out = locked.get();
        if (!out) {
            GlobalFree(block);
            ShowMessage(g_app.frameWindow, kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
            return false;
        }
        for (int32_t i = 0; i < n; ++i) {
            if (bytes[i] == '\0') continue;
            if (bytes[i] == '\n') *out++ = '\r';
            *out++ = bytes[i];
        }
        *out = '\0';
    }
    OpenedClipboard clipboard(owner);
    if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
        GlobalFree(block);  // still ours: the clipboard did not take it
        return false;
    }
    return true;
}

void PasteFromClipboard(EditState* doc)
{
    OpenedClipboard clipboard(doc->hwnd);
    if (!clipboard) return;
    HGLOBAL data = GetClipboardData(CF_TEXT);
    if (!data) return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    {
        LockedGlobal locked(data);
        if (const char* in = locked.get()) {
            // The text ends at its NUL or, should the owner have left it out, at the block's end.
            const size_t blockSize = GlobalSize(data);
            const void* nul = std::memchr(in, '\0', blockSize);
            const size_t size = nul ? static_cast<size_t>(static_cast<const char*>(nul) - in) : blockSize;
            if (char* copy = static_cast<char*>(AllocBlock(size + 1))) {
                char* out = copy;
                for (size_t i = 0; i < size; ++i)
                    if (in[i] != '\r') *out++ = in[i];
                *out = '\0';
                if (copy[0] != '\0') InsertString(doc, copy);
                FreeBlock(copy);
            } else {
                ShowMessage(g_app.frameWindow, kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
            }
        }
    }
    SetTop(doc, doc->topOffset);
    SetCursor(previous);
}

bool ClipboardOffersText(WindowHandle owner)
{
    OpenedClipboard clipboard(owner);
    return clipboard && IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

uint8_t OemChar(uint8_t c)
{
    char text[2] = {static_cast<char>(c), '\0'};
    CharToOemA(text, text);
    return static_cast<uint8_t>(text[0]);
}
