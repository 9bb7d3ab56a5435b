// A document window's rows painted with the colours of KESTREL syntax: keywords, strings,
// comments and numbers in colours derived from the system's window colours.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// Reads the system colours and whether a high-contrast scheme is on, and derives the colours.
void LoadSyntaxColours();
// Whether the document is drawn in colours: a script, while the setting allows it.
bool SyntaxColoured(const EditState* doc);
// Draws the document's rows that meet area: in colour runs for a coloured document, else one
// plain run each, as every grid view draws them.
void PaintDocumentRows(HDC dc, const EditState* doc, const RECT& area);
