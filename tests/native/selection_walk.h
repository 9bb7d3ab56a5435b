// A walk of the document's commands in random order: typing, Delete, Backspace, the caret keys
// plain and with Shift, mouse selections, Find Next, Replace, Replace All, Goto Line, Cut,
// Paste, Undo, Redo, and working windows opening (typing far above the text's end) and
// closing. After every step the highlighted cells must stand for exactly the selected bytes,
// and an edit must change the text only where the highlight, or with none the caret, was.
// Used by a seeded native test and by a fuzz target.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "doc/buffer.h"
#include "doc/core_state.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/keys.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "editor/search.h"
#include "tests/native/doc_helpers.h"

// Short lines of few letters, tabs among them, long enough for working windows.
inline std::string WalkText(uint32_t seed)
{
    std::string s;
    while (s.size() < 12000) {
        seed = seed * 1103515245u + 12345u;
        const char* const words[] = {"ab", "a", "\t", "ba b", "x", " ", "aab"};
        const uint32_t n = (seed >> 16) % 9;
        s += n < 7 ? words[n] : "\n";
    }
    return s + "\n";
}

class SelectionWalk {
public:
    explicit SelectionWalk(EditState* doc) : doc_(doc) {}

    // Runs the command `choice` picks with `arg` as its parameter; answers what went wrong, or
    // nothing when every check held.
    std::string Step(uint32_t choice, uint32_t arg)
    {
        const std::string before = WholeText(doc_);
        int32_t start = 0, end = 0;
        if (!Selected(&start, &end)) return problem_ + "; before any command";
        expected_ = before;
        const std::string range = " (" + std::to_string(start) + ".." + std::to_string(end) + " before)";
        const std::string command = Run(choice % 21, arg, start, end);
        trail_ = (trail_ + " / " + command).substr(trail_.size() > 300 ? trail_.size() - 300 : 0);
        if (!Selected(&start, &end)) return problem_ + "; after" + trail_;
        if (WholeText(doc_) != expected_)
            return "the text changed outside the selection" + range + "; after" + trail_;
        return "";
    }

private:
    EditState* doc_;
    std::string expected_, clipboard_ = "a\tb", problem_, trail_;

    int32_t Base() const { return (doc_->docFlags & kDocWorkingWindow) ? g_core.working.windowBase : 0; }
    bool Highlighted() const { return (doc_->gridFlags & kGridHighlight) != 0; }

    // The byte a cell stands for, found as a click on it finds the caret's; rows above the
    // view are the lines above its top line.
    int32_t CellOffset(Cell cell) const
    {
        const char* t = doc_->text;
        int32_t p = doc_->topOffset, stepped = 0;
        for (int32_t r = cell.row; r < 0 && p > 0; ++r) p = LineStart(t, p - 1);
        while (stepped < cell.row && p < doc_->length) {
            p = static_cast<int32_t>(NextLineStart(t + doc_->length, t + p) - t);
            ++stepped;
        }
        if (p == doc_->length && p > 0 && t[p - 1] != '\n' && stepped > 0) p = LineStart(t, p);
        for (int32_t column = 0; p < doc_->length && t[p] != '\n' && column < doc_->leftColumn + cell.column;
             ++p)
            column = ColumnAdvance(column, static_cast<uint8_t>(t[p]), doc_->tabSize);
        return p;
    }

