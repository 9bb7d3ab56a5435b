// Fault marks: set from the error list's lines, moved and dropped by the edits.
#include "doc/fault_marks.h"

#include <algorithm>
#include <cstring>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/memory.h"
#include "doc/text.h"

namespace {

bool LineStartsAt(const EditState* doc, const char* bytes, int32_t at)
{
    // bytes[-1] is in the block only when it does not begin there.
    return at == 0 || (bytes > doc->text && bytes[-1] == '\n');
}

// A mark that goes takes its tint off the whole row, also where the edit draws only part of it.
void Dropped(EditState* doc, const FaultMark& m)
{
    const int32_t row = m.line - 1 - doc->topLine;
    if (row >= 0 && row < doc->rows) Screen().InvalidateCells(doc->hwnd, row, 0, row + 1, doc->columns);
}

// The marks after an edit of count bytes at `at`, removed (sign -1) or inserted (+1), move by
// them and their lines; a mark whose line the edit changes goes.
void MoveMarks(EditState* doc, int32_t at, const char* bytes, int32_t count, int32_t sign)
{
    if (doc->faultMarkCount == 0 || count <= 0) return;
    // Whole lines taken out or put in right in front of a marked line leave it as it was.
    const bool wholeLines = bytes[count - 1] == '\n' && LineStartsAt(doc, bytes, at);
    const int32_t reach = sign < 0 ? at + count : at;  // a removal spans its bytes
    int32_t lines = -1, kept = 0;
    for (int32_t i = 0; i < doc->faultMarkCount; ++i) {
        FaultMark m = doc->faultMarks[i];
        if (at <= m.end) {
            if (reach > m.start || (reach == m.start && !wholeLines)) {
                Dropped(doc, m);
                continue;
            }
            if (lines < 0) lines = CountLineEnds(bytes, 0, count);
            m.line += sign * lines;
            m.start += sign * count;
            m.end += sign * count;
        }
        doc->faultMarks[kept++] = m;
    }
    doc->faultMarkCount = kept;
}

}  // namespace

bool SetFaultMarks(EditState* doc, const FaultPlace* places, int32_t count)
{
    ClearFaultMarks(doc);
    if (count <= 0) return true;
    CloseWorkingWindow(doc);
    auto* marks = static_cast<FaultMark*>(AllocBlock(sizeof(FaultMark) * static_cast<size_t>(count)));
    if (!marks) return false;
    for (int32_t i = 0; i < count; ++i) marks[i] = FaultMark{places[i].line, 0, 0, places[i].fault};
    std::stable_sort(marks, marks + count, [](const FaultMark& a, const FaultMark& b) { return a.line < b.line; });
    // One walk down the text: each line start from the one before.
    int32_t kept = 0, line = 1, start = 0;
    for (int32_t i = 0; i < count; ++i) {
        FaultMark m = marks[i];
        if (m.line < 1) continue;
        int32_t reached = start;
        line += ForwardLines(doc->text, start, doc->length, m.line - line, &reached);
        start = reached;
        if (line != m.line) break;  // beyond the last line: so are the ones after
        const void* lf = std::memchr(doc->text + start, '\n', static_cast<size_t>(doc->length - start));
        m.start = start;
        m.end = lf ? static_cast<int32_t>(static_cast<const char*>(lf) - doc->text) : doc->length;
        marks[kept++] = m;
    }
    if (kept == 0) {
        FreeBlock(marks);
        return true;
    }
    doc->faultMarks = marks;
    doc->faultMarkCount = kept;
    return true;
}

void ClearFaultMarks(EditState* doc)
{
    FreeBlock(doc->faultMarks);
    doc->faultMarks = nullptr;
    doc->faultMarkCount = 0;
}

void FaultMarksRemoving(EditState* doc, int32_t at, const char* bytes, int32_t count)
{
    MoveMarks(doc, at, bytes, count, -1);
}

void FaultMarksInserted(EditState* doc, int32_t at, const char* bytes, int32_t count)
{
    MoveMarks(doc, at, bytes, count, 1);
}

int32_t FaultMarkLine(const EditState* doc, int32_t fault)
{
    for (int32_t i = 0; i < doc->faultMarkCount; ++i)
        if (doc->faultMarks[i].fault == fault) return doc->faultMarks[i].line;
    return 0;
}

int32_t FirstFaultMarkFrom(const EditState* doc, int32_t line)
{
    const FaultMark* begin = doc->faultMarks;
    const FaultMark* found = std::lower_bound(begin, begin + doc->faultMarkCount, line,
                                              [](const FaultMark& m, int32_t l) { return m.line < l; });
    return static_cast<int32_t>(found - begin);
}
