// The compiler options dialog, the options' keys in the settings file, and the compile command
// with the compiler's notices. The compiler is a program of its own: the editor gives it a
// command line, learns its window from its notice, and only raises that window while it runs.
#include "compile/compile.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/help.h"
#include "app/message_box.h"
#include "compile/compile_errors.h"
#include "compile/compiler_options.h"
#include "resources/ids.h"

namespace {

// Found by the system's program search: beside the editor, or on the path.
constexpr char kCompiler[] = "ZURIRIRU.EXE";

struct CompilerSection {
    char file[20];
    char name[9];
    char includeKey[20];
    char optionsKey[20];
};

CompilerSection LoadSectionNames()
{
    CompilerSection s{};
    std::snprintf(s.file, sizeof s.file, "%s", LoadStr(IDS_SETTINGS_FILE));
    std::snprintf(s.name, sizeof s.name, "%s", LoadStr(IDS_COMPILER_SECTION));
    std::snprintf(s.includeKey, sizeof s.includeKey, "%s", LoadStr(IDS_KEY_INCLUDEPATH));
    std::snprintf(s.optionsKey, sizeof s.optionsKey, "%s", LoadStr(IDS_KEY_OPTIONS));
    return s;
}

// A field's text without its leading blanks (tabs stay), at most size - 1 characters.
void ReadField(HWND dialog, int id, char* out, int size)
{
    char text[256];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    const char* start = text;
    while (*start == ' ') ++start;
    std::snprintf(out, static_cast<size_t>(size), "%s", start);
}

void FillDialog(HWND dialog)
{
    const CompilerOptions& o = g_app.compiler;
    CheckDlgButton(dialog, IDC_DEBUG_INFO, o.debugInfo ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MAP_FILE, o.mapFile ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_LINE_NUMBERS), o.mapFile != 0);
    CheckDlgButton(dialog, IDC_LINE_NUMBERS, o.mapFile == 2 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_MAX_ERRORS, static_cast<UINT>(o.maxErrors), FALSE);
    const int level = o.warningLevel > 2 ? 2 : o.warningLevel;
    CheckRadioButton(dialog, IDC_WARNING_0, IDC_WARNING_2, IDC_WARNING_0 + level);
    SetDlgItemTextA(dialog, IDC_INCLUDE_PATH, o.includePath);
    SetDlgItemTextA(dialog, IDC_SAVED_OPTIONS, o.savedOptions);
    SetDlgItemTextA(dialog, IDC_SESSION_OPTIONS, o.sessionOptions);
    SendDlgItemMessageA(dialog, IDC_MAX_ERRORS, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageA(dialog, IDC_INCLUDE_PATH, EM_LIMITTEXT, sizeof o.includePath - 1, 0);
    SendDlgItemMessageA(dialog, IDC_SAVED_OPTIONS, EM_LIMITTEXT, sizeof o.savedOptions - 1, 0);
    SendDlgItemMessageA(dialog, IDC_SESSION_OPTIONS, EM_LIMITTEXT, sizeof o.sessionOptions - 1, 0);
}

void ReadDialog(HWND dialog)
{
    CompilerOptions& o = g_app.compiler;
    const bool checked = IsDlgButtonChecked(dialog, IDC_MAP_FILE) == BST_CHECKED;
    o.mapFile = !checked ? 0 : IsDlgButtonChecked(dialog, IDC_LINE_NUMBERS) == BST_CHECKED ? 2 : 1;
    o.warningLevel = IsDlgButtonChecked(dialog, IDC_WARNING_0) == BST_CHECKED   ? 0
                     : IsDlgButtonChecked(dialog, IDC_WARNING_1) == BST_CHECKED ? 1
                                                                                : 2;
    BOOL number = FALSE;
    const UINT errors = GetDlgItemInt(dialog, IDC_MAX_ERRORS, &number, FALSE);
    o.maxErrors = number ? static_cast<int32_t>(errors) : 0;
    o.debugInfo = IsDlgButtonChecked(dialog, IDC_DEBUG_INFO) == BST_CHECKED;
    ReadField(dialog, IDC_INCLUDE_PATH, o.includePath, sizeof o.includePath);
    ReadField(dialog, IDC_SAVED_OPTIONS, o.savedOptions, sizeof o.savedOptions);
    ReadField(dialog, IDC_SESSION_OPTIONS, o.sessionOptions, sizeof o.sessionOptions);
    std::snprintf(o.compileCommandOptions, sizeof o.compileCommandOptions, "%s", o.sessionOptions);
}

}  // namespace

void LoadCompilerOptions()
{
    const CompilerSection s = LoadSectionNames();
    CompilerOptions& o = g_app.compiler;
    GetPrivateProfileStringA(s.name, s.includeKey, "", o.includePath, sizeof o.includePath, s.file);
    char text[256];
    GetPrivateProfileStringA(s.name, s.optionsKey, "", text, sizeof text, s.file);
    ParseOptionsText(text, &o);
}

void SaveCompilerOptions()
{
    const CompilerSection s = LoadSectionNames();
    char text[300];
    BuildOptionsText(text, sizeof text, g_app.compiler);
    WritePrivateProfileStringA(s.name, s.includeKey, g_app.compiler.includePath, s.file);
    WritePrivateProfileStringA(s.name, s.optionsKey, text, s.file);
}

INT_PTR CALLBACK CompileOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    switch (message) {
        case WM_INITDIALOG:
            LoadCompilerOptions();
            FillDialog(dialog);
            return TRUE;  // the system puts the focus on the first control
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_MAP_FILE: {
                    const bool checked = IsDlgButtonChecked(dialog, IDC_MAP_FILE) == BST_CHECKED;
                    g_app.compiler.mapFile = checked ? 1 : 0;
                    EnableWindow(GetDlgItem(dialog, IDC_LINE_NUMBERS), checked);
                    return TRUE;
                }
                case IDOK:
                    ReadDialog(dialog);
                    SaveCompilerOptions();
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                case IDM_HELP:
                    ShowHelp(IDS_SCRIPT_HELP_FILE, HELP_CONTEXT, HELP_OPTIONS_DIALOG);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

void CompileDocument(HWND, EditState* doc)
{
    if ((doc->docFlags & kDocModified) || doc->path[0] == '\0')
        SendMessageA(g_app.frameWindow, WM_COMMAND, IDM_SAVE, 0);
    if (doc->path[0] == '\0') return;  // Save As was cancelled
    // A compiler that ended without its notice leaves a window that is gone: start a new one.
    if (g_app.compilerWindow && !IsWindow(g_app.compilerWindow)) g_app.compilerWindow = nullptr;
    if (g_app.compilerWindow) {
        BringWindowToTop(g_app.compilerWindow);
        return;
    }
    char arguments[400];
    FormatCompileArguments(arguments, sizeof arguments,
                           static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_app.frameWindow)),
                           g_app.compiler.compileCommandOptions, doc->path);
    RememberCompiledScript(doc->path);
    LaunchTool(kCompiler, arguments, SW_SHOW);
}

void CompilerNotice(WPARAM wParam, LPARAM lParam)
{
    g_app.compilerWindow = HIWORD(wParam) == 1 ? reinterpret_cast<HWND>(lParam) : nullptr;
    if (HIWORD(wParam) == 0) CompilerFinished();
}
