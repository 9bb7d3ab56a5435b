// Random key, click, paste, undo and redo sequences on a document large enough for working
// windows: no access outside any block (ASan), and the record stays consistent.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "doc/buffer.h"
#include "doc/edit.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/recorder.h"

namespace {

// The record's fields every step; the whole text for NUL bytes only now and then, which keeps
// long inputs fast.
void Check(const EditState* doc, bool wholeText)
{
    if (doc->length < 0 || doc->length >= doc->capacity + 1 || doc->text[doc->length] != '\0') std::abort();
    if (doc->caretOffset < 0 || doc->caretOffset > doc->length) std::abort();
    if (doc->topOffset < 0 || doc->topOffset > doc->length) std::abort();
    if (doc->undoNext < 0 || doc->undoNext > doc->undoCount || doc->undoCount > 63) std::abort();
    if (wholeText && std::memchr(doc->text, '\0', static_cast<size_t>(doc->length))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FreshCore();

    // About 20 KiB of lines, so that typing near the top opens a working window.
    std::string lines;
    for (int i = 0; i < 1700; ++i) lines += i % 3 ? "  line text\n" : "\tline  txt\n\n";
    const DocPtr owner = DocInView(lines, 8, 24, 1, 4);
    EditState* doc = owner.get();
    if (!doc) std::abort();

    for (size_t i = 0; i < size; ++i) {
        uint8_t b = data[i];
        if (b >= 0xF0) {
            switch (b & 0x0F) {
            case 0: Undo(doc); break;
            case 1: Redo(doc); break;
            case 2:
            case 3: {
                CloseWorkingWindow(doc);
                int32_t at = i + 1 < size ? data[++i] * 97 : 0;
                doc->caretOffset = at % (doc->length + 1);
                LocateCaret(doc);
                CaretUpdate(doc);
                break;
            }
            case 4:
                CloseWorkingWindow(doc);
                InsertString(doc, "pasted\n\ttext");
                LocateCaret(doc);
                CaretUpdate(doc);
                break;
            case 5: {
                CloseWorkingWindow(doc);
                doc->anchorOffset = doc->caretOffset > 30 ? doc->caretOffset - 30 : 0;
                doc->gridFlags |= kGridHighlight;
                break;
            }
            case 6: g_core.insertMode = !g_core.insertMode; break;
            case 7: g_core.settings.autoIndent = !g_core.settings.autoIndent; break;
            case 8: CloseWorkingWindow(doc); ScrollDown(doc, 3); break;
            case 9: CloseWorkingWindow(doc); ScrollUp(doc, 2); break;
            case 10: ScrollRight(doc, 7); break;
            case 11: CloseWorkingWindow(doc); GotoLine(doc, data[i] * 5); break;
            default: TypeKey(doc, b & 0x0F); break;
            }
        } else {
            TypeKey(doc, b == 0 ? 'x' : b);
        }
        Check(doc, i % 64 == 0);
    }
    CloseWorkingWindow(doc);
    Check(doc, true);
    return 0;
}
