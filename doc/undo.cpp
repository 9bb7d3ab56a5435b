// The undo/redo log.
#include "doc/undo.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "doc/memory.h"

void FreeUndoRecord(UndoRecord* record)
{
    const uint8_t kind = record->kind;
    if (kind == kUndoInsertString || kind == kUndoDeleteRange || kind == kUndoWholeText) {
        FreeBlock(record->data.copy);
        record->data.copy = nullptr;
    }
}

void ClearUndo(EditState* doc)
{
    if (doc->undoLog) {
        for (int32_t i = 0; i < doc->undoCount; ++i) FreeUndoRecord(&doc->undoLog[i]);
        FreeBlock(doc->undoLog);
    }
    doc->undoLog = nullptr;
    doc->undoNext = 0;
    doc->undoCount = 0;
    doc->undoCapacity = 0;
}

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/edit.h"
#include "doc/fault_marks.h"
#include "doc/text.h"
#include "doc/view.h"

void RecordUndo(EditState* doc, uint8_t kind, int32_t v, const char* source, char* copy)
{
    const bool saved = kind == kUndoInsertString || kind == kUndoDeleteRange;
    if (g_core.undoReplay) {
        if (saved) FreeBlock(copy);
        return;
    }
    if (!doc->undoLog) {
        doc->undoLog = static_cast<UndoRecord*>(AllocBlock(sizeof(UndoRecord) * kUndoCapacity));
        if (!doc->undoLog) {
            if (saved) FreeBlock(copy);
            return;  // the edit goes unrecorded
        }
        doc->undoCapacity = kUndoCapacity;
        doc->undoNext = doc->undoCount = 0;
    } else {
        if (doc->undoNext == doc->undoCapacity - 1) {
            const int32_t q = doc->undoCapacity / 4;
            for (int32_t i = 0; i < q; ++i) FreeUndoRecord(&doc->undoLog[i]);
            std::memmove(doc->undoLog, doc->undoLog + q, sizeof(UndoRecord) * static_cast<size_t>(doc->undoCount - q));
            doc->undoNext -= q;
            doc->undoCount -= q;
        }
        for (int32_t i = doc->undoNext; i < doc->undoCount; ++i) FreeUndoRecord(&doc->undoLog[i]);
    }
    UndoRecord& r = doc->undoLog[doc->undoNext];
    doc->undoNext += 1;
    doc->undoCount = doc->undoNext;
    r.kind = kind;
    r.position = AbsoluteCaret(doc);
    if (saved) {
        r.data.copy = copy;
        if (copy) {
            CopyBytes(copy, source, v);
            copy[v] = '\0';
        }
    } else {
        r.data.character = static_cast<uint8_t>(v);
    }
}

bool RecordWholeText(EditState* doc, char* block, int32_t length, int32_t capacity, int32_t caret)
{
    if (!g_core.undoReplay) {
        // RecordUndo makes the slot: the log on first use, the oldest quarter dropped when it
        // is full, what could still be redone discarded. The slot then takes the block.
        RecordUndo(doc, kUndoInsertChar, 0, nullptr, nullptr);
        if (doc->undoLog) {
            UndoRecord& r = doc->undoLog[doc->undoNext - 1];
            r.kind = kUndoWholeText;
            r.position = caret;
            r.data.copy = block;
            r.wholeLength = length;
            r.wholeCapacity = capacity;
            r.wholeCaret = doc->caretOffset;
            return true;
        }
    }
    FreeBlock(block);
    return false;
}

namespace {

enum class Replay { kUndo, kRedo };

// Undo and redo of a whole text are the same exchange of blocks: the record gets the
// document's text, the document the record's; the caret goes in front of or behind the change.
int SwapWholeText(EditState* doc, UndoRecord& r, bool undo)
{
    CloseWorkingWindow(doc);
    ClearFaultMarks(doc);
    std::swap(doc->text, r.data.copy);
    std::swap(doc->length, r.wholeLength);
    std::swap(doc->capacity, r.wholeCapacity);
    doc->caretOffset = std::min(undo ? r.position : r.wholeCaret, doc->length);
    doc->anchorOffset = doc->caretOffset;
    doc->docFlags |= kDocModified;
    // The top stays on a line start of the text now shown.
    doc->topOffset = LineStart(doc->text, std::min(doc->topOffset, doc->length));
    doc->topLine = CountLineEnds(doc->text, 0, doc->topOffset);
    doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, doc->caretOffset, doc->length);
    LocateCaret(doc);
    CaretUpdate(doc);
    SetTop(doc, doc->topOffset);
    return 1;
}

