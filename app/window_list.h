// The window list: making document windows, finding the one that holds a file, and the count
// of open documents against its limit.
#pragma once

#include <windows.h>

// Whether two names are one file's, as the file system compares them: character by character,
// letter case ignored, without the language's rules (which take "SS" and a sharp s, "AE" and
// its ligature, or names with and without a hyphen for one).
bool SamePath(const char* a, const char* b);
// The document window whose path is name (letter case ignored, as SamePath), or null.
HWND FindDocumentWindow(const char* name);
// True while another document window may be opened; at the limit, message 314 and false.
bool RoomForDocument();

// The window that shows name afterwards, activated: an existing one, or a new one (message
// 314 at the limit, null).
HWND OpenDocument(const char* name);
// One new document window for name (null: untitled); width and height 0 give the default
// placement. A name that does not exist becomes an empty file first; one that can be neither
// opened nor created gives message 300 and null.
HWND NewDocumentWindow(const char* name, int x, int y, int width, int height);
