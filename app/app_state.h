// The program's one global state block: the portable core's part (CoreState) and the
// Win32 part with the window and instance handles.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "app/recent_list.h"
#include "compile/compiler_options.h"
#include "doc/core_state.h"
#include "doc/snapshot.h"

struct ActionBarBlock;

// The rubber band drawn on the empty client area to open a document window of that size.
struct RubberBand {
    HDC dc = nullptr;
    bool tracking = false;
    bool drawn = false;
    POINT anchor{0, 0};
    POINT current{0, 0};
    HGDIOBJ previousBrush = nullptr;
    int previousRop = 0;
};

struct AppState {
    HINSTANCE instance = nullptr;
    // The frame and its fixed children, menus and accelerators.
    HWND frameWindow = nullptr;  // owner of every message box
    HWND clientWindow = nullptr;
    WNDPROC clientDefaultProc = nullptr;
    HMENU shortMenu = nullptr;
    HMENU mainMenu = nullptr;
    HMENU currentMenu = nullptr;
    HACCEL accelerators = nullptr;
    int32_t framePaintingHeld = 0;  // while the start-up documents open; see HoldFramePainting
    RubberBand band;
    // The action bar: the library's block and the running copies of its settings.
    ActionBarBlock* actionBarBlock = nullptr;
    int32_t actionBarShown = 0;
    int32_t largeButtons = 0;
    int32_t oemTranslate = 0;
    HWND findDialog = nullptr;      // the modeless find or replace dialog, null when none
    HWND compilerWindow = nullptr;  // announced by a running compiler, null when none
    CompilerOptions compiler;       // the compiler options dialog's fields, for the run
    // Printing: the print dialogs' request, the job in progress, and the printer chosen last
    // (the dialogs' device-mode and device-names blocks, kept for the run).
    PRINTDLGA printRequest = {};
    int32_t printCancelled = 0;
    int32_t printPageNumber = 0;
    int32_t printPageResult = 0;
    char printTitle[260] = {};
    HFONT printFont = nullptr;
    HGDIOBJ printOldFont = nullptr;
    int printOldMapMode = 0;
    HWND printAbortWindow = nullptr;
    char expandedLine[1024] = {};  // a header or footer expanded; long titles are cut here
    HGLOBAL printerDevMode = nullptr;
    HGLOBAL printerDevNames = nullptr;
    // The Preferences dialog while it is open: the action-bar settings it opened with, whether a
    // font was confirmed in the font dialog, and the font dialog's records.
    int32_t prefOldActionBar = 0;
    int32_t prefOldLargeIcons = 0;
    int32_t prefOldIconLabel = 0;
    int32_t prefFontChosen = 0;
    LOGFONTA prefLogFont = {};
    CHOOSEFONTA prefFontRequest = {};
    // Document windows: how many are open, and the style bits the next one is made with.
    int32_t documentCount = 0;
    DWORD newWindowStyle = 0;
    // A drag with the left button over a document: the button is down, and the caret is
    // hidden until it comes up.
    int32_t leftButtonDown = 0;
    int32_t caretHiddenForDrag = 0;
    // Help and the message-filter hook: the menu entry last highlighted and its help context.
    HHOOK filterHook = nullptr;
    int32_t menuHelpId = 0;
    int32_t helpContext = 0;
    // The program's directory (from the utility library) and the two path separators.
    char programDirectory[MAX_PATH] = {};
    char driveSeparator[2] = {':', 0};
    char pathSeparator[2] = {'\\', 0};
    // Shared by every grid view: the screen font and the two system colours it is drawn in.
    HFONT screenFontHandle = nullptr;
    COLORREF windowTextColor = 0;
    COLORREF windowColor = 0;
    // Scripts' syntax colours, one for each shade (the first plain), derived from those two.
    COLORREF syntaxColours[5] = {};
    int32_t syntaxColoursLoaded = 0;
    // The status line and its metrics; statusLineHeight stays 0 until the metrics exist.
    HWND statusLineWindow = nullptr;
    int borderUnit = 0;
    HFONT statusFont = nullptr;
    int statusLineHeight = 0;
    int messagePaneWidth = 0;
    int indicatorPaneWidth = 0;
    char statusText[255] = {};  // the message pane's text: at most 254 characters
    // How the status line finds the document a window shows; set by the editor when it
    // registers its class, null (no documents) until then.
    EditState* (*statusDocumentLookup)(HWND window) = nullptr;
    // Drawn by a grid view over the rows it has just painted, before the highlight is inverted
    // over them: the document windows' block mark, set when the editor registers its class.
    void (*gridOverlay)(HWND window, HDC dc, const RECT& area) = nullptr;
    char scratch[64] = {};      // LoadStr's shared buffer: 63 characters and the NUL
    // The recent-file list (entry 0 the newest, upper-cased full paths) and what the file
    // dialogs remember between uses: the path chosen last and the 1-based filter then in use.
    RecentFileList recentFiles = {};
    char fileDialogPath[MAX_PATH] = {};
    DWORD filterIndex = 1;
    // When set, ShowMessage hands the composed box to it instead of MessageBoxA and answers
    // what it answers: how tests reply to message boxes without a user.
    int (*messageBoxHook)(HWND owner, const char* text, const char* caption, UINT style) = nullptr;
    // Recovery snapshots: when they are taken, the stem of this run's snapshot file names and
    // the next file's number, and whether the one notice about failing writes has been shown.
    SnapshotTiming recoveryTiming;
    uint32_t recoveryRun = 0;
    uint32_t recoverySerial = 0;
    int32_t recoveryNoticeShown = 0;
};

extern AppState g_app;
