// The script compiler from the editor: its options dialog and the compile command.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// Reads "IncludePath" and "Options" of the compiler's section into g_app.compiler.
void LoadCompilerOptions();
// Writes both keys from g_app.compiler.
void SaveCompilerOptions();
// The modal "Options" dialog; OK saves, Cancel changes nothing.
INT_PTR CALLBACK CompileOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Compile (541) for the document of window: saved first when modified or untitled, then a known
// compiler is raised or a new one started on the file.
void CompileDocument(HWND window, EditState* doc);
// The compiler's notice (600): high word 1 announces its window (lParam), anything else its end.
void CompilerNotice(WPARAM wParam, LPARAM lParam);
