// The utility library VUZUZE32.DLL: program and script directories, the About box and two
// menu-item helpers, imported by ordinal. Shared by the library and the program.
#pragma once

#include <windows.h>

#if defined(VUZUZE_BUILDING)
#define VUZUZE_API extern "C"
#else
#define VUZUZE_API extern "C" __declspec(dllimport)
#endif

constexpr int kUtilDefaultBufferSize = MAX_PATH;  // the buffer size that a size of 0 stands for
constexpr int kUtilMenuGrayed = 1;                // MF_GRAYED
constexpr int kUtilMenuChecked = 8;               // MF_CHECKED
constexpr int kUtilAboutIcon = 5400;              // looked up in the program's instance
constexpr int kUtilAboutText = 5401;
constexpr int kUtilAboutCaption = 5403;

// Ordinal 100: the directory of the running program, without a final separator, in buffer of
// size bytes (0: MAX_PATH). Answers its length; 0 and an empty buffer when it does not fit.
VUZUZE_API int WINAPI UtilProgramDirectory(char* buffer, int size);
// Ordinal 101: the default directory of scripts, the program directory's "SCRIPTS" folder.
// Same buffer rules and answer as ordinal 100.
VUZUZE_API int WINAPI UtilScriptDirectory(char* buffer, int size);
// Ordinal 200: the modal About box over frame. Its caption, text and icon are the program's
// (instance) strings 5403 and 5401 and icon 5400 when it has them. Answers 0 when it could
// not be shown.
VUZUZE_API int WINAPI UtilAboutBox(HWND frame, HINSTANCE instance);
// Ordinal 255: grays (grayed 1) or enables (0) the menu item of command.
VUZUZE_API void WINAPI UtilGrayMenuItem(HMENU menu, int command, int grayed);
// Ordinal 256: sets (checked 8) or clears (0) the check mark of the menu item of command.
VUZUZE_API void WINAPI UtilCheckMenuItem(HMENU menu, int command, int checked);
