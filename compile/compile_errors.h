// The compiler's faults inside the editor: the error file read when the compiler ends (or when
// the user asks), Next Error and Previous Error over its list, and the marks on the faults'
// lines in every open document of the list.
#pragma once

#include <windows.h>

// Compile started the compiler on path: its error file is the one read when it ends.
void RememberCompiledScript(const char* path);
// The compiler has ended: reads the compiled script's error file, marks its faults' lines and
// says in the status line how many there are.
void CompilerFinished();
// Tools > Next Error (forward) and Previous Error: the fault's file (opened when it is not),
// its line through Go To Line, and its message in the status line. Without a list, the error
// file beside the active document is read first.
void StepError(bool forward);
// A document was put on line by another copy's "/G": when that is a fault's line, the walk
// goes on from that fault.
void FaultLineReached(HWND window, int line);
