// Operations on a document's text block: growth, scroll-bar scaling, the working window and
// the queries that see through it.
#pragma once

#include <cstdint>
#include <limits>

#include "doc/edit_state.h"

// The working window opens only with at least this many bytes behind the caret.
constexpr int32_t kWorkingWindowThreshold = 8192;
// The least amount a text block grows by.
constexpr int32_t kGrowMinimum = 1024;
// Units of the vertical scroll bar stay within this range.
constexpr int32_t kScrollUnits = 16384;
// The divisor of the longest text a block holds (2^31 - 1 bytes) must fit the record's field.
static_assert(std::numeric_limits<int32_t>::max() / kScrollUnits + 1 <=
                  std::numeric_limits<decltype(EditState::scrollDivisor)>::max(),
              "scrollDivisor holds every divisor");
// Columns of the horizontal scroll bar.
constexpr int32_t kHorizontalColumns = 1024;

bool GrowText(EditState* doc, int32_t need);
int ScaleScrollBar(WindowHandle window, int bar, int32_t position, int32_t maximum);
void SetVerticalRange(EditState* doc, int32_t maximum);
void SetVerticalPosition(EditState* doc, int32_t offset);

// A working window copies at most this many bytes of the visible lines: where they are longer
// it ends inside a line, and the view reads the rest from the main text.
constexpr int32_t kWorkingWindowMost = 256 * 1024;

// Bytes a working window opened now would take (its block size).
int32_t WindowSpan(const EditState* doc);
void OpenWorkingWindow(EditState* doc);
void CloseWorkingWindow(EditState* doc);
// True while the document's working window ends inside a line: the caret may not reach its end.
bool WindowCut(const EditState* doc);
// The main text after the working window (null and 0 without one), as drawing reads on.
const char* TextAfterWindow(const EditState* doc, int32_t* length);

int32_t AbsoluteCaret(const EditState* doc);
int32_t AbsoluteLength(const EditState* doc);
int32_t AbsoluteTop(const EditState* doc);
int32_t ToWindowOffset(const EditState* doc, int32_t offset);
