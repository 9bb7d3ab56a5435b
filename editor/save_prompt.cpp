// The save prompt: "<name> has been modified, but not saved.  Do you want to save it now?",
// asked in a Yes/No/Cancel box owned by the frame.
#include "editor/save_prompt.h"

#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/recent_files.h"
#include "doc/document_file.h"
#include "editor/recovery.h"
#include "resources/ids.h"

namespace {

constexpr int kQuestionPartMax = 127;

// Longer than LoadStr's scratch buffer holds, so loaded into the caller's (at least
// kQuestionPartMax + 1 bytes).
void LoadPart(int id, char* out)
{
    if (LoadStringA(ResourceInstance(), id, out, kQuestionPartMax + 1) <= 0) out[0] = '\0';
}

int AskToSave(const EditState* doc)
{
    // The whole path: a name cut short could be another file's.
    char name[sizeof doc->path], statement[kQuestionPartMax + 1], question[kQuestionPartMax + 1];
    // The word alone, not the window's numbered title: the number means nothing to the user.
    if (doc->path[0])
        std::snprintf(name, sizeof name, "%s", doc->path);
    else
        LoadPart(IDS_UNTITLED_NAME, name);
    LoadPart(IDS_NOT_SAVED, statement);
    LoadPart(IDS_SAVE_NOW, question);
    char text[sizeof name + 2 * (kQuestionPartMax + 1)];
    std::snprintf(text, sizeof text, "%s %s %s", name, statement, question);
    return ShowText(g_app.frameWindow, 2, text);
}

bool SaveUnderNewName(EditState* doc)
{
    char* name = ChooseFileName(g_app.frameWindow, IDS_FILE_SAVE_TITLE, false);
    if (!name) return false;
    std::snprintf(doc->path, sizeof doc->path, "%s", name);
    SetWindowTextA(static_cast<HWND>(doc->hwnd), doc->path);
    if (!SaveText(doc)) {
        ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_WRITE, doc->path);
        return false;
    }
    RecoveryDocumentSaved(doc);
    AddRecentFile(name);
    return true;
}

}  // namespace

bool SavePrompt(EditState* doc)
{
    // The snapshot of a document closed unmodified or without its changes is no longer wanted.
    if ((doc->docFlags & kDocModified) == 0) {
        RecoveryDiscard(doc);
        return true;
    }
    switch (AskToSave(doc)) {
        case IDNO:
            RecoveryDiscard(doc);
            return true;
        case IDYES:
            // A titled document that cannot be written to its own file is offered another.
            if (doc->path[0] && SaveText(doc)) {
                RecoveryDocumentSaved(doc);
                return true;
            }
            return SaveUnderNewName(doc);
        default:
            return false;
    }
}
