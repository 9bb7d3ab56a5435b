// Growth of a document's text block, scroll-bar scaling, and the working window: a small copy
// of the visible lines that takes the keystrokes when much text follows the caret, merged back
// into the main text when it closes.
#include "doc/buffer.h"

#include <algorithm>

#include "doc/core_state.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "resources/ids.h"

namespace {

// Grows a block by `need` bytes, at least kGrowMinimum; null when it cannot.
void* GrowBlock(char* block, int32_t* capacity, int32_t need)
{
    int32_t amount = need < kGrowMinimum ? kGrowMinimum : need;
    int64_t newSize = static_cast<int64_t>(*capacity) + amount;
    void* grown = newSize > INT32_MAX ? nullptr : ResizeBlock(block, static_cast<size_t>(newSize));
    if (grown) *capacity += amount;
    return grown;
}

// A working copy about to hold up to `copyCapacity` - 1 bytes: the main block first gets the
// room to take all of them back, so that closing the window never needs memory and never loses
// what was typed in it. A keystroke that cannot have that room is refused instead.
bool ReserveMerge(int64_t copyCapacity)
{
    WorkingWindowSave& save = g_core.working;
    const int64_t most = copyCapacity - 1 - save.windowLength;  // the copy's largest growth
    const int64_t missing = save.mainLength + most + 1 - save.mainCapacity;
    if (missing <= 0) return true;
    void* grown = GrowBlock(save.mainText, &save.mainCapacity,
                            static_cast<int32_t>(std::min<int64_t>(missing, INT32_MAX)));
    if (grown) save.mainText = static_cast<char*>(grown);
    return grown != nullptr;
}

}  // namespace

bool GrowText(EditState* doc, int32_t need)
{
    const int32_t amount = need < kGrowMinimum ? kGrowMinimum : need;
    const bool reserved =
        !(doc->docFlags & kDocWorkingWindow) || ReserveMerge(static_cast<int64_t>(doc->capacity) + amount);
    void* grown = reserved ? GrowBlock(doc->text, &doc->capacity, need) : nullptr;
    if (!grown) {
        Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
        return false;
    }
    doc->text = static_cast<char*>(grown);
    doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, AbsoluteCaret(doc), AbsoluteLength(doc));
    return true;
}

int ScaleScrollBar(WindowHandle window, int bar, int32_t position, int32_t maximum)
{
    int divisor = maximum / kScrollUnits + 1;
    Screen().SetScrollRange(window, bar, 0, maximum / divisor, false);
    Screen().SetScrollPosition(window, bar, position / divisor, false);
    return divisor;
}

void SetVerticalRange(EditState* doc, int32_t maximum)
{
    Screen().SetScrollRange(doc->hwnd, kBarVertical, 0, maximum / doc->scrollDivisor, false);
}

void SetVerticalPosition(EditState* doc, int32_t offset)
{
    Screen().SetScrollPosition(doc->hwnd, kBarVertical, offset / doc->scrollDivisor, true);
}

namespace {

enum class Visible { kComplete, kTextEnd, kCut };

// End of the visible lines plus one from `from`: after the (rows + 1)-th LF (kComplete), the
// NUL's position when the text ends first (kTextEnd), or kWorkingWindowMost bytes on when the
// lines are longer than that (kCut).
const char* VisibleEnd(const char* from, const char* end, int32_t rows, Visible* state)
{
    const char* limit = end - from > kWorkingWindowMost ? from + kWorkingWindowMost : end;
    const char* p = from;
    for (int32_t i = 0; i < rows + 1; ++i) {
        const char* next = NextLineStart(limit, p);
        if (next == p || next[-1] != '\n') {
            *state = limit == end ? Visible::kTextEnd : Visible::kCut;
            return limit;
        }
        p = next;
    }
    *state = Visible::kComplete;
    return p;
}

}  // namespace

int32_t WindowSpan(const EditState* doc)
{
    const char* from = doc->text + doc->topOffset;
    Visible state = Visible::kComplete;
    const char* stop = VisibleEnd(from, doc->text + doc->length, doc->rows, &state);
    // Up to and including the last LF, or up to the NUL or the cut and room for a NUL; plus one.
    int32_t span = static_cast<int32_t>(stop - from) + (state == Visible::kComplete ? 0 : 1);
    return span + 1;
}

