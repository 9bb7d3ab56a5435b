// The common dialogs' entries, looked up in comdlg32.dll at their first call.
#include "app/common_dialogs.h"

namespace {

FARPROC Entry(const char* name)
{
    // Loaded once and kept for the run: a dialog closes long before the program does.
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library ? GetProcAddress(library, name) : nullptr;
}

template <typename Request>
BOOL Show(const char* name, Request* request)
{
    using Dialog = BOOL(WINAPI*)(Request*);
    const auto dialog = reinterpret_cast<Dialog>(reinterpret_cast<void*>(Entry(name)));
    return dialog ? dialog(request) : FALSE;
}

}  // namespace

BOOL OpenFileDialog(OPENFILENAMEA* request) { return Show("GetOpenFileNameA", request); }
BOOL SaveFileDialog(OPENFILENAMEA* request) { return Show("GetSaveFileNameA", request); }
BOOL PrintDialog(PRINTDLGA* request) { return Show("PrintDlgA", request); }
BOOL FontDialog(CHOOSEFONTA* request) { return Show("ChooseFontA", request); }
