// The late libraries' entries, looked up at their first call.
#include "app/late_libraries.h"

namespace {

// Loaded once and kept for the run: what a command needed once it may need again.
HMODULE CommonDialogs()
{
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library;
}

HMODULE Shell()
{
    static const HMODULE library = LoadLibraryA("shell32.dll");
    return library;
}

// The entry as a function of its type, or null.
template <typename Function>
Function Entry(HMODULE library, const char* name)
{
    FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

template <typename Request>
BOOL ShowDialog(const char* name, Request* request)
{
    const auto dialog = Entry<BOOL(WINAPI*)(Request*)>(CommonDialogs(), name);
    return dialog ? dialog(request) : FALSE;
}

}  // namespace

BOOL OpenFileDialog(OPENFILENAMEA* request) { return ShowDialog("GetOpenFileNameA", request); }
BOOL SaveFileDialog(OPENFILENAMEA* request) { return ShowDialog("GetSaveFileNameA", request); }
BOOL PrintDialog(PRINTDLGA* request) { return ShowDialog("PrintDlgA", request); }
BOOL FontDialog(CHOOSEFONTA* request) { return ShowDialog("ChooseFontA", request); }

UINT DroppedFile(HDROP drop, UINT index, char* name, UINT size)
{
    const auto query = Entry<UINT(WINAPI*)(HDROP, UINT, char*, UINT)>(Shell(), "DragQueryFileA");
    return query ? query(drop, index, name, size) : 0;
}

void FinishDrop(HDROP drop)
{
    if (const auto finish = Entry<void(WINAPI*)(HDROP)>(Shell(), "DragFinish")) finish(drop);
}

BOOL ShellExecuteRequest(SHELLEXECUTEINFOA* request)
{
    const auto execute = Entry<BOOL(WINAPI*)(SHELLEXECUTEINFOA*)>(Shell(), "ShellExecuteExA");
    return execute ? execute(request) : FALSE;
}
