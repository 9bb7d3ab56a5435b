// ZAVODO.EXE: start-up, the hand-off of the command line's files to a copy already running,
// the documents named on the command line, and the message loop with its idle step.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/command_line.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/message_box.h"
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

void NewUntitledDocument()
{
    if (RoomForDocument()) NewDocumentWindow(nullptr, 0, 0, 0, 0);
}

void BringForward(HWND running)
{
    BringWindowToTop(running);
    if (IsIconic(running)) OpenIcon(running);
}

// A file of the command line: handed to the running copy, or opened here.
void TakeFileArgument(HWND running, const char* arg, int* pendingLine)
{
    char name[kFileArgumentSize];
    // A longer name would be cut to a different file: refuse it, naming it.
    if (std::strlen(arg) >= sizeof name) {
        ShowMessage(running ? running : g_app.frameWindow, 0, IDS_NAME_TOO_LONG, arg);
        return;
    }
    std::snprintf(name, sizeof name, "%s", arg);
    if (running) {
        BringForward(running);
        const ATOM atom = GlobalAddAtomA(name);
        if (!atom) return;  // not handed off; the line stays pending for the next file
        SendMessageA(running, UM_OPENFILE, atom, *pendingLine);
        GlobalDeleteAtom(atom);
        *pendingLine = 0;
        return;
    }
    g_app.newWindowStyle = WS_MAXIMIZE;
    HWND w = OpenDocument(name);
    if (!w) return;
    AddRecentFile(name);
    if (*pendingLine != 0 && w == ActiveDocument())
        if (EditState* doc = DocumentOfWindow(w)) GotoLine(doc, *pendingLine);
}

// Opens the command line's files here or in the running copy; "/G" and "/N" as they come. The
// usual untitled document is not added in front of recovered ones.
void TakeArguments(HWND running, const char* commandLine, bool documentsRecovered)
{
    ArgumentList* list = SplitCommandLine(commandLine);
    int pendingLine = 0;
    bool newRequested = false;
    const int count = list ? list->count : 0;
    if (count == 0) {
        if (running)
            BringForward(running);
        else if (g_core.settings.newFile && !documentsRecovered)
            NewUntitledDocument();
    }
    for (int i = 0; i < count; ++i) {
        char* arg = const_cast<char*>(Argument(list, i));
        CharUpperA(arg);
        switch (Classify(arg)) {
            case ArgumentKind::GotoOption:
                pendingLine = ParseGotoLine(arg + 2, pendingLine);
                break;
            case ArgumentKind::NewOption:
                newRequested = true;
                if (running) PostMessageA(running, WM_COMMAND, IDM_NEW, 0);
                break;
            case ArgumentKind::OtherOption:
                break;
            case ArgumentKind::FileName:
                TakeFileArgument(running, arg, &pendingLine);
                break;
        }
    }
    if (newRequested && !running) NewUntitledDocument();
    g_app.newWindowStyle = 0;
    FreeArgumentList(list);
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
    HWND running = FindWindowA(frameClass, nullptr);
    int recovered = 0;
    if (running) {
        ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(running);
        if (!IsWindow(running)) return 0;
    } else if (!CreateFrameWindow(show)) {
        return 0;
    } else {
        // What an earlier run left unsaved is offered before the command line's files open.
        recovered = OfferRecovery();
    }
    TakeArguments(running, commandLine, recovered > 0);
    if (running) return 0;
    return RunMessageLoop();
}
