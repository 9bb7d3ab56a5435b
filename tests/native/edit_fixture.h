// A document with a grid, for tests of the view, editing and undo.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/view.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/recorder.h"

class EditFixture : public ::testing::Test, public CoreFixture {
protected:
    DocPtr doc;

    void Open(const std::string& text, int rows = 10, int columns = 40, int room = 1024)
    {
        if (doc) CloseWorkingWindow(doc.get());
        doc = DocInView(text, rows, columns, room);
        ASSERT_TRUE(doc) << "no cells for the view";
    }
    void TearDown() override
    {
        if (doc) CloseWorkingWindow(doc.get());
    }

    // Places the caret as a mouse click does: the working window closes first.
    void Click(int32_t offset)
    {
        CloseWorkingWindow(doc.get());
        doc->caretOffset = offset;
        LocateCaret(doc.get());
        CaretUpdate(doc.get());
    }
    // Sets the caret's offset and finds its cell, nothing more.
    void CaretAt(int32_t offset) { doc->caretOffset = offset, LocateCaret(doc.get()); }
    // Shows a selection from anchor to the clicked caret.
    void Select(int32_t anchor, int32_t caret)
    {
        Click(caret);
        doc->anchorOffset = anchor;
        doc->gridFlags |= kGridHighlight;
    }
    // The caret as "offset@row:column".
    std::string At() const
    {
        return std::to_string(doc->caretOffset) + "@" + std::to_string(doc->caretRow) + ":" +
               std::to_string(doc->caretColumn);
    }
    std::string Row(int r) const { return std::string(RowCells(AsGrid(doc.get()), r), doc->columns); }
    // The grid's rows, and those a fresh document of the whole text draws from the same top line
    // and left column: what the grid must show after any edit.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int r = 0; r < doc->rows; ++r) rows.push_back(Row(r));
        return rows;
    }
    std::vector<std::string> FreshRows() const
    {
        DocPtr fresh = DocInView(Whole(), doc->rows, doc->columns, 16, doc->tabSize);
        fresh->topOffset = AbsoluteTop(doc.get());
        fresh->leftColumn = doc->leftColumn;
        RedrawRows(fresh.get(), 0, 0, fresh->rows, fresh->columns);
        ShowCaretPosition(doc.get());  // the status line is the document's again
        std::vector<std::string> rows;
        for (int r = 0; r < doc->rows; ++r) rows.emplace_back(RowCells(AsGrid(fresh.get()), r), doc->columns);
        return rows;
    }

    std::string Whole() const { return WholeText(doc.get()); }

    void Type(const std::string& keys)
    {
        for (char c : keys) TypeKey(doc.get(), static_cast<uint8_t>(c));
    }
};
