// A walk of the document's commands in random order: typing, Delete, Backspace, the caret keys
// plain and with Shift, mouse selections, Find Next down or up and around, Replace, Replace All,
// Goto Line, Cut, Paste, Undo, Redo, Select All, Match Block and Select to Match, and working
// windows opening (typing far above the text's end) and closing. After every step the
// highlighted cells must stand for exactly the selected bytes, and an edit must change the text
// only where the highlight, or with none the caret, was.
// Used by a seeded native test and by a fuzz target.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "doc/blocks.h"
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

class SelectionWalk {
public:
    // Short lines of few letters, tabs, brackets and loops among them, long enough for working
    // windows, in a view of 8 rows by 24 columns.
    explicit SelectionWalk(uint32_t seed)
    {
        std::string text;
        while (text.size() < 12000) {
            seed = seed * 1103515245u + 12345u;
            const char* const words[] = {"ab",  "a", "\t", "ba b",    "x",     " ",
                                         "aab", "(", ")",  "\nwhile", "\nwend"};
            const uint32_t n = (seed >> 16) % 13;
            text += n < 11 ? words[n] : "\n";
        }
        g_core.settings.autoIndent = 0;
        doc_ = DocInView(text + "\n", 8, 24, 64, 4);
    }
    ~SelectionWalk()
    {
        if (doc_) CloseWorkingWindow(doc_.get());
    }

    // Runs the command `choice` picks with `arg` as its parameter; answers what went wrong, or
    // nothing when every check held.
    std::string Step(uint32_t choice, uint32_t arg)
    {
        if (!doc_) return "no cells for the view";
        int32_t start = 0, end = 0;
        std::string problem = Selected(&start, &end);
        if (problem.empty()) {
            expected_ = WholeText(doc_.get());
            // Each command as often as its letter stands here: T typing, D Delete, B Backspace,
            // K a caret key, M the mouse, F Find Next, R Replace, A Replace All, G Goto Line,
            // X Cut, P Paste, U Undo, Y Redo, S the keyboard back from a dialog, L Repeat Last
            // Find, E Select All, J Match Block or Select to Match.
            const std::string range = Join(start, end);
            const std::string command = Run("TTTDBKKKKMFFRAGXPUYSLEJ"[choice % 23], arg, start, end);
            trail_ = (trail_ + " / " + command).substr(trail_.size() > 300 ? trail_.size() - 300 : 0);
            problem = Selected(&start, &end);
            if (problem.empty() && WholeText(doc_.get()) != expected_)
                problem = "the text changed outside " + range;
        }
        return problem.empty() ? problem : problem + "; after" + trail_;
    }

private:
    DocPtr doc_;
    std::string expected_, clipboard_ = "a\tb", trail_;
    FindCourse course_;  // the last Find Next's

    bool Highlighted() const { return (doc_->gridFlags & kGridHighlight) != 0; }

    // The byte a cell stands for, found as a click on it finds the caret's; rows above the
    // view are the lines above its top line.
    int32_t CellOffset(int32_t row, int32_t column) const
    {
        const char* t = doc_->text;
        int32_t p = doc_->topOffset, stepped = 0;
        for (int32_t r = row; r < 0 && p > 0; ++r) p = LineStart(t, p - 1);
        for (; stepped < row && p < doc_->length; ++stepped)
            p = static_cast<int32_t>(NextLineStart(t + doc_->length, t + p) - t);
        if (p == doc_->length && p > 0 && t[p - 1] != '\n' && stepped > 0) p = LineStart(t, p);
        for (int32_t c = 0; p < doc_->length && t[p] != '\n' && c < doc_->leftColumn + column; ++p)
            c = ColumnAdvance(c, static_cast<uint8_t>(t[p]), doc_->tabSize);
        return p;
    }

