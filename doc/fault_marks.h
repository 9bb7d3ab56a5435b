// The lines of a document that the compiler found faults on. A mark follows its line while
// lines are inserted or deleted above it and goes when the line itself is edited; a change of
// the whole text (Replace All, its undo, a reload) drops every mark.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

struct FaultMark {
    int32_t line;   // 1-based, as it stands now
    int32_t start;  // whole-document offset of the line's first byte
    int32_t end;    // offset of the LF that ends it, or the text's length
    int32_t fault;  // the caller's number of the fault (its place in the error list)
};

// What a caller asks to be marked: a line of the text and its fault's number.
struct FaultPlace {
    int32_t line;
    int32_t fault;
};

// Replaces the document's marks by one for each place whose line exists, ordered by line. The
// working window is closed first. False (and no marks) when there is no memory for them.
bool SetFaultMarks(EditState* doc, const FaultPlace* places, int32_t count);
void ClearFaultMarks(EditState* doc);

// The edits report here, in whole-document offsets, before (removal) or after (insertion) the
// bytes move: count bytes at `at`, which `bytes` points to in the document's block.
void FaultMarksRemoving(EditState* doc, int32_t at, const char* bytes, int32_t count);
void FaultMarksInserted(EditState* doc, int32_t at, const char* bytes, int32_t count);

// The line the mark of fault stands on now, or 0 when it has none (gone with an edit).
int32_t FaultMarkLine(const EditState* doc, int32_t fault);
// The index of the first mark on line or below it (faultMarkCount when there is none).
int32_t FirstFaultMarkFrom(const EditState* doc, int32_t line);