// Whether replaying r keeps inside the text: a log made before a replace-all may describe
// text that is no longer there.
bool FitsText(const EditState* doc, const UndoRecord& r, bool deletes)
{
    int32_t length = AbsoluteLength(doc);
    int32_t span = 0;
    if (r.kind == kUndoInsertString || r.kind == kUndoDeleteRange) {
        if (!r.data.copy) return false;
        span = TextLength(r.data.copy);
    } else if (deletes) {
        span = 1;
    }
    if (r.position < 0 || r.position > length) return false;
    return !deletes || r.position + span <= length;
}

// The bytes a replay covers from the record's position: the text it deletes, none when it inserts.
int32_t DeletedSpan(const UndoRecord& r, bool deletes)
{
    if (!deletes) return 0;
    return r.kind == kUndoInsertString || r.kind == kUndoDeleteRange ? TextLength(r.data.copy) : 1;
}

// Whether the record's bytes lie inside the open working window, short of its last byte: then
// the replay edits the window as it would the whole text and only the window's bytes move. The
// caret stays short of the window's end too, so that the lines from the view's top to the
// caret, which bringing it into view walks, are all in the window.
bool InsideWindow(const EditState* doc, const UndoRecord& r, bool deletes)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return false;
    const int32_t at = ToWindowOffset(doc, r.position);
    return at >= 0 && int64_t{at} + DeletedSpan(r, deletes) < doc->length;
}

void PutCaretAt(EditState* doc, const UndoRecord& r, bool deletes)
{
    // Strings and ranges may reach beyond the visible lines: outside the window they are
    // replayed on the whole text, and the caret's cell is always found anew.
    bool whole = r.kind == kUndoInsertString || r.kind == kUndoDeleteRange;
    const bool atCaret = r.position == AbsoluteCaret(doc);
    if (InsideWindow(doc, r, deletes) ||
        (!whole && atCaret && ToWindowOffset(doc, r.position) < doc->length)) {
        doc->caretOffset = ToWindowOffset(doc, r.position);
        if (whole || !atCaret) LocateCaret(doc);
        return;
    }
    CloseWorkingWindow(doc);
    doc->caretOffset = r.position;
    LocateCaret(doc);
}

int ReplayRecord(EditState* doc, UndoRecord r, Replay way)
{
    // Undoing an insertion and redoing a deletion delete; the other two insert.
    if (r.kind == kUndoWholeText)
        return SwapWholeText(doc, doc->undoLog[way == Replay::kUndo ? doc->undoNext : doc->undoNext - 1],
                             way == Replay::kUndo);
    const bool insertion = r.kind == kUndoInsertChar || r.kind == kUndoInsertString;
    const bool deletes = (way == Replay::kUndo) == insertion;
    if (!FitsText(doc, r, deletes)) {
        ClearUndo(doc);
        return 0;
    }
    g_core.undoReplay = g_core.undoNoCopy = true;
    PutCaretAt(doc, r, deletes);
    bool character = r.kind == kUndoInsertChar || r.kind == kUndoDeleteChar;
    if (deletes && character) {
        DeleteChar(doc);
    } else if (deletes) {
        doc->anchorOffset = doc->caretOffset + TextLength(r.data.copy);
        DeleteSelection(doc);
    } else if (character ? !InsertChar(doc, r.data.character) : !InsertString(doc, r.data.copy)) {
        // No room for the text: the log must not refer to text that is not there. The caret
        // has moved all the same, so the view below still follows it.
        ClearUndo(doc);
    }
    g_core.undoReplay = g_core.undoNoCopy = false;
    LocateCaret(doc);
    CaretUpdate(doc);
    SetTop(doc, doc->topOffset);
    return 1;
}

}  // namespace

int Undo(EditState* doc)
{
    if (doc->undoNext < 1) return 0;
    doc->undoNext -= 1;
    return ReplayRecord(doc, doc->undoLog[doc->undoNext], Replay::kUndo);
}

int Redo(EditState* doc)
{
    if (doc->undoNext >= doc->undoCount) return 0;
    doc->undoNext += 1;
    return ReplayRecord(doc, doc->undoLog[doc->undoNext - 1], Replay::kRedo);
}
