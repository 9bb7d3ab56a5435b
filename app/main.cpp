// ZAVODO.EXE: start-up, the hand-off of the command line's files to a copy already running
// (waited for a few seconds at most), the documents named on the command line or recovered,
// and the message loop with its idle step.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "app/command_line.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "app/message_text.h"
#include "app/recovery_dialog.h"
#include "app/recent_files.h"
#include "app/win32_screen.h"
#include "app/window_list.h"
#include "doc/view.h"
#include "editor/recovery.h"
#include "libs/dez/dez32.h"
#include "libs/vuzuze/vuzuze32.h"
#include "resources/ids.h"

namespace {

constexpr size_t kFileArgumentSize = 128;
// How long the running copy may take to answer the hand-off before the user is told.
constexpr UINT kAnswerWaitMs = 4000;

void NewUntitledDocument()
{
    if (RoomForDocument()) NewDocumentWindow(nullptr, 0, 0, 0, 0);
}

// A message to the running copy that waits no longer than kAnswerWaitMs, and not at all once
// the system has seen it stop taking messages. False when it did not answer.
bool SendToRunningCopy(HWND running, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(running, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerWaitMs, &result) != 0;
}

// Brought to the front without waiting on it: a copy that does not answer cannot hold this one.
void BringForward(HWND running)
{
    ShowWindowAsync(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(running, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

// Where the command line's files go: this copy, or the running one while it answers. The files
// it could not take are collected for the user, so that none is lost without a word.
struct Destination {
    HWND running;
    bool answering;
    std::string notHanded;
};

// A file of the command line: handed to the running copy, or opened here.
void TakeFileArgument(Destination* to, const char* arg, int* pendingLine)
{
    char name[kFileArgumentSize];
    // A longer name would be cut to a different file: refuse it, naming it.
    if (std::strlen(arg) >= sizeof name) {
        ShowMessage(to->running ? nullptr : g_app.frameWindow, 0, IDS_NAME_TOO_LONG, arg);
        return;
    }
    std::snprintf(name, sizeof name, "%s", arg);
    if (to->running) {
        const ATOM atom = to->answering ? GlobalAddAtomA(name) : 0;
        if (to->answering && !atom) return;  // not handed off; the line stays pending for the next file
        if (atom && SendToRunningCopy(to->running, UM_OPENFILE, atom, *pendingLine)) {
            GlobalDeleteAtom(atom);
            *pendingLine = 0;
            return;
        }
        // The atom stays for a copy that is only slow. One still taking messages is busy with the
        // file itself (a question about it is open) and has its name already.
        if (atom && SendToRunningCopy(to->running, WM_NULL, 0, 0)) {
            *pendingLine = 0;
            return;
        }
        to->answering = false;
        to->notHanded += "\n";
        to->notHanded += name;
        return;
    }
    g_app.newWindowStyle = WS_MAXIMIZE;
    HWND w = OpenDocument(name);
    if (!w) return;
    AddRecentFile(name);
    if (*pendingLine != 0 && w == ActiveDocument())
        if (EditState* doc = DocumentOfWindow(w)) GotoLine(doc, *pendingLine);
}

// The running copy did not answer: the user learns it, with every file it was not given.
void ReportNotAnswering(const Destination& to)
{
    char message[kMessageStringMax + 1];
    if (LoadStringA(ResourceInstance(), IDS_NOT_ANSWERING, message, sizeof message) <= 0) message[0] = '\0';
    std::string text = message;
    for (char& c : text)
        if (c == '^') c = '\n';
    ShowText(nullptr, 0, (text + to.notHanded).c_str());
}

// Opens the command line's files here or in the running copy; "/G" and "/N" as they come. The
// usual untitled document is not added in front of recovered ones. Answers whether nothing was
// left undone for want of an answer from the running copy.
bool TakeArguments(Destination* to, const char* commandLine, bool documentsRecovered)
{
    ArgumentList* list = SplitCommandLine(commandLine);
    int pendingLine = 0;
    bool newRequested = false;
    const int count = list ? list->count : 0;
    if (count == 0 && !to->running && g_core.settings.newFile && !documentsRecovered) NewUntitledDocument();
    for (int i = 0; i < count; ++i) {
        char* arg = const_cast<char*>(Argument(list, i));
        CharUpperA(arg);
        switch (Classify(arg)) {
            case ArgumentKind::GotoOption:
                pendingLine = ParseGotoLine(arg + 2, pendingLine);
                break;
            case ArgumentKind::NewOption:
                newRequested = true;
                if (to->running && to->answering) PostMessageA(to->running, WM_COMMAND, IDM_NEW, 0);
                break;
            case ArgumentKind::OtherOption:
                break;
            case ArgumentKind::FileName:
                TakeFileArgument(to, arg, &pendingLine);
                break;
        }
    }
    if (newRequested && !to->running) NewUntitledDocument();
    g_app.newWindowStyle = 0;
    FreeArgumentList(list);
    return to->answering;
}

bool TakenBeforeDispatch(MSG* msg)
{
    if (g_app.findDialog && IsDialogMessageA(g_app.findDialog, msg)) return true;
    if (g_app.clientWindow && TranslateMDISysAccel(g_app.clientWindow, msg)) return true;
    return g_app.accelerators && TranslateAcceleratorA(g_app.frameWindow, g_app.accelerators, msg);
}

int RunMessageLoop()
{
    MSG msg;
    for (;;) {
        // The idle step runs once each time the queue becomes empty.
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) UpdateActionBarButtons();
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 0;
        if (TakenBeforeDispatch(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    g_core.untitledCounter = 1;
    g_app.documentCount = 0;
    g_app.newWindowStyle = 0;
    g_app.instance = instance;
    g_core.screen = &g_win32Screen;
    StartRecovery();
    if (!ActionBarInit(&g_app.actionBarBlock, 0)) return 0;
    UtilProgramDirectory(g_app.programDirectory, 0);
    LoadStringA(instance, IDS_DRIVE_SEPARATOR, g_app.driveSeparator, sizeof g_app.driveSeparator);
    LoadStringA(instance, IDS_PATH_SEPARATOR, g_app.pathSeparator, sizeof g_app.pathSeparator);

    char frameClass[64];
    std::snprintf(frameClass, sizeof frameClass, "%s", LoadStr(IDS_FRAME_CLASS));
    Destination to{FindWindowA(frameClass, nullptr), true, {}};
    int recovered = 0;
    if (to.running) {
        // A copy that has stopped taking messages would hold this one for good; one that has
        // ended meanwhile leaves this one in charge.
        to.answering = SendToRunningCopy(to.running, WM_NULL, 0, 0);
        if (!to.answering && !IsWindow(to.running)) to = Destination{nullptr, true, {}};
    }
    if (to.running) {
        if (to.answering) {
            BringForward(to.running);
            SetForegroundWindow(to.running);
        }
    } else if (!CreateFrameWindow(show)) {
        return 0;
    } else {
        // What an earlier run left unsaved is offered before the command line's files open.
        recovered = OfferRecovery();
    }
    // The documents open into a frame that holds its painting; the menu and the action bar
    // follow them (the posted request then finds nothing to do), and the bar's buttons take the
    // states the idle step would give them, before it paints once.
    if (!to.running) HoldFramePainting();
    const bool answered = TakeArguments(&to, commandLine, recovered > 0);
    if (!to.running) {
        SendMessageA(g_app.frameWindow, UM_SYNCMENU, 0, 0);
        UpdateActionBarButtons();
        ReleaseFramePainting();
    }
    if (!answered) ReportNotAnswering(to);
    if (to.running) return 0;
    return RunMessageLoop();
}
