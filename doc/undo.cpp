// The undo/redo log.
#include "doc/undo.h"

#include "doc/memory.h"

void FreeUndoRecord(UndoRecord* record)
{
    if (record->kind == kUndoInsertString || record->kind == kUndoDeleteRange) {
        FreeBlock(record->data.copy);
        record->data.copy = nullptr;
    }
}

void ClearUndo(EditState* doc)
{
    if (doc->undoLog) {
        for (int32_t i = 0; i < doc->undoCount; ++i) FreeUndoRecord(&doc->undoLog[i]);
        FreeBlock(doc->undoLog);
    }
    doc->undoLog = nullptr;
    doc->undoNext = 0;
    doc->undoCount = 0;
    doc->undoCapacity = 0;
}
