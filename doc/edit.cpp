// The editing operations. Each keeps the record consistent, marks the document modified,
// feeds the undo log and keeps scroll bar, caret and screen current; typing runs inside the
// working window when much text follows the caret.
#include "doc/edit.h"

#include <algorithm>
#include <cstdint>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/fault_marks.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "resources/ids.h"

namespace {

void MarkModified(EditState* doc) { doc->docFlags |= kDocModified; }
bool ReplaceAllRunning(const EditState* doc) { return (doc->docFlags & kDocReplaceAll) != 0; }

// Sizes near 2^31 are reckoned in 64 bits; a need beyond any block still makes GrowText refuse.
int32_t Clamped(int64_t need)
{
    return static_cast<int32_t>(std::min<int64_t>(need, INT32_MAX));
}

// The saved copy for an undo record of n bytes: null with *proceed true when none is wanted or
// the user agreed to go on without one; *proceed false when the edit must not be done.
char* UndoCopy(EditState* doc, int32_t n, bool* proceed)
{
    *proceed = true;
    if (g_core.undoNoCopy) return nullptr;
    char* copy = static_cast<char*>(AllocBlock(static_cast<size_t>(n) + 1));
    if (!copy) *proceed = ProceedWithoutUndo(doc);
    return copy;
}

}  // namespace

bool ProceedWithoutUndo(EditState* doc)
{
    if (Screen().ShowMessage(kMessageYesNo, IDS_LOW_MEMORY_UNDO, nullptr) != kAnswerYes) return false;
    ClearUndo(doc);
    return true;
}

bool InsertChar(EditState* doc, uint8_t c)
{
    if (doc->caretOffset >= doc->length) CloseWorkingWindow(doc);
    if (doc->length >= doc->capacity - 1 && !GrowText(doc, 1)) return false;
    doc->length += 1;
    MoveBytes(doc->text + doc->caretOffset + 1, doc->text + doc->caretOffset, doc->length - doc->caretOffset);
    doc->text[doc->caretOffset] = static_cast<char>(c);
    FaultMarksInserted(doc, AbsoluteCaret(doc), doc->text + doc->caretOffset, 1);
    RecordUndo(doc, kUndoInsertChar, c, nullptr, nullptr);
    MarkModified(doc);
    doc->caretOffset += 1;
    SetVerticalRange(doc, AbsoluteLength(doc));
    return true;
}

int DeleteChar(EditState* doc)
{
    if (doc->caretOffset >= doc->length) return 0;
    char c = doc->text[doc->caretOffset];
    FaultMarksRemoving(doc, AbsoluteCaret(doc), doc->text + doc->caretOffset, 1);
    MoveBytes(doc->text + doc->caretOffset, doc->text + doc->caretOffset + 1, doc->length - doc->caretOffset);
    doc->length -= 1;
    SetVerticalRange(doc, AbsoluteLength(doc));
    RecordUndo(doc, kUndoDeleteChar, static_cast<uint8_t>(c), nullptr, nullptr);
    MarkModified(doc);
    return static_cast<int8_t>(c);
}

bool InsertString(EditState* doc, const char* s)
{
    int32_t n = TextLength(s);
    bool proceed = true;
    char* copy = UndoCopy(doc, n, &proceed);
    if (!proceed) return false;
    if (doc->length + int64_t{n} >= doc->capacity - 1 &&
        !GrowText(doc, Clamped(doc->length + int64_t{n} + 2 - doc->capacity))) {
        FreeBlock(copy);
        return false;
    }
    MoveBytes(doc->text + doc->caretOffset + n, doc->text + doc->caretOffset, doc->length - doc->caretOffset + 1);
    CopyBytes(doc->text + doc->caretOffset, s, n);
    FaultMarksInserted(doc, AbsoluteCaret(doc), doc->text + doc->caretOffset, n);
    if (!ReplaceAllRunning(doc)) {
        if (copy || g_core.undoNoCopy) RecordUndo(doc, kUndoInsertString, n, s, copy);
        SetVerticalRange(doc, AbsoluteLength(doc) + n);
        SetVerticalPosition(doc, AbsoluteTop(doc));
    } else {
        FreeBlock(copy);
    }
    doc->length += n;
    doc->caretOffset += n;
    MarkModified(doc);
    return true;
}

bool DeleteSelection(EditState* doc)
{
    // Offsets outside the current block (a record replayed after the text changed) are clamped.
    int32_t start = std::max(0, std::min(doc->anchorOffset, doc->caretOffset));
    int32_t end = std::min(doc->length, std::max(doc->anchorOffset, doc->caretOffset));
    if (end < start) end = start;
    // Asked before anything moves: refused, the selection stays exactly as it is shown.
    bool proceed = true;
    char* copy = UndoCopy(doc, end - start, &proceed);
    if (!proceed) return false;
    if (doc->anchorOffset < doc->caretOffset) {
        doc->caretOffset = start;
        LocateCaret(doc);
        if (!ReplaceAllRunning(doc)) LocateCaret(doc);
    } else if (!ReplaceAllRunning(doc)) {
        LocateCaret(doc);  // a match found by Find Next has the caret drawn behind it
    }
    doc->caretOffset = start;
    if (!ReplaceAllRunning(doc)) {
        SetVerticalRange(doc, AbsoluteLength(doc));
        if (copy || g_core.undoNoCopy) RecordUndo(doc, kUndoDeleteRange, end - start, doc->text + start, copy);
    } else {
        FreeBlock(copy);
    }
    FaultMarksRemoving(doc, AbsoluteCaret(doc), doc->text + start, end - start);
    MoveBytes(doc->text + start, doc->text + end, doc->length - end + 1);
    doc->length -= end - start;
    MarkModified(doc);
    return true;
}