    // The highlighted bytes as whole-text offsets, or the caret twice when nothing is
    // highlighted; answers how the cells and the byte selection disagree, if they do.
    std::string Selected(int32_t* start, int32_t* end) const
    {
        const int32_t caret = doc_->caretOffset;
        if (caret < 0 || caret > doc_->length) return "the caret is outside the text";
        const bool shown = Highlighted();
        const int32_t low = shown ? std::min(doc_->anchorOffset, caret) : caret;
        const int32_t high = shown ? std::max(doc_->anchorOffset, caret) : caret;
        const int32_t base = (doc_->docFlags & kDocWorkingWindow) ? g_core.working.windowBase : 0;
        *start = base + low;
        *end = base + high;
        // Columns past the last the view scrolls to are not shown: a cell there stands for no
        // one byte.
        const int32_t lastShown = kMaxLeftColumn + doc_->columns - 1;
        if (!shown || doc_->caretBeyond > 0 ||
            doc_->leftColumn + std::max(doc_->selAnchorColumn, doc_->selEndColumn) >= lastShown)
            return "";
        const int32_t a = CellOffset(doc_->selAnchorRow, doc_->selAnchorColumn);
        const int32_t b = CellOffset(doc_->selEndRow, doc_->selEndColumn);
        if (std::min(a, b) == low && std::max(a, b) == high) return "";
        return "cells " +
               Join(doc_->selAnchorRow, doc_->selAnchorColumn, doc_->selEndRow, doc_->selEndColumn) +
               " show " + Join(std::min(a, b), std::max(a, b)) + ", the bytes selected are " +
               Join(low, high);
    }

    void CaretToCell(Cell cell)
    {
        doc_->caretRow = cell.row;
        SetCaretTextColumn(doc_.get(), doc_->leftColumn + cell.column);
        PlaceCaretAtCell(doc_.get());
    }

    // A press on one cell and a release on another: the grid takes the press and the
    // highlight's anchor, the caret and the byte anchor go to the cell; a drag extends both.
    void Mouse(Cell press, Cell release)
    {
        EditState* doc = doc_.get();
        CloseWorkingWindow(doc);
        HideHighlight(AsGrid(doc));
        doc->selAnchorRow = doc->selEndRow = press.row;
        doc->selAnchorColumn = doc->selEndColumn = press.column;
        CaretToCell(press);
        doc->anchorOffset = doc->caretOffset;
        CaretUpdate(doc);
        if (release == press) return;
        doc->gridFlags |= kGridHighlight;
        ExtendHighlight(AsGrid(doc), release);
        CaretToCell(release);
        ExtendSelection(doc);
        if (doc->caretOffset == doc->anchorOffset) HideHighlight(AsGrid(doc));
        CaretUpdate(doc);
    }

    // The document window takes the keyboard back: the caret is drawn at its offset, with nothing
    // highlighted when asked.
    void Focus(bool unhighlighted = false)
    {
        LocateCaret(doc_.get());
        if (unhighlighted) HideHighlight(AsGrid(doc_.get()));
        CaretUpdate(doc_.get());
    }

