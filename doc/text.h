// Primitives on plain byte blocks, used by every editing, search, display and file operation.
// None of them fails.
#pragma once

#include <cstdint>

// Moves count bytes; the ranges may overlap. Large moves go in pieces of at most 65535 bytes.
char* MoveBytes(char* destination, const char* source, int32_t count);
// Writes exactly count bytes: source bytes up to its NUL, then NULs. Answers the position after
// the last byte written.
char* CopyBytes(char* destination, const char* source, int32_t count);
int32_t TextLength(const char* s);
// Start of the line holding offset; 0 for offsets at or below 0.
int32_t LineStart(const char* text, int32_t offset);
// Position after the next LF from p, or end when none comes before it; p itself when p >= end.
const char* NextLineStart(const char* end, const char* p);
// LF bytes in [from, to), negated when to < from.
int32_t CountLineEnds(const char* text, int32_t from, int32_t to);
// Goes past at most n LFs of [from, end): answers how many it passed, and in *reached the
// position after the last one passed (from when none).
int32_t ForwardLines(const char* text, int32_t from, int32_t end, int32_t n, int32_t* reached);
// Goes back at most n lines from the line start p, each step to the start of the line before:
// answers the steps taken and in *reached the line start arrived at (0 once the text's start
// is reached).
int32_t BackwardLines(const char* text, int32_t p, int32_t n, int32_t* reached);

// The text column after `byte` at `column`: a tab goes to the next multiple of tabSize, NUL takes
// no column, every other byte one. Columns stop growing at INT32_MAX.
int32_t ColumnAdvance(int32_t column, uint8_t byte, int32_t tabSize);
// Walks [from, end) from the text column *column until an LF or a NUL byte: answers the position
// of that byte (end when none comes) and leaves the column reached there in *column. Words of
// eight bytes holding none of tab, LF and NUL are passed at once.
int32_t WalkColumns(const char* text, int32_t from, int32_t end, int32_t tabSize, int32_t* column);

// The piece size of MoveBytes, visible for its tests.
constexpr int32_t kMovePiece = 65535;