    // The highlighted bytes as whole-text offsets, or the caret twice when nothing is
    // highlighted; false with problem_ when the cells and the byte selection disagree.
    bool Selected(int32_t* start, int32_t* end)
    {
        const int32_t caret = doc_->caretOffset;
        if (caret < 0 || caret > doc_->length) return problem_ = "the caret is outside the text", false;
        *start = *end = Base() + caret;
        if (!Highlighted()) return true;
        const int32_t low = std::min(doc_->anchorOffset, caret), high = std::max(doc_->anchorOffset, caret);
        *start = Base() + low;
        *end = Base() + high;
        // Columns past the last the view scrolls to are not shown: a cell there stands for no
        // one byte.
        const int32_t shown = kMaxLeftColumn + doc_->columns - 1;
        if (doc_->caretBeyond > 0 ||
            doc_->leftColumn + std::max(doc_->selAnchorColumn, doc_->selEndColumn) >= shown)
            return true;
        const int32_t a = CellOffset({doc_->selAnchorRow, doc_->selAnchorColumn});
        const int32_t b = CellOffset({doc_->selEndRow, doc_->selEndColumn});
        if (std::min(a, b) != low || std::max(a, b) != high) {
            problem_ = "cells show " + Join(std::min(a, b), std::max(a, b)) + ", the bytes selected are " +
                       Join(low, high) + " (anchor cell, end cell, left column, caret cell, beyond: " +
                       Join(doc_->selAnchorRow, doc_->selAnchorColumn, doc_->selEndRow, doc_->selEndColumn,
                            doc_->leftColumn, doc_->caretRow, doc_->caretColumn, doc_->caretBeyond) +
                       ")";
            return false;
        }
        return true;
    }

    // What the text must become when [start, end) is replaced by s.
    void Expect(int32_t start, int32_t end, const std::string& s)
    {
        expected_.replace(start, end - start, s);
    }

    void ClickAt(Cell cell, bool drag, Cell to)
    {
        // The grid takes the press and the highlight's anchor; the caret goes to the cell.
        CloseWorkingWindow(doc_);
        HideHighlight(AsGrid(doc_));
        doc_->selAnchorRow = doc_->selEndRow = doc_->caretRow = cell.row;
        doc_->selAnchorColumn = doc_->selEndColumn = cell.column;
        SetCaretTextColumn(doc_, doc_->leftColumn + cell.column);
        PlaceCaretAtCell(doc_);
        doc_->anchorOffset = doc_->caretOffset;
        CaretUpdate(doc_);
        if (!drag || to == cell) return;
        doc_->gridFlags |= kGridHighlight;
        ExtendHighlight(AsGrid(doc_), to);
        doc_->caretRow = to.row;
        SetCaretTextColumn(doc_, doc_->leftColumn + to.column);
        PlaceCaretAtCell(doc_);
        // The release.
        ExtendSelection(doc_);
        if (doc_->caretOffset == doc_->anchorOffset) HideHighlight(AsGrid(doc_));
        CaretUpdate(doc_);
    }

    // The document window takes the keyboard back: the caret is drawn at its offset.
    void Focus()
    {
        LocateCaret(doc_);
        CaretUpdate(doc_);
    }

    static void SetSearch(uint32_t arg)
    {
        const char* const finds[] = {"ab", "a", "b a", "ba", "x", "aab"};
        const char* const replacements[] = {"", "Q", "abab", "\t", "xy"};
        std::snprintf(g_core.search.findText, kSearchTextSize, "%s", finds[arg % 6]);
        std::snprintf(g_core.search.replaceText, kSearchTextSize, "%s", replacements[arg / 6 % 5]);
        g_core.search.wholeWord = static_cast<int32_t>(arg / 30 % 4 == 0);
    }

