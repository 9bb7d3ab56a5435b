// Block matching in KESTREL text: the partner of the block keyword or bracket at the caret
// (proc/endproc, func/endfunc, if/else/endif, while/wend, ( ) and [ ]), moving the caret to it
// or selecting up to it, and the partner to show on screen. Portable.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"
#include "doc/grid.h"

// Bytes [begin, end) of a text.
struct TextSpan {
    int32_t begin;
    int32_t end;
};

// The block keyword or bracket at the caret and its partner. The token is the one holding the
// caret's byte, else the one ending right at the caret. Keywords count as statements only:
// the first token of their line; an `if` whose `then` is followed on its line by more than a
// comment is a whole statement and opens no block. Keywords pair within their own family,
// nested blocks of it counted, and skip strings and comments; `if` goes to its `else`, `else`
// to its `endif`, `endif` back to its `if`. Brackets pair with their own kind on the caret's
// line only. Only lines that start in [from, to) are looked at besides the caret's own.
// False, with token->begin -1 when the caret is on no such token, when there is no partner.
bool FindBlockPartner(const char* text, int32_t length, int32_t caret, int32_t from, int32_t to,
                      TextSpan* token, TextSpan* partner);

// Ctrl+]: the caret to the start of the partner; with select, the selection covers both
// tokens whole, the caret at the partner's far end. False, nothing changed, without a partner.
bool MatchBlock(EditState* doc, bool select);

// The partner of the token at the caret when both lie on the visible rows, looked for on
// those rows only; offsets as AbsoluteCaret counts them. False when there is none to show.
bool VisibleBlockPartner(const EditState* doc, TextSpan* partner);

// Where a span of the whole text (AbsoluteCaret's offsets) is drawn: its first cell and the
// number of cells, clipped to the view. False when none of it is on screen.
bool CellsOfSpan(const EditState* doc, TextSpan span, Cell* first, int32_t* count);
