// The caret keys. A highlight is a run of cells from its anchor cell to the caret's cell; the
// bytes it stands for run from anchorOffset to caretOffset, so both ends must agree.
#include "doc/keys.h"

#include "doc/grid.h"
#include "doc/text.h"
#include "doc/view.h"

namespace {

bool Highlighted(const EditState* doc)
{
    return (doc->gridFlags & kGridHighlight) != 0;
}

// After a movement: with Shift the highlight follows the caret, otherwise it goes.
void FinishMove(EditState* doc, bool shift)
{
    if (shift)
        ExtendSelection(doc);
    else
        HideHighlight(AsGrid(doc));
}

// End and Home keep no empty highlight when the caret comes back onto the anchor.
void FinishJump(EditState* doc, bool shift)
{
    if (!shift) {
        HideHighlight(AsGrid(doc));
        return;
    }
    ExtendSelection(doc);
    if (doc->anchorOffset == doc->caretOffset) doc->gridFlags &= static_cast<uint16_t>(~kGridHighlight);
}

// Home may move the view up by a redraw rather than a grid scroll: the anchor cell moves down
// with its text, below the view when it left it (the highlight is drawn to the view's end).
void FinishHome(EditState* doc, bool shift, int32_t topLineBefore)
{
    if (shift) doc->selAnchorRow += topLineBefore - doc->topLine;
    FinishJump(doc, shift);
}

bool AtLineEnd(const EditState* doc)
{
    const char c = doc->text[doc->caretOffset];
    return c == '\n' || c == '\0';
}

void KeyLeft(EditState* doc, bool control)
{
    if (doc->caretOffset > 0 && doc->text[doc->caretOffset - 1] != '\n') {
        --doc->caretOffset;
        // Only a tab's width depends on the bytes before it: a long line is walked only then.
        const char c = doc->text[doc->caretOffset];
        if (c != '\t' && c != '\0')
            SetCaretTextColumn(doc, CaretTextColumn(doc) - 1);
        else
            ColumnOfCaret(doc);
        if (control) WordLeft(doc);
    }
}

void KeyRight(EditState* doc, bool control)
{
    if (AtLineEnd(doc)) return;
    if (control) {
        WordRight(doc);
        return;
    }
    AdvanceCaretOver(doc, static_cast<uint8_t>(doc->text[doc->caretOffset]));
    ++doc->caretOffset;
}

void KeyEnd(EditState* doc, bool control)
{
    if (control) {
        doc->caretOffset = doc->length;
        LocateCaret(doc);
        return;
    }
    CaretToLineEnd(doc);
}

void KeyHome(EditState* doc, bool control)
{
    if (control) {
        doc->caretOffset = 0;
        LocateCaret(doc);
        return;
    }
    doc->caretOffset = LineStart(doc->text, doc->caretOffset);
    SetCaretTextColumn(doc, 0);
}

}  // namespace

void StartKeyMove(EditState* doc, bool shift)
{
    if (!shift) return;
    if (!Highlighted(doc)) {
        // The anchor is the caret's byte and its cell, which a match shown before may have left
        // drawn behind that byte.
        LocateCaret(doc);
        doc->anchorOffset = doc->caretOffset;
        doc->selAnchorRow = doc->caretRow;
        doc->selAnchorColumn = doc->caretColumn;
        return;
    }
    // A match found by Find Next keeps the caret's offset on its first byte while the highlight
    // runs from there to its end: the selection goes on from the highlight's end, so the
    // offsets trade places and the caret's cell follows its offset.
    if (doc->caretOffset != doc->anchorOffset &&
        OffsetOfCell(doc, doc->selEndRow, doc->selEndColumn) == doc->anchorOffset &&
        OffsetOfCell(doc, doc->selAnchorRow, doc->selAnchorColumn) == doc->caretOffset) {
        const int32_t caret = doc->caretOffset;
        doc->caretOffset = doc->anchorOffset;
        doc->anchorOffset = caret;
        LocateCaret(doc);
    }
}

void SelectAll(EditState* doc)
{
    HideHighlight(AsGrid(doc));
    MoveCaretByKey(doc, CaretKey::kHome, false, true);
    StartKeyMove(doc, true);
    MoveCaretByKey(doc, CaretKey::kEnd, true, true);
}

void MoveCaretByKey(EditState* doc, CaretKey key, bool shift, bool control)
{
    const int32_t topLineBefore = doc->topLine;
    switch (key) {
        case CaretKey::kLeft:
            KeyLeft(doc, control);
            break;
        case CaretKey::kRight:
            KeyRight(doc, control);
            break;
        case CaretKey::kUp:
            LineUp(doc, doc->caretOffset);
            break;
        case CaretKey::kDown:
            LineDown(doc, doc->caretOffset);
            break;
        case CaretKey::kHome:
            KeyHome(doc, control);
            break;
        case CaretKey::kEnd:
            KeyEnd(doc, control);
            break;
        case CaretKey::kPageUp:
        case CaretKey::kPageDown:
            // The view moves a page and the caret keeps its cell; a new search starts at the top.
            doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
            if (key == CaretKey::kPageUp)
                ScrollUp(doc, doc->rows);
            else
                ScrollDown(doc, doc->rows);  // at the end of the text nothing scrolls
            PlaceCaretAtCell(doc);
            break;
    }
    CaretUpdate(doc);
    if (key == CaretKey::kHome)
        FinishHome(doc, shift, topLineBefore);
    else if (key == CaretKey::kEnd)
        FinishJump(doc, shift);
    else
        FinishMove(doc, shift);
}
