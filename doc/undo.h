// The undo/redo log of a document: records of the four elementary edits.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

enum UndoKind : uint8_t {
    kUndoInsertChar = 1,
    kUndoInsertString = 2,
    kUndoDeleteChar = 3,
    kUndoDeleteRange = 4,
};

struct UndoRecord {
    uint8_t kind;
    int32_t position;  // whole-document offset of the edit
    union {
        uint8_t character;  // kinds 1 and 3
        char* copy;         // kinds 2 and 4: owned NUL-terminated copy of the text
    } data;
};

constexpr int32_t kUndoCapacity = 64;

// Frees the saved copy of a kind 2 or 4 record.
void FreeUndoRecord(UndoRecord* record);
// Frees every saved copy and the array; the log is then absent and its counters 0.
void ClearUndo(EditState* doc);
