// System libraries that only some commands need, loaded at their first call rather than with
// the program: the common dialogs (comdlg32, which brings the print spooler's libraries with it)
// and the shell (shell32, for dropped files and help pages). Each costs megabytes of memory and
// milliseconds of every start otherwise. A library or entry that cannot be found answers as a
// cancelled dialog or a failed call.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

BOOL OpenFileDialog(OPENFILENAMEA* request);
BOOL SaveFileDialog(OPENFILENAMEA* request);
BOOL PrintDialog(PRINTDLGA* request);
BOOL FontDialog(CHOOSEFONTA* request);

// DragQueryFileA: the count of dropped files for index 0xFFFFFFFF, else the name's length.
UINT DroppedFile(HDROP drop, UINT index, char* name, UINT size);
void FinishDrop(HDROP drop);
BOOL ShellExecuteRequest(SHELLEXECUTEINFOA* request);
