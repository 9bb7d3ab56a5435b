// The common dialogs, from comdlg32.dll loaded at the first one rather than with the program:
// the library brings the print spooler's with it, megabytes of memory and milliseconds of
// every start for dialogs that most sessions never open. A library or entry that cannot be
// found answers as a dialog the user cancelled.
#pragma once

#include <windows.h>

#include <commdlg.h>

BOOL OpenFileDialog(OPENFILENAMEA* request);
BOOL SaveFileDialog(OPENFILENAMEA* request);
BOOL PrintDialog(PRINTDLGA* request);
BOOL FontDialog(CHOOSEFONTA* request);
