// ShowMessage and LoadStr: message boxes and string-table texts.
#include "app/message_box.h"

#include "app/app_state.h"
#include "app/frame.h"
#include "app/message_text.h"
#include "resources/ids.h"

namespace {

// The button a box answers when it cannot be shown: the one that commits to nothing.
int AnswerWhenNotShown(UINT style)
{
    switch (style & MB_TYPEMASK) {
        case MB_YESNOCANCEL:
            return IDCANCEL;
        case MB_YESNO:
            return IDNO;
        default:
            return IDOK;
    }
}

}  // namespace

HINSTANCE ResourceInstance()
{
    return g_app.instance ? g_app.instance : GetModuleHandleA(nullptr);
}

UINT MessageStyle(int kind)
{
    switch (kind) {
        case 0:
            return MB_ICONEXCLAMATION;
        case 1:
            return MB_YESNO | MB_ICONQUESTION;
        case 2:
            return MB_YESNOCANCEL | MB_ICONQUESTION;
        default:
            return MB_ICONHAND;
    }
}

int ShowMessage(HWND owner, int kind, int stringId, const char* appended)
{
    // One more than the characters shown, so that LoadStringA stops at the limit.
    char message[kMessageStringMax + 1];
    if (LoadStringA(ResourceInstance(), stringId, message, sizeof message) <= 0) message[0] = '\0';
    char text[kMessageTextSize];
    ComposeMessageText(text, sizeof text, message, appended);
    return ShowText(owner, kind, text);
}

int ShowText(HWND owner, int kind, const char* text)
{
    char caption[64];
    if (LoadStringA(ResourceInstance(), IDS_APP_CAPTION, caption, sizeof caption) <= 0) caption[0] = '\0';

    const UINT style = MessageStyle(kind);
    ReleaseFramePainting();
    if (g_app.messageBoxHook) return g_app.messageBoxHook(owner, text, caption, style);
    const int answer = MessageBoxA(owner, text, caption, style);
    return answer != 0 ? answer : AnswerWhenNotShown(style);
}

const char* LoadStr(int id)
{
    // A missing entry leaves the buffer as it was, so it is emptied first.
    g_app.scratch[0] = '\0';
    if (LoadStringA(ResourceInstance(), id, g_app.scratch, sizeof g_app.scratch) <= 0)
        g_app.scratch[0] = '\0';
    return g_app.scratch;
}