    std::string Run(uint32_t command, uint32_t arg, int32_t start, int32_t end)
    {
        const SearchPlatform platform{AsciiCaseFold(), nullptr, nullptr};
        const bool highlighted = Highlighted();
        switch (command) {
            case 0:
            case 1:
            case 2: {  // typing: the highlight goes, the byte takes its place
                const char typed = "ab \t\nx"[arg % 6];
                Expect(start, end, std::string(1, typed));
                TypeKey(doc_, typed == '\n' ? kKeyEnter : static_cast<uint8_t>(typed));
                return std::string("type ") + typed;
            }
            case 3:
                if (!highlighted && start < static_cast<int32_t>(expected_.size())) ++end;
                Expect(start, end, "");
                TypeKey(doc_, kKeyDelete);
                return "Delete";
            case 4:
                if (!highlighted && start > 0 && expected_[start - 1] != '\n') --start;
                Expect(start, end, "");
                TypeKey(doc_, kKeyBackspace);
                return "Backspace";
            case 5:
            case 6:
            case 7:
            case 8: {
                const auto key = static_cast<CaretKey>(arg % 8);
                const bool shift = arg / 8 % 3 != 0, control = arg / 24 % 5 == 0;
                if (key == CaretKey::kUp || key == CaretKey::kDown || key == CaretKey::kPageUp ||
                    key == CaretKey::kPageDown || key == CaretKey::kHome || key == CaretKey::kEnd)
                    CloseWorkingWindow(doc_);  // they leave the line
                StartKeyMove(doc_, shift);
                MoveCaretByKey(doc_, key, shift, control);
                return "key " + std::to_string(arg % 8) + (shift ? " shift" : "") + (control ? " ctrl" : "");
            }
            case 9:
                ClickAt(
                    {static_cast<int32_t>(arg % doc_->rows), static_cast<int32_t>(arg / 8 % doc_->columns)},
                    arg % 3 != 0,
                    {static_cast<int32_t>(arg / 256 % doc_->rows),
                     static_cast<int32_t>(arg / 4096 % doc_->columns)});
                return "mouse";
            case 19:
                Focus();  // back from a dialog
                return "focus";
            case 10:
            case 11:
                // The dialog's Find Next; activating the dialog starts the search at the top line.
                SetSearch(arg);
                if (arg % 7 == 0) doc_->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
                FindNext(doc_, AsciiCaseFold());
                return std::string("Find Next ") + g_core.search.findText;
            case 12: {  // the dialog's Replace, then its Find Next
                const std::string replacement = g_core.search.replaceText;
                if (ReplaceOne(doc_, AsciiCaseFold())) Expect(start, end, replacement);
                FindNext(doc_, AsciiCaseFold());
                return "Replace with " + replacement;
            }
            case 13:
                // The batch's result is compared with the sequential replace elsewhere. Batches
                // that double the text would soon fill the memory: a large text skips them.
                if (expected_.size() > 50000) return "Replace All (not on a large text)";
                ReplaceAll(doc_, platform);
                doc_->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);  // the dialog closes
                expected_ = WholeText(doc_);
                Focus();
                return "Replace All";
            case 14:
                CloseWorkingWindow(doc_);
                GotoLine(doc_, static_cast<int32_t>(arg % 400));
                Focus();
                return "Goto Line";
            case 15:
                CloseWorkingWindow(doc_);
                if (highlighted) {
                    clipboard_ = expected_.substr(start, end - start);
                    Expect(start, end, "");
                    TypeKey(doc_, kKeyDelete);
                }
                return "Cut";
            case 16:
                CloseWorkingWindow(doc_);
                if (highlighted) DeleteSelection(doc_);
                Expect(start, end, clipboard_);
                InsertString(doc_, clipboard_.c_str());
                LocateCaret(doc_);
                HideHighlight(AsGrid(doc_));
                CaretUpdate(doc_);
                return "Paste";
            case 17:
            case 18:
                CloseWorkingWindow(doc_);
                HideHighlight(AsGrid(doc_));
                command == 17 ? Undo(doc_) : Redo(doc_);
                expected_ = WholeText(doc_);
                return command == 17 ? "Undo" : "Redo";
            default:  // 20: Repeat Last Find: the caret on the match, nothing highlighted
                HideHighlight(AsGrid(doc_));
                if (g_core.search.findText[0] && FindNext(doc_, AsciiCaseFold())) {
                    LocateCaret(doc_);
                    HideHighlight(AsGrid(doc_));
                    CaretUpdate(doc_);
                }
                return "Repeat Last Find";
        }
    }
};
