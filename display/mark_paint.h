// The marks on the lines the compiler found faults on, drawn over a document's rows once they
// are painted and before the selection is inverted over them.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// Tints the rows of doc's marked lines that meet area: a light red on a light window
// background, else (dark backgrounds, high contrast) an underline in the window text colour.
// The text stays readable and the selection's inversion still shows. A null doc has none.
void PaintFaultMarks(HDC dc, const EditState* doc, const RECT& area);
