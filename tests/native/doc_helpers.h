// Building documents for native tests.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "doc/core_state.h"
#include "doc/edit_state.h"
#include "doc/fault_marks.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "doc/view.h"

struct DocDeleter {
    void operator()(EditState* doc) const
    {
        FreeBlock(doc->text);
        FreeBlock(doc->cells);
        ClearUndo(doc);
        ClearFaultMarks(doc);
        FreeBlock(doc);
    }
};
using DocPtr = std::unique_ptr<EditState, DocDeleter>;

// A zero-filled record, as the edit window makes it.
inline DocPtr NewRecord(int rows = 25, int columns = 80)
{
    auto* doc = static_cast<EditState*>(DefaultAllocator().alloc(sizeof(EditState)));
    doc->rows = rows;
    doc->columns = columns;
    doc->tabSize = 8;
    doc->scrollDivisor = 1;
    return DocPtr(doc);
}

// A document holding text with `room` bytes of capacity beyond it.
inline DocPtr DocWithText(const std::string& text, int room = 1024, int rows = 25)
{
    DocPtr doc = NewRecord(rows);
    int32_t capacity = static_cast<int32_t>(text.size()) + room;
    doc->text = static_cast<char*>(DefaultAllocator().alloc(static_cast<size_t>(capacity) + 1));
    std::memcpy(doc->text, text.data(), text.size());
    doc->length = static_cast<int32_t>(text.size());
    doc->capacity = capacity;
    return doc;
}

// A document drawn in a view of rows by columns cells of 8 by 16 pixels; null when there is no
// memory for the cells.
inline DocPtr DocInView(const std::string& text, int rows, int columns, int room = 1024, int tabSize = 8)
{
    DocPtr doc = DocWithText(text, room, rows);
    doc->tabSize = tabSize;
    doc->cellWidth = 8;
    doc->cellHeight = 16;
    if (LayoutCells(AsGrid(doc.get()), columns * 8, rows * 16) != 0) return nullptr;
    RedrawRows(doc.get(), 0, 0, doc->rows, doc->columns);
    return doc;
}

// What Find and Replace search for and put in.
inline void SetSearch(const std::string& find, const std::string& replace, int matchCase = 0,
                      int wholeWord = 0)
{
    std::snprintf(g_core.search.findText, kSearchTextSize, "%s", find.c_str());
    std::snprintf(g_core.search.replaceText, kSearchTextSize, "%s", replace.c_str());
    g_core.search.matchCase = matchCase;
    g_core.search.wholeWord = wholeWord;
}

// Values with blanks between, to check several fields at once: Join(1, "a", 2) is "1 a 2".
// The arguments are evaluated in no set order: pass only values, never calls that change them.
template <typename T>
std::string ToText(const T& value)
{
    if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
        return std::to_string(+value);
    } else {
        return std::string(value);
    }
}
template <typename... T>
std::string Join(const T&... values)
{
    std::string s;
    ((s += " " + ToText(values)), ...);
    return s.substr(1);
}

inline std::string Text(const EditState* doc)
{
    return std::string(doc->text, static_cast<size_t>(doc->length));
}

// The whole document's text, also while a working window holds part of it.
inline std::string WholeText(const EditState* doc)
{
    if (!(doc->docFlags & kDocWorkingWindow)) return Text(doc);
    const WorkingWindowSave& w = g_core.working;
    std::string s(w.mainText, static_cast<size_t>(w.windowBase));
    s += Text(doc);
    s.append(w.mainText + w.windowBase + w.windowLength,
             static_cast<size_t>(w.mainLength - w.windowBase - w.windowLength));
    return s;
}

// n lines "line 000001\n" ... of 12 bytes each.
inline std::string NumberedLines(int n)
{
    std::string s;
    char line[32];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(line, sizeof line, "line %06d\n", i);
        s += line;
    }
    return s;
}
