// The record of one document and its window, the grid record it begins with, and the one
// save area of a document's main text while a working window is open.
#pragma once

#include <cstddef>
#include <cstdint>

using WindowHandle = void*;  // an HWND on Windows; opaque to the portable core
using FontHandle = void*;    // an HFONT on Windows

constexpr int kPathSize = 260;

// Bits of ScreenGrid::gridFlags.
constexpr uint16_t kGridHighlight = 16;

// Bits of EditState::docFlags.
constexpr uint8_t kDocOnSearchHit = 1;
constexpr uint8_t kDocModified = 2;
constexpr uint8_t kDocWorkingWindow = 4;
constexpr uint8_t kDocReplaceAll = 8;
// With kDocOnSearchHit: the caret stands right behind a replacement, where the next search starts.
constexpr uint8_t kDocResumeAtCaret = 16;

// Scroll bars, as the platform numbers them.
constexpr int kBarHorizontal = 0;
constexpr int kBarVertical = 1;

struct UndoRecord;
struct FaultMark;

// The fields of a character-grid window, in order. EditState begins with exactly these, so
// that every grid operation accepts a document.
#define SCREEN_GRID_FIELDS                                                                     \
    WindowHandle hwnd;                                                                         \
    uint16_t gridFlags;                                                                        \
    char* cells;                                                                               \
    int32_t rows;                                                                              \
    int32_t columns;                                                                           \
    int32_t mouseRow;                                                                          \
    int32_t mouseColumn;                                                                       \
    int32_t caretRow;                                                                          \
    int32_t caretColumn;                                                                       \
    int32_t selAnchorRow;                                                                      \
    int32_t selAnchorColumn;                                                                   \
    int32_t selEndRow;                                                                         \
    int32_t selEndColumn;                                                                      \
    FontHandle font;                                                                           \
    int32_t cellHeight;                                                                        \
    int32_t cellWidth;

struct ScreenGrid {
    SCREEN_GRID_FIELDS
};

struct EditState {
    SCREEN_GRID_FIELDS
    char* text;            // the text block: length bytes, then a NUL
    int32_t topOffset;     // first byte of the line in the top row
    int32_t capacity;      // block size used for growth decisions
    int32_t length;        // text bytes; the NUL stands here
    int16_t leftColumn;    // text columns scrolled out at the left, 0..1024
    int32_t caretOffset;   // 0..length
    int32_t caretBeyond;   // text columns of the caret right of its cell, held at the last one
    int32_t anchorOffset;  // other end of the selection
    int32_t topLine;       // LF bytes in front of topOffset
    uint8_t docFlags;      // kDoc* bits
    char path[kPathSize];  // empty for an untitled document
    int8_t tabSize;        // 1..80
    int32_t scrollDivisor;  // bytes per unit of the vertical scroll bar, up to 131072
    UndoRecord* undoLog;
    int32_t undoNext;
    int32_t undoCount;
    int32_t undoCapacity;
    FaultMark* faultMarks;  // the lines the last compile found faults on (doc/fault_marks.h)
    int32_t faultMarkCount;
    // Recovery snapshots and the file on disk, kept by the document window (editor/recovery.cpp).
    struct {
        uint32_t untitledNumber;  // the number of an untitled document's title, 0 for a file
        char file[kPathSize];     // the document's snapshot file; empty until it has one
        uint32_t lastInput;       // tick count of the last input that may have changed the text
        uint32_t lastWritten;     // tick count of the last snapshot
        uint8_t pending;          // input has come since the last snapshot
        uint8_t written;          // the snapshot file stands in the recovery folder
        uint8_t timer;            // the snapshot timer runs
        uint8_t asking;           // the question about a change on disk is open
        uint8_t discarded;        // closing without the changes was agreed: the snapshot goes with the window
        uint8_t diskExists;       // what the file on disk showed when loaded or last saved
        uint64_t diskWriteTime;
        uint64_t diskSize;
    } recovery;
    // The partner of the block keyword or bracket at the caret, boxed on screen while it is in
    // view (editor/block_mark.cpp): whole-text offsets, empty for none.
    struct {
        int32_t begin;
        int32_t end;
    } blockMark;
};

#undef SCREEN_GRID_FIELDS

#define GRID_FIELD_SAME(f) static_assert(offsetof(ScreenGrid, f) == offsetof(EditState, f), #f)
GRID_FIELD_SAME(hwnd);
GRID_FIELD_SAME(gridFlags);
GRID_FIELD_SAME(cells);
GRID_FIELD_SAME(rows);
GRID_FIELD_SAME(columns);
GRID_FIELD_SAME(mouseRow);
GRID_FIELD_SAME(mouseColumn);
GRID_FIELD_SAME(caretRow);
GRID_FIELD_SAME(caretColumn);
GRID_FIELD_SAME(selAnchorRow);
GRID_FIELD_SAME(selAnchorColumn);
GRID_FIELD_SAME(selEndRow);
GRID_FIELD_SAME(selEndColumn);
GRID_FIELD_SAME(font);
GRID_FIELD_SAME(cellHeight);
GRID_FIELD_SAME(cellWidth);
#undef GRID_FIELD_SAME
static_assert(offsetof(EditState, text) >= sizeof(ScreenGrid), "document fields follow the grid");

// A document is used as its grid by every grid operation.
inline ScreenGrid* AsGrid(EditState* doc) { return reinterpret_cast<ScreenGrid*>(doc); }

// The program-wide save area of the main text while a working window is open.
struct WorkingWindowSave {
    char* mainText;
    int32_t windowBase;
    int32_t mainLength;
    int32_t mainCapacity;
    int32_t windowLength;
    bool cut;  // the window ends inside a line too long to copy whole: see WindowCut
};