void AutoIndent(EditState* doc)
{
    // The line above ends with the LF just before the caret; its bytes stay where they are while
    // we insert behind them, but the block may move or the working window close, so they are
    // addressed as whole-document offsets.
    int32_t lineEnd = AbsoluteCaret(doc) - 1;
    int32_t lineStart = LineStart(doc->text, doc->caretOffset - 1) + (AbsoluteCaret(doc) - doc->caretOffset);
    int32_t column = 0;
    for (int32_t at = lineStart; at < lineEnd; ++at) {
        uint8_t c = static_cast<uint8_t>(doc->text[ToWindowOffset(doc, at)]);
        if (c != ' ' && c != '\t') break;
        if (!InsertChar(doc, c)) break;
        column = ColumnAdvance(column, c, doc->tabSize);
    }
    SetCaretTextColumn(doc, column);
}

void TypeKey(EditState* doc, int key)
{
    if (key == kKeyNone || key == kKeyEscape) return;
    // At the end of a window cut inside a long line the next byte is in the main text.
    if (WindowCut(doc) && doc->caretOffset >= doc->length) CloseWorkingWindow(doc);
    int32_t firstRow = doc->caretRow, lastRow = doc->caretRow + 1, firstColumn = 0;
    const int16_t entryLeft = doc->leftColumn;
    int16_t expectedLeft = entryLeft;
    bool selectionDeleted = false;

    if (doc->gridFlags & kGridHighlight) {
        // Without room to keep the selection for Undo the user may refuse: then the key does
        // nothing at all.
        if (!DeleteSelection(doc)) return;
        selectionDeleted = true;
        SetVerticalRange(doc, AbsoluteLength(doc));
        SetVerticalPosition(doc, AbsoluteTop(doc));
        if (doc->selAnchorRow != doc->selEndRow) {
            firstRow = std::min(doc->selAnchorRow, doc->selEndRow);
            lastRow = doc->rows;
        }
    }

    if (selectionDeleted && (key == kKeyBackspace || key == kKeyDelete)) {
        // Only the selection goes.
    } else if (key == kKeyDelete) {
        int c = DeleteChar(doc);
        if (c == 0) return;
        if (c == '\n') {
            lastRow = doc->rows;
            CloseWorkingWindow(doc);
        } else {
            OpenWorkingWindow(doc);
            firstColumn = doc->caretColumn;
        }
    } else if (key == kKeyBackspace) {
        bool atLineStart = doc->caretOffset <= 0 || doc->text[doc->caretOffset - 1] == '\n';
        if (doc->caretColumn >= 0 && !(doc->leftColumn == 0 && doc->caretColumn == 0) && !atLineStart) {
            OpenWorkingWindow(doc);
            const int32_t column = CaretTextColumn(doc);
            doc->caretOffset -= 1;
            const int c = DeleteChar(doc);
            // Only a tab's width depends on the bytes before it: a long line is walked only then.
            if (c != '\t' && c != 0)
                SetCaretTextColumn(doc, column - 1);
            else
                ColumnOfCaret(doc);
            firstColumn = doc->caretColumn;
        }
    } else {
        uint8_t c = static_cast<uint8_t>(key == kKeyEnter ? kKeyLineEnd : key);
        OpenWorkingWindow(doc);
        if (!g_core.insertMode && doc->caretOffset < doc->length && doc->text[doc->caretOffset] != '\n')
            DeleteChar(doc);
        if (InsertChar(doc, c)) {
            if (c == kKeyLineEnd) {
                if (entryLeft != 0) {
                    ScrollLeft(doc, entryLeft);
                    expectedLeft = 0;
                }
                doc->caretRow += 1;
                SetCaretTextColumn(doc, doc->leftColumn);
                lastRow = doc->rows;
                if (doc->caretRow >= doc->rows) firstRow -= 1;
                if (g_core.settings.autoIndent) {
                    AutoIndent(doc);
                    LocateCaret(doc);
                }
            } else {
                firstColumn = doc->caretColumn;
                AdvanceCaretOver(doc, c);
                if (c == kKeyTab) {
                    LocateCaret(doc);
                    PlaceCaretAtCell(doc);
                }
            }
        }
    }

    CaretUpdate(doc);
    HideHighlight(AsGrid(doc));
    if (!selectionDeleted && doc->leftColumn == expectedLeft)
        RedrawRows(doc, std::max(0, firstRow), std::max(0, firstColumn), lastRow, doc->columns);
    else
        SetTop(doc, doc->topOffset);
}

bool ReplaceAtCaret(EditState* doc)
{
    int32_t findLength = TextLength(g_core.search.findText);
    doc->anchorOffset = std::min(doc->caretOffset + findLength, doc->length);
    if (!DeleteSelection(doc)) return false;
    if (g_core.search.replaceText[0]) InsertString(doc, g_core.search.replaceText);
    RedrawRows(doc, doc->caretRow, 0, doc->caretRow + 1, doc->columns);
    return true;
}
