// Caret, selection and view position over a document's text: columns with tabs, the caret's
// cell from its offset and back, caret movement, scrolling, going to a line, and rendering the
// visible lines into the grid's cells.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"
#include "doc/text.h"

constexpr int16_t kMaxLeftColumn = 1024;
constexpr int kHelpWordMax = 32;  // keyword characters WordForHelp copies; its buffer holds one more

// The caret's text column: its cell's, plus the columns it lies beyond the last cell when the
// view can scroll no further right; at most INT32_MAX - 1.
int32_t CaretTextColumn(const EditState* doc);
// Puts the caret's cell at a text column of its line.
void SetCaretTextColumn(EditState* doc, int32_t column);
// The caret's text column moves over one byte at the caret.
void AdvanceCaretOver(EditState* doc, uint8_t byte);

void ColumnOfCaret(EditState* doc);
void LocateCaret(EditState* doc);
void PlaceCaretAtCell(EditState* doc);
// The byte a click on a cell puts the caret on; rows above the view are lines above its top.
int32_t OffsetOfCell(const EditState* doc, int32_t row, int32_t column);
void CaretUpdate(EditState* doc);
void ShowCaretPosition(EditState* doc);

// End: the caret to the LF or NUL that ends its line, its column counted on the way once.
void CaretToLineEnd(EditState* doc);
void LineUp(EditState* doc, int32_t position);
void LineDown(EditState* doc, int32_t position);
void WordLeft(EditState* doc);
void WordRight(EditState* doc);

int ScrollDown(EditState* doc, int32_t n);
int ScrollUp(EditState* doc, int32_t n);
void ScrollLeft(EditState* doc, int32_t n);
void ScrollRight(EditState* doc, int32_t n);
void ScrollToColumn(EditState* doc, int32_t n);
void ScrollToOffset(EditState* doc, int32_t offset);
void SetTop(EditState* doc, int32_t offset);
void GotoLine(EditState* doc, int32_t n);

// The text as drawing reads it: the block, and while a working window is open the main text's
// bytes after the window, so that rows past a cut show what follows. Positions past the block
// count on into those bytes.
struct DrawnText {
    const char* text;
    int32_t length;
    const char* after;
    int32_t afterLength;

    explicit DrawnText(const EditState* doc);
    int32_t End() const { return length + afterLength; }
    uint8_t At(int32_t p) const { return static_cast<uint8_t>(p < length ? text[p] : after[p - length]); }
    // After the next LF from p, or End().
    int32_t NextLine(int32_t p) const;
};

void RedrawRows(EditState* doc, int32_t firstRow, int32_t firstColumn, int32_t lastRow, int32_t lastColumn);
int32_t RenderLine(EditState* doc, char* rowCells, int32_t position, int32_t row);

void ExtendSelection(EditState* doc);
void SelectWordAtCaret(EditState* doc);
// 0 with a keyword in buffer (kHelpWordMax + 1 bytes), or the bracket under the caret.
int WordForHelp(EditState* doc, char* buffer);
