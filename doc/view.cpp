// Caret, selection and view position. Tab stops are counted from the start of each line, also
// while the view is scrolled sideways; the view never starts at the end of the text by
// scrolling.
#include "doc/view.h"

#include <algorithm>
#include <cstring>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/grid.h"
#include "doc/text.h"

namespace {

const char* End(const EditState* doc) { return doc->text + doc->length; }

int32_t NextLine(const EditState* doc, int32_t p)
{
    return static_cast<int32_t>(NextLineStart(End(doc), doc->text + p) - doc->text);
}

bool IsAsciiAlnum(uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsWordByte(uint8_t c) { return IsAsciiAlnum(c); }
bool IsWordCell(uint8_t c) { return IsAsciiAlnum(c) || c == '_'; }
bool IsKeywordCell(uint8_t c) { return IsAsciiAlnum(c) || c == '#' || c == '$'; }

uint8_t ByteAt(const EditState* doc, int32_t p) { return static_cast<uint8_t>(doc->text[p]); }

bool EndsWithLf(const EditState* doc) { return doc->length > 0 && doc->text[doc->length - 1] == '\n'; }

// Walks the line from p while the column is below target; answers the position reached and
// leaves the column there in *column.
int32_t WalkToColumn(const EditState* doc, int32_t p, int32_t target, int32_t* column)
{
    int32_t col = 0;
    while (p < doc->length && doc->text[p] != '\n' && col < target) {
        col = ColumnAdvance(col, ByteAt(doc, p), doc->tabSize);
        ++p;
    }
    *column = col;
    return p;
}

// The column at `to` counted from `from`, at memory speed; a NUL takes no column and an LF one,
// as ColumnAdvance counts them.
int32_t ColumnBetween(const EditState* doc, int32_t from, int32_t to)
{
    int32_t col = 0;
    for (int32_t p = from; p < to;) {
        p = WalkColumns(doc->text, p, to, doc->tabSize, &col);
        if (p < to) col = ColumnAdvance(col, ByteAt(doc, p++), doc->tabSize);
    }
    return col;
}

void SetHorizontalPosition(EditState* doc)
{
    Screen().SetScrollPosition(doc->hwnd, kBarHorizontal, doc->leftColumn, true);
}

// Lines from a to b (a <= b), counting no further than limit.
int32_t LinesUpTo(const EditState* doc, int32_t a, int32_t b, int32_t limit)
{
    int32_t n = 0;
    const char* p = doc->text + a;
    const char* end = doc->text + b;
    while (n < limit && p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        if (!lf) break;
        ++n;
        p = static_cast<const char*>(lf) + 1;
    }
    return n;
}

}  // namespace

int32_t CaretTextColumn(const EditState* doc)
{
    const int64_t column = int64_t{doc->leftColumn} + doc->caretColumn;
    // Only a caret still held at the last cell of a view scrolled fully right lies beyond it.
    const bool held = doc->leftColumn == kMaxLeftColumn && doc->caretColumn == doc->columns - 1;
    // One below the largest, so that the status line's 1-based column stays in range.
    return static_cast<int32_t>(std::min<int64_t>(column + (held ? doc->caretBeyond : 0), INT32_MAX - 1));
}

void SetCaretTextColumn(EditState* doc, int32_t column)
{
    doc->caretColumn = column - doc->leftColumn;
    doc->caretBeyond = 0;
}

void AdvanceCaretOver(EditState* doc, uint8_t byte)
{
    SetCaretTextColumn(doc, ColumnAdvance(CaretTextColumn(doc), byte, doc->tabSize));
}

void ShowCaretPosition(EditState* doc)
{
    Screen().ShowPosition(doc->topLine + doc->caretRow + 1, CaretTextColumn(doc) + 1);
}

void ColumnOfCaret(EditState* doc)
{
    SetCaretTextColumn(doc, ColumnBetween(doc, LineStart(doc->text, doc->caretOffset), doc->caretOffset));
}

void LocateCaret(EditState* doc)
{
    int32_t p = doc->topOffset;
    int32_t rows = 0;
    if (doc->caretOffset < doc->topOffset) {
        SetTop(doc, LineStart(doc->text, doc->caretOffset));
        SetVerticalPosition(doc, AbsoluteTop(doc));
        p = doc->topOffset;
    } else {
        // The row's line: the caret's own, except at the very end after a final LF, where the
        // caret is drawn below the last line (the row added further down).
        int32_t line = LineStart(doc->text, doc->caretOffset);
        if (doc->caretOffset == doc->length && EndsWithLf(doc)) line = LineStart(doc->text, doc->length - 1);
        if (line > p) {
            rows = CountLineEnds(doc->text, p, line);
            p = line;
        }
    }
    doc->caretRow = rows;
    SetCaretTextColumn(doc, ColumnBetween(doc, p, doc->caretOffset));
    if (doc->caretColumn < 0) {
        ScrollLeft(doc, -doc->caretColumn);
        doc->caretColumn = 0;
    }
    if (doc->caretOffset == doc->length && EndsWithLf(doc) && doc->caretOffset > p) {
        doc->caretRow += 1;
        doc->caretColumn = 0;
    }
    ShowCaretPosition(doc);
}

namespace {

// The line start of a row, rows above the view counting up from its top line; *row becomes the
// row of the line found (the last line's, for rows below the end of the text).
int32_t RowStart(const EditState* doc, int32_t* row)
{
    int32_t p = doc->topOffset;
    int32_t stepped = 0;
    for (; stepped > *row && p > 0; --stepped) p = LineStart(doc->text, p - 1);
    while (stepped < *row && p < doc->length) {
        p = NextLine(doc, p);
        ++stepped;
    }
    if (p == doc->length && doc->length > 0 && !EndsWithLf(doc) && stepped > 0) {
        p = LineStart(doc->text, p);
        --stepped;
    }
    *row = stepped;
    return p;
}

}  // namespace

int32_t OffsetOfCell(const EditState* doc, int32_t row, int32_t column)
{
    int32_t reached = 0;
    return WalkToColumn(doc, RowStart(doc, &row), doc->leftColumn + column, &reached);
}

void PlaceCaretAtCell(EditState* doc)
{
    int32_t row = std::max(0, doc->caretRow);
    const int32_t p = RowStart(doc, &row);
    doc->caretRow = row;
    int32_t column = 0;
    doc->caretOffset = WalkToColumn(doc, p, doc->leftColumn + doc->caretColumn, &column);
    SetCaretTextColumn(doc, column);
    ShowCaretPosition(doc);
}

void CaretUpdate(EditState* doc)
{
    int32_t top = doc->topOffset;
    if (doc->caretColumn >= doc->columns) {
        const int32_t column = CaretTextColumn(doc);
        ScrollRight(doc, doc->caretColumn - doc->columns + 1);
        // Beyond the last scroll column the caret waits in the last cell, its column kept.
        SetCaretTextColumn(doc, doc->leftColumn + doc->columns - 1);
        doc->caretBeyond = column - (doc->leftColumn + doc->columns - 1);
    } else if (doc->caretColumn < 0) {
        ScrollLeft(doc, -doc->caretColumn);
        doc->caretColumn = 0;
    }
    if (doc->caretRow >= doc->rows) {
        ScrollDown(doc, doc->caretRow - doc->rows + 1);
        doc->caretRow = doc->rows - 1;
    } else if (doc->caretRow < 0) {
        ScrollUp(doc, -doc->caretRow);
        doc->caretRow = 0;
    }
    Point at = CellToPoint(AsGrid(doc), {doc->caretRow, doc->caretColumn});
    Screen().PlaceCaret(doc->hwnd, at.x, at.y);
    ShowCaretPosition(doc);
    if (doc->topOffset != top) SetVerticalPosition(doc, AbsoluteTop(doc));
}

void LineDown(EditState* doc, int32_t position)
{
    int32_t q = NextLine(doc, position);
    if (q >= doc->length && (position >= doc->length || doc->text[position] != '\n')) return;
    int32_t target = doc->leftColumn + doc->caretColumn;
    doc->caretRow += 1;
    int32_t column = 0;
    doc->caretOffset = WalkToColumn(doc, q, target, &column);
    SetCaretTextColumn(doc, column);
}

void CaretToLineEnd(EditState* doc)
{
    int32_t column = CaretTextColumn(doc);
    doc->caretOffset = WalkColumns(doc->text, doc->caretOffset, doc->length, doc->tabSize, &column);
    SetCaretTextColumn(doc, column);
}

void LineUp(EditState* doc, int32_t position)
{
    int32_t start = LineStart(doc->text, position);
    if (start == 0) return;
    int32_t previous = LineStart(doc->text, start - 1);
    int32_t target = doc->leftColumn + doc->caretColumn;
    doc->caretRow -= 1;
    int32_t column = 0;
    doc->caretOffset = WalkToColumn(doc, previous, target, &column);
    SetCaretTextColumn(doc, column);
}

void WordRight(EditState* doc)
{
    int32_t limit = NextLine(doc, doc->caretOffset) - 1;
    int32_t p = doc->caretOffset;
    if (p >= limit) return;
    if (IsWordByte(ByteAt(doc, p))) {
        while (p < limit && IsWordByte(ByteAt(doc, p))) {
            AdvanceCaretOver(doc, ByteAt(doc, p));
            ++p;
        }
    }
    while (p < limit && !IsWordByte(ByteAt(doc, p)) && doc->text[p] != '\n') {
        AdvanceCaretOver(doc, ByteAt(doc, p));
        ++p;
    }
    doc->caretOffset = p;
}

void WordLeft(EditState* doc)
{
    int32_t start = LineStart(doc->text, doc->caretOffset);
    while (doc->caretOffset > start && !IsWordByte(ByteAt(doc, doc->caretOffset))) --doc->caretOffset;
    while (doc->caretOffset > start && IsWordByte(ByteAt(doc, doc->caretOffset - 1))) --doc->caretOffset;
    ColumnOfCaret(doc);
}

namespace {

// A scroll drawn anew rather than moved on the grid: the highlight's cells go with their text,
// outside the view when it left it.
void MoveHighlightCells(EditState* doc, int32_t rows, int32_t columns)
{
    doc->selAnchorRow += rows;
    doc->selEndRow += rows;
    doc->selAnchorColumn += columns;
    doc->selEndColumn += columns;
}

}  // namespace

int ScrollDown(EditState* doc, int32_t n)
{
    if (doc->topOffset >= doc->length) return 0;
    int32_t p = doc->topOffset;
    if (ForwardLines(doc->text, p, doc->length, n, &p) < n || p >= doc->length) return 0;
    doc->topOffset = p;
    doc->topLine += n;
    if (n > doc->rows) {
        SetTop(doc, doc->topOffset);
        MoveHighlightCells(doc, -n, 0);
    } else {
        ScrollGridRows(AsGrid(doc), -n);
        RedrawRows(doc, doc->rows - n, 0, doc->rows, doc->columns);
        Screen().UpdateNow(doc->hwnd);
    }
    SetVerticalPosition(doc, AbsoluteTop(doc));
    return 1;
}

int ScrollUp(EditState* doc, int32_t n)
{
    if (doc->topOffset == 0) return 0;
    int32_t p = doc->topOffset;
    const int32_t k = BackwardLines(doc->text, p, n, &p);
    doc->topLine -= k;
    doc->topOffset = p;
    if (k <= doc->rows) {
        ScrollGridRows(AsGrid(doc), k);
        RedrawRows(doc, 0, 0, k, doc->columns);
    } else {
        RedrawRows(doc, 0, 0, doc->rows, doc->columns);
        MoveHighlightCells(doc, k, 0);
    }
    SetVerticalPosition(doc, AbsoluteTop(doc));
    return k > 0;
}

void ScrollLeft(EditState* doc, int32_t n)
{
    n = std::min<int32_t>(n, doc->leftColumn);
    if (n <= 0) return;
    doc->leftColumn = static_cast<int16_t>(doc->leftColumn - n);
    if (n < doc->columns) {
        ScrollGridColumns(AsGrid(doc), n);
        RedrawRows(doc, 0, 0, doc->rows, std::min(n + 1, doc->columns));
    } else {
        RedrawRows(doc, 0, 0, doc->rows, doc->columns);
        MoveHighlightCells(doc, 0, n);
    }
    SetHorizontalPosition(doc);
}

void ScrollRight(EditState* doc, int32_t n)
{
    bool atLineEnd = doc->caretOffset >= doc->length || doc->text[doc->caretOffset] == '\n';
    if (atLineEnd && doc->caretColumn == 0) return;
    n = std::min<int32_t>(n, kMaxLeftColumn - doc->leftColumn);
    if (n <= 0) return;
    doc->leftColumn = static_cast<int16_t>(doc->leftColumn + n);
    if (n < doc->columns) {
        ScrollGridColumns(AsGrid(doc), -n);
        RedrawRows(doc, 0, std::max(0, doc->columns - n - 1), doc->rows, doc->columns);
    } else {
        RedrawRows(doc, 0, 0, doc->rows, doc->columns);
        MoveHighlightCells(doc, 0, -n);
    }
    SetHorizontalPosition(doc);
}

void ScrollToColumn(EditState* doc, int32_t n)
{
    if (n > doc->leftColumn) ScrollRight(doc, n - doc->leftColumn);
    else if (n < doc->leftColumn) ScrollLeft(doc, doc->leftColumn - n);
}

void ScrollToOffset(EditState* doc, int32_t offset)
{
    offset = std::max(0, std::min(offset, doc->length));
    int32_t target = LineStart(doc->text, offset);
    if (target == doc->topOffset) return;
    if (target < doc->topOffset) {
        int32_t lines = LinesUpTo(doc, target, doc->topOffset, doc->rows);
        if (lines < doc->rows) {
            ScrollUp(doc, lines);
            return;
        }
    } else {
        int32_t lines = LinesUpTo(doc, doc->topOffset, target, doc->rows);
        if (lines < doc->rows) {
            ScrollDown(doc, lines);
            return;
        }
    }
    HideHighlight(AsGrid(doc));
    doc->caretOffset = target;
    SetTop(doc, target);
}

void SetTop(EditState* doc, int32_t offset)
{
    if (offset != doc->topOffset) {
        doc->topLine += CountLineEnds(doc->text, doc->topOffset, offset);
        doc->topOffset = offset;
    }
    RedrawRows(doc, 0, 0, doc->rows, doc->columns);
}

void GotoLine(EditState* doc, int32_t n)
{
    // Lines are counted in the whole text, which is in one block only while no working window
    // is open; a line number can come from outside (another copy's "/G") in the middle of typing.
    CloseWorkingWindow(doc);
    HideHighlight(AsGrid(doc));
    if (n < 1) n = 1;
    int32_t p = 0;
    // Line n starts after the (n - 1)-th LF; past the last line the walk stops at the last.
    const int32_t line = ForwardLines(doc->text, 0, doc->length, n - 1, &p);
    doc->topOffset = p;
    doc->caretOffset = p;
    doc->topLine = line;
    SetVerticalPosition(doc, AbsoluteTop(doc));
    SetTop(doc, p);
    // The caret's cell and the status line follow at once, whether or not the window has the
    // keyboard to place them again.
    LocateCaret(doc);
    CaretUpdate(doc);
}

DrawnText::DrawnText(const EditState* doc) : text(doc->text), length(doc->length)
{
    after = TextAfterWindow(doc, &afterLength);
}

int32_t DrawnText::NextLine(int32_t p) const
{
    if (p < length) {
        const void* lf = std::memchr(text + p, '\n', static_cast<size_t>(length - p));
        if (lf) return static_cast<int32_t>(static_cast<const char*>(lf) - text) + 1;
        p = length;
    }
    if (p >= End()) return End();
    const void* lf = std::memchr(after + (p - length), '\n', static_cast<size_t>(End() - p));
    return lf ? static_cast<int32_t>(static_cast<const char*>(lf) - after) + length + 1 : End();
}

namespace {

// Renders the line from `position` into a row; answers where the next line starts, or -1 when
// `wantNext` is false and the line is wider than the view (its end is not looked for then).
int32_t RenderRow(const EditState* doc, const DrawnText& drawn, char* rowCells, int32_t position,
                  bool wantNext)
{
    const int32_t first = doc->leftColumn;
    const int32_t last = doc->leftColumn + doc->columns;  // exclusive
    std::memset(rowCells, ' ', static_cast<size_t>(doc->columns));
    const int32_t end = drawn.End();
    int32_t col = 0;
    int32_t p = position;
    while (p < end && drawn.At(p) != '\n') {
        if (col >= last) return wantNext ? drawn.NextLine(p) : -1;  // the rest is not visible
        uint8_t c = drawn.At(p);
        int32_t next = ColumnAdvance(col, c, doc->tabSize);
        if (c != '\t' && col >= first) rowCells[col - first] = static_cast<char>(c);
        col = next;
        ++p;
    }
    return p < end ? p + 1 : p;
}

}  // namespace

int32_t RenderLine(EditState* doc, char* rowCells, int32_t position, int32_t /*row*/)
{
    return RenderRow(doc, DrawnText(doc), rowCells, position, true);
}

void RedrawRows(EditState* doc, int32_t firstRow, int32_t firstColumn, int32_t lastRow, int32_t lastColumn)
{
    if (!doc->text || !doc->cells) return;
    const DrawnText drawn(doc);
    int32_t p = doc->topOffset;
    for (int32_t r = 0; r < firstRow && p < drawn.End(); ++r) p = drawn.NextLine(p);
    // The last row drawn never looks for the end of its line: in a line of megabytes that walk
    // would cost more than all the rest.
    const int32_t stop = std::min(lastRow, doc->rows);
    for (int32_t r = firstRow; r < stop; ++r) p = RenderRow(doc, drawn, RowCells(AsGrid(doc), r), p, r + 1 < stop);
    Screen().InvalidateCells(doc->hwnd, firstRow, firstColumn, lastRow, lastColumn);
    Screen().UpdateNow(doc->hwnd);
    ShowCaretPosition(doc);
}

void ExtendSelection(EditState* doc)
{
    if (!(doc->gridFlags & kGridHighlight)) {
        doc->selEndRow = doc->selAnchorRow;
        doc->selEndColumn = doc->selAnchorColumn;
        doc->gridFlags |= kGridHighlight;
    }
    ExtendHighlight(AsGrid(doc), {doc->caretRow, doc->caretColumn});
}

void SelectWordAtCaret(EditState* doc)
{
    if (!doc->cells || doc->caretColumn < 0 || doc->caretColumn >= doc->columns) return;
    const char* row = RowCells(AsGrid(doc), doc->caretRow);
    int32_t start = doc->caretColumn, end = doc->caretColumn;
    if (!IsWordCell(static_cast<uint8_t>(row[start]))) return;
    while (start > 0 && IsWordCell(static_cast<uint8_t>(row[start - 1]))) --start;
    while (end < doc->columns && IsWordCell(static_cast<uint8_t>(row[end]))) ++end;
    doc->caretColumn = start;
    Cell last = HighlightRun(AsGrid(doc), {doc->caretRow, start}, end - start);
    doc->caretColumn = last.column;
    PlaceCaretAtCell(doc);
    doc->anchorOffset = doc->caretOffset - (end - start);
}

int WordForHelp(EditState* doc, char* buffer)
{
    buffer[0] = '\0';
    if (!doc->cells || doc->caretColumn < 0 || doc->caretColumn > doc->columns) return 0;
    const char* row = RowCells(AsGrid(doc), doc->caretRow);
    if (doc->caretColumn < doc->columns) {
        char under = row[doc->caretColumn];
        if (under == '(' || under == ')' || under == '{' || under == '}') return under;
    }
    int32_t start = doc->caretColumn;
    while (start > 0 && IsKeywordCell(static_cast<uint8_t>(row[start - 1]))) --start;
    int n = 0;
    for (int32_t c = start; c < doc->columns && n < kHelpWordMax && IsKeywordCell(static_cast<uint8_t>(row[c])); ++c)
        buffer[n++] = row[c];
    buffer[n] = '\0';
    return 0;
}