void OpenWorkingWindow(EditState* doc)
{
    int32_t span = WindowSpan(doc);
    if (doc->docFlags & kDocWorkingWindow) return;
    if (doc->length - doc->caretOffset < kWorkingWindowThreshold) return;

    // The visible lines plus one, or up to the NUL or the cut; the span was measured on the same
    // text, so the copy and its NUL always fit.
    const char* from = doc->text + doc->topOffset;
    Visible state = Visible::kComplete;
    const char* stop = VisibleEnd(from, doc->text + doc->length, doc->rows, &state);
    const int32_t k = static_cast<int32_t>(stop - from);
    // A caret scrolled out of view lies outside the copy: the main block is edited then. So it
    // is when the caret stands at or beyond a cut, where the next byte is not in the copy.
    if (doc->caretOffset < doc->topOffset || doc->caretOffset > doc->topOffset + k) return;
    // Text typed above a view scrolled away from the caret leaves its top inside a line: the
    // copy would start there and Backspace at its start would reach before it.
    if (doc->topOffset > 0 && doc->text[doc->topOffset - 1] != '\n') return;
    if (state == Visible::kCut && doc->caretOffset >= doc->topOffset + k) return;

    char* copy = static_cast<char*>(AllocBlock(static_cast<size_t>(span)));
    if (!copy) return;  // editing goes on in the main block
    MoveBytes(copy, from, k);
    copy[k] = '\0';

    WorkingWindowSave& save = g_core.working;
    save.mainText = doc->text;
    save.windowBase = doc->topOffset;
    save.mainLength = doc->length;
    save.mainCapacity = doc->capacity;
    save.windowLength = k;
    save.cut = state == Visible::kCut;

    doc->capacity = span;
    doc->text = copy;
    doc->caretOffset -= save.windowBase;
    doc->anchorOffset -= save.windowBase;
    doc->topOffset = 0;
    doc->length = k;
    doc->docFlags |= kDocWorkingWindow;
}

void CloseWorkingWindow(EditState* doc)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return;
    WorkingWindowSave& save = g_core.working;
    const int32_t copyLength = doc->length;
    const int32_t delta = copyLength - save.windowLength;
    char* copy = doc->text;

    doc->length = save.mainLength;
    doc->capacity = save.mainCapacity;
    doc->text = save.mainText;
    // From here on the record describes the main text again, so GrowText scales the scroll bar
    // from whole-document offsets.
    doc->docFlags &= static_cast<uint8_t>(~kDocWorkingWindow);
    doc->topOffset += save.windowBase;
    doc->caretOffset += save.windowBase;
    doc->anchorOffset += save.windowBase;

    if (delta == 0) {
        MoveBytes(doc->text + save.windowBase, copy, copyLength);
    } else {
        // GrowText keeps room here for all the copy can hold; should the main block still have
        // to grow and cannot, the copy is dropped: the user has seen the message and the main
        // text keeps what it had before the window opened.
        bool room = true;
        if (delta > 0 && save.mainLength + int64_t{delta} >= save.mainCapacity)
            room = GrowText(doc, delta + 1);
        if (room) {
            int32_t tailFrom = save.windowBase + save.windowLength;
            MoveBytes(doc->text + save.windowBase + copyLength, doc->text + tailFrom,
                      save.mainLength - tailFrom);
            MoveBytes(doc->text + save.windowBase, copy, copyLength);
            doc->length += delta;
            doc->text[doc->length] = '\0';
        } else {
            // Offsets taken in the dropped copy may point past the kept text.
            if (doc->topOffset > doc->length) doc->topOffset = LineStart(doc->text, doc->length);
            if (doc->caretOffset > doc->length) doc->caretOffset = doc->length;
            if (doc->anchorOffset > doc->length) doc->anchorOffset = doc->length;
        }
    }
    FreeBlock(copy);

    doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, doc->caretOffset, doc->length);
    doc->docFlags |= kDocModified;
}

bool WindowCut(const EditState* doc)
{
    return (doc->docFlags & kDocWorkingWindow) && g_core.working.cut;
}

const char* TextAfterWindow(const EditState* doc, int32_t* length)
{
    if (!(doc->docFlags & kDocWorkingWindow)) {
        *length = 0;
        return nullptr;
    }
    const WorkingWindowSave& save = g_core.working;
    const int32_t tail = save.windowBase + save.windowLength;
    *length = save.mainLength - tail;
    return save.mainText + tail;
}

int32_t AbsoluteCaret(const EditState* doc)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return doc->caretOffset;
    return doc->caretOffset + g_core.working.windowBase;
}

int32_t AbsoluteLength(const EditState* doc)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return doc->length;
    return doc->length - g_core.working.windowLength + g_core.working.mainLength;
}

int32_t AbsoluteTop(const EditState* doc)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return doc->topOffset;
    return doc->topOffset + g_core.working.windowBase;
}

int32_t ToWindowOffset(const EditState* doc, int32_t offset)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return offset;
    return offset - g_core.working.windowBase;
}
