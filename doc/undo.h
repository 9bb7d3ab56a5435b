// The undo/redo log of a document: records of the four elementary edits.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

enum UndoKind : uint8_t {
    kUndoInsertChar = 1,
    kUndoInsertString = 2,
    kUndoDeleteChar = 3,
    kUndoDeleteRange = 4,
    kUndoWholeText = 5,  // a whole text block, swapped with the document's by undo and redo
};

struct UndoRecord {
    uint8_t kind;
    int32_t position;  // whole-document offset of the edit
    union {
        uint8_t character;  // kinds 1 and 3
        char* copy;         // kinds 2 and 4: owned NUL-terminated copy of the text; kind 5: the block
    } data;
    // Kind 5: the block's text length and capacity, and the caret behind the change (the
    // position is the caret before it).
    int32_t wholeLength;
    int32_t wholeCapacity;
    int32_t wholeCaret;
};

constexpr int32_t kUndoCapacity = 64;

// Appends a record. Kinds 1 and 3: v is the character. Kinds 2 and 4: v is the length of the
// text at source and copy an allocated v + 1 byte block that the log takes over (it is freed
// when the log does not keep it).
void RecordUndo(EditState* doc, uint8_t kind, int32_t v, const char* source, char* copy);
// Keeps the whole text block from before a change too large to record piece by piece (its
// text, length, capacity and caret) as one record; the document holds the changed text with
// the caret behind the change. The log takes the block over; false (the block freed) when no
// record can be made.
bool RecordWholeText(EditState* doc, char* block, int32_t length, int32_t capacity, int32_t caret);
// 1 when a record was undone or redone, 0 when there was nothing to do, or the record no
// longer fits the text (then the log is cleared).
int Undo(EditState* doc);
int Redo(EditState* doc);

// Frees the saved copy of a kind 2, 4 or 5 record.
void FreeUndoRecord(UndoRecord* record);
// Frees every saved copy and the array; the log is then absent and its counters 0.
void ClearUndo(EditState* doc);
