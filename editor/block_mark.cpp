// The partner of the block token at the caret is looked for only on the visible rows, and
// only once the caret has rested for kRestMilliseconds, so that neither holding an arrow key
// down nor a 64 MiB text makes a walk per step. It is kept in whole-text offsets and drawn
// when its rows are painted, so that scrolling moves the box with its text. The next input
// takes it away before it changes anything, and the timer shows the new one.
#include "editor/block_mark.h"

#include "app/app_state.h"
#include "display/gdi_scoped.h"
#include "display/screen.h"
#include "doc/blocks.h"
#include "doc/core_state.h"
#include "doc/grid.h"
#include "editor/edit_window.h"

namespace {

constexpr UINT kRestMilliseconds = 120;

void InvalidateMark(const EditState* doc, TextSpan mark)
{
    Cell first{};
    int32_t count = 0;
    if (CellsOfSpan(doc, mark, &first, &count))
        Screen().InvalidateCells(doc->hwnd, first.row, first.column, first.row + 1, first.column + count);
}

TextSpan MarkOf(const EditState* doc)
{
    return TextSpan{doc->blockMark.begin, doc->blockMark.end};
}

}  // namespace

void MatchBlockCommand(EditState* doc, bool select)
{
    if (!MatchBlock(doc, select)) MessageBeep(0);
}

void BlockMarkInput(HWND window, EditState* doc)
{
    // The box goes at once, while the text and the view are still those it was drawn over: its
    // cells are found where it stands on screen.
    const TextSpan old = MarkOf(doc);
    if (old.end > old.begin) {
        doc->blockMark.begin = doc->blockMark.end = 0;
        InvalidateMark(doc, old);
        UpdateWindow(window);
    }
    // Setting the timer again starts its wait anew.
    SetTimer(window, kBlockMarkTimer, kRestMilliseconds, nullptr);
}

void BlockMarkTimer(HWND window, EditState* doc)
{
    KillTimer(window, kBlockMarkTimer);
    TextSpan partner{};
    if (!VisibleBlockPartner(doc, &partner)) partner = TextSpan{};
    const TextSpan old = MarkOf(doc);
    if (old.begin == partner.begin && old.end == partner.end) return;
    InvalidateMark(doc, old);
    doc->blockMark.begin = partner.begin;
    doc->blockMark.end = partner.end;
    InvalidateMark(doc, partner);
}

void DrawBlockMark(HWND window, HDC dc, const RECT& area)
{
    const EditState* doc = DocumentOfWindow(window);
    Cell first{};
    int32_t count = 0;
    if (!doc || !doc->cells || !CellsOfSpan(doc, MarkOf(doc), &first, &count)) return;
    const RECT box{first.column * doc->cellWidth, first.row * doc->cellHeight,
                   (first.column + count) * doc->cellWidth, (first.row + 1) * doc->cellHeight};
    RECT visible;
    if (!IntersectRect(&visible, &box, &area)) return;
    // In the text's own colour, which every colour scheme keeps readable on the background.
    ScopedGdiObject brush(CreateSolidBrush(g_app.windowTextColor));
    if (brush.get()) FrameRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}