    std::string Run(char command, uint32_t arg, int32_t start, int32_t end)
    {
        EditState* doc = doc_.get();
        const bool highlighted = Highlighted();
        // What the text must become: [start, end) replaced by s.
        const auto expect = [&](const std::string& s) { expected_.replace(start, end - start, s); };
        switch (command) {
            case 'T': {  // the highlight goes, the byte takes its place
                const char typed = "ab \t\nx"[arg % 6];
                expect(std::string(1, typed));
                TypeKey(doc, typed == '\n' ? kKeyEnter : static_cast<uint8_t>(typed));
                return std::string("type ") + typed;
            }
            case 'D':
                if (!highlighted && start < static_cast<int32_t>(expected_.size())) ++end;
                expect("");
                TypeKey(doc, kKeyDelete);
                return "Delete";
            case 'B':
                if (!highlighted && start > 0 && expected_[start - 1] != '\n') --start;
                expect("");
                TypeKey(doc, kKeyBackspace);
                return "Backspace";
            case 'K': {
                const auto key = static_cast<CaretKey>(arg % 8);
                const bool shift = arg / 8 % 3 != 0, control = arg / 24 % 5 == 0;
                if (key != CaretKey::kLeft && key != CaretKey::kRight)
                    CloseWorkingWindow(doc);  // off the line
                StartKeyMove(doc, shift);
                MoveCaretByKey(doc, key, shift, control);
                return "key " + std::to_string(arg % 8) + (shift ? " shift" : "") + (control ? " ctrl" : "");
            }
            case 'M': {
                const auto cell = [doc](uint32_t r, uint32_t c) {
                    return Cell{static_cast<int32_t>(r % doc->rows), static_cast<int32_t>(c % doc->columns)};
                };
                const Cell press = cell(arg, arg / 8);
                Mouse(press, arg % 3 != 0 ? cell(arg / 256, arg / 4096) : press);
                return "mouse";
            }
            case 'F': {  // the dialog's; activating the dialog starts the search at the top line
                const char* const finds[] = {"ab", "a", "b a", "ba", "x", "aab"};
                const char* const replacements[] = {"", "Q", "abab", "\t", "xy"};
                SetSearch(finds[arg % 6], replacements[arg / 6 % 5], 0, arg / 30 % 4 == 0);
                if (arg % 7 == 0) doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
                course_ = FindCourse{arg / 120 % 2 == 1, arg / 240 % 2 == 1};
                FindNext(doc, AsciiCaseFold(), course_);
                return std::string(course_.up ? "Find Up " : "Find Next ") + g_core.search.findText;
            }
            case 'R': {  // the dialog's Replace, then its Find Next
                const std::string replacement = g_core.search.replaceText;
                if (ReplaceOne(doc, AsciiCaseFold())) expect(replacement);
                FindNext(doc, AsciiCaseFold(), course_);
                return "Replace with " + replacement;
            }
            case 'A':
                // The batch's result is compared with the sequential replace elsewhere. Batches
                // that double the text would soon fill the memory: a large text skips them.
                if (expected_.size() > 50000) return "Replace All (not on a large text)";
                ReplaceAll(doc, SearchPlatform{AsciiCaseFold(), nullptr, nullptr});
                doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);  // the dialog closes
                expected_ = WholeText(doc);
                Focus();
                return "Replace All";
            case 'G':
                CloseWorkingWindow(doc);
                GotoLine(doc, static_cast<int32_t>(arg % 400));
                Focus();
                return "Goto Line";
            case 'X':
                CloseWorkingWindow(doc);
                if (highlighted) {
                    clipboard_ = expected_.substr(start, end - start);
                    expect("");
                    TypeKey(doc, kKeyDelete);
                }
                return "Cut";
            case 'P':
                CloseWorkingWindow(doc);
                if (highlighted) DeleteSelection(doc);
                expect(clipboard_);
                InsertString(doc, clipboard_.c_str());
                Focus(true);
                return "Paste";
            case 'U':
            case 'Y':
                // The working window stays open: a record near the caret is replayed inside it.
                HideHighlight(AsGrid(doc));
                command == 'U' ? Undo(doc) : Redo(doc);
                expected_ = WholeText(doc);
                return command == 'U' ? "Undo" : "Redo";
            case 'S':
                Focus();
                return "focus";
            case 'E':
                CloseWorkingWindow(doc);
                SelectAll(doc);
                return "Select All";
            case 'J':
                return MatchBlock(doc, arg % 2 != 0) ? (arg % 2 != 0 ? "Select to Match" : "Match Block")
                                                     : "Match Block (none)";
            default:  // the caret on the match, nothing highlighted
                HideHighlight(AsGrid(doc));
                if (g_core.search.findText[0] && FindNext(doc, AsciiCaseFold(), course_)) Focus(true);
                return "Repeat Last Find";
        }
    }
};
