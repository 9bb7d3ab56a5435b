// The Preferences dialog: its controls filled from the settings, the screen font chosen through
// the platform's font dialog with the "FontSelect" template, and OK applying everything to the
// running program and every open document before the settings file is written.
#include "app/preferences.h"

#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "app/late_libraries.h"
#include "app/frame.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/recent_files.h"
#include "display/screen.h"
#include "display/status_line.h"
#include "doc/grid.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

constexpr int kDefaultTabStops = 8;
constexpr UINT kMostTabStops = 80;
constexpr int kSmallestFontSize = 7;
constexpr int kLargestFontSize = 34;

void Check(HWND dialog, int id, int32_t on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int32_t Ticked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

void FillDialog(HWND dialog)
{
    const Settings& s = g_core.settings;
    g_app.prefOldActionBar = s.actionBar;
    g_app.prefOldIconLabel = s.iconLabel;
    g_app.prefOldLargeIcons = s.largeIcons;
    g_app.prefFontChosen = 0;
    // A mouse setting outside 0..3 selects no button, and OK then keeps it.
    CheckRadioButton(dialog, IDC_MOUSE_NOTHING, IDC_MOUSE_NEXT_WINDOW, IDC_MOUSE_NOTHING + s.mouseMode);
    Check(dialog, IDC_NEW_FILE, s.newFile);
    Check(dialog, IDC_CONVERT_TABS, s.noTabs);
    Check(dialog, IDC_SHOW_ACTION_BAR, s.actionBar);
    Check(dialog, IDC_LARGE_ACTION_BAR, s.largeIcons);
    Check(dialog, IDC_TOOLTIPS, s.iconLabel);
    Check(dialog, IDC_LARGE_CURSOR, s.largeCursor);
    Check(dialog, IDC_AUTO_INDENT, s.autoIndent);
    Check(dialog, IDC_INSERT_MODE, s.insertMode);
    Check(dialog, IDC_SYNTAX_COLOURS, s.syntaxColours);
    Check(dialog, IDC_RECOVERY_SNAPSHOTS, s.recoveryCopies);
    Check(dialog, IDC_DISK_CHANGE_CHECK, s.checkDiskChanges);
    SetDlgItemInt(dialog, IDC_TAB_SIZE, static_cast<UINT>(s.tabStops), FALSE);
    SendDlgItemMessageA(dialog, IDC_TAB_SIZE, EM_LIMITTEXT, 2, 0);
}

// The font dialog starts from the screen font in use; nothing changes before OK.
void ChooseScreenFont(HWND dialog)
{
    LOGFONTA& font = g_app.prefLogFont;
    font = LOGFONTA{};
    if (GetObjectA(g_app.screenFontHandle, sizeof font, &font) != sizeof font) font = LOGFONTA{};
    CHOOSEFONTA& request = g_app.prefFontRequest;
    request = CHOOSEFONTA{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK |
                    CF_ENABLETEMPLATE | CF_NOSIMULATIONS | CF_LIMITSIZE | CF_FORCEFONTEXIST;
    request.lpfnHook = MiscHookDlgProc;
    request.lpTemplateName = IDD_FONT_SELECT;
    request.hInstance = ResourceInstance();
    request.nSizeMin = kSmallestFontSize;
    request.nSizeMax = kLargestFontSize;
    // Wine's dialog writes its last selection back even when it is cancelled; a cancel keeps
    // the description it started from.
    const LOGFONTA started = font;
    if (FontDialog(&request))
        g_app.prefFontChosen = 1;
    else
        font = started;
}

// The confirmed font becomes the shared screen font and its three settings; false (and the
// old font kept) when it cannot be made.
bool TakeChosenFont()
{
    const LOGFONTA& chosen = g_app.prefLogFont;
    HFONT font = CreateFontIndirectA(&chosen);
    if (!font) return false;
    if (g_app.screenFontHandle) DeleteObject(g_app.screenFontHandle);  // a stock font ignores it
    g_app.screenFontHandle = font;
    Settings& s = g_core.settings;
    std::snprintf(s.screenFont, sizeof s.screenFont, "%s", chosen.lfFaceName);
    s.screenFontSize = MulDiv(std::abs(chosen.lfHeight), 72, ScreenPixelsPerInch());
    s.screenCharset = chosen.lfCharSet;
    return true;
}

// Empty, not a number or 0 gives 8; above 80 gives 80.
int8_t TabStopsOf(HWND dialog)
{
    BOOL number = FALSE;
    const UINT n = GetDlgItemInt(dialog, IDC_TAB_SIZE, &number, FALSE);
    if (!number || n == 0) return kDefaultTabStops;
    return static_cast<int8_t>(n > kMostTabStops ? kMostTabStops : n);
}

// Every document window, minimised ones too; the icon titles of minimised windows are owned
// windows of the client and are skipped.
void ApplyToDocuments(bool newFont)
{
    for (HWND w = GetWindow(g_app.clientWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER)) continue;
        EditState* doc = DocumentOfWindow(w);
        if (!doc || !doc->text) continue;
        doc->tabSize = g_core.settings.tabStops;
        HideHighlight(AsGrid(doc));  // its cells are about to move
        if (newFont) {
            if (HFONT copy = CreateFontIndirectA(&g_app.prefLogFont)) {
                if (doc->font) DeleteObject(static_cast<HFONT>(doc->font));
                SetGridFont(AsGrid(doc), copy);
            }
        }
        ResizeGrid(AsGrid(doc));
        SetTop(doc, doc->topOffset);
    }
}

// The Window-menu command that switches an action-bar setting, posted so that it runs after
// the dialog has closed; that command also saves the settings.
void PostSwitchWhenChanged(int32_t now, int32_t before, int command)
{
    if (now != before) PostMessageA(g_app.frameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void ApplyPreferences(HWND dialog)
{
    Settings& s = g_core.settings;
    const bool newFont = g_app.prefFontChosen && TakeChosenFont();
    s.tabStops = TabStopsOf(dialog);
    // Every document is drawn again below, in colour or plainly as the box now says.
    s.syntaxColours = Ticked(dialog, IDC_SYNTAX_COLOURS);
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (g_app.clientWindow) ApplyToDocuments(newFont);
    s.newFile = Ticked(dialog, IDC_NEW_FILE);
    s.noTabs = Ticked(dialog, IDC_CONVERT_TABS);
    s.actionBar = Ticked(dialog, IDC_SHOW_ACTION_BAR);
    s.largeIcons = Ticked(dialog, IDC_LARGE_ACTION_BAR);
    s.iconLabel = Ticked(dialog, IDC_TOOLTIPS);
    s.recoveryCopies = Ticked(dialog, IDC_RECOVERY_SNAPSHOTS);
    s.checkDiskChanges = Ticked(dialog, IDC_DISK_CHANGE_CHECK);
    PostSwitchWhenChanged(s.actionBar, g_app.prefOldActionBar, IDM_ACTION_BAR);
    PostSwitchWhenChanged(s.largeIcons, g_app.prefOldLargeIcons, IDM_LARGE_ACTION_BAR);
    PostSwitchWhenChanged(s.iconLabel, g_app.prefOldIconLabel, IDM_TOOLTIPS);
    for (int id = IDC_MOUSE_NOTHING; id <= IDC_MOUSE_NEXT_WINDOW; ++id) {
        if (Ticked(dialog, id)) {
            s.mouseMode = static_cast<int8_t>(id - IDC_MOUSE_NOTHING);
            break;
        }
    }
    // The edit windows read the caret size and auto indent from the settings; the insert mode
    // has a running copy that the Insert key changes.
    s.largeCursor = Ticked(dialog, IDC_LARGE_CURSOR);
    s.autoIndent = Ticked(dialog, IDC_AUTO_INDENT);
    s.insertMode = Ticked(dialog, IDC_INSERT_MODE);
    g_core.insertMode = s.insertMode;
    ShowInsertMode();
    SetCursor(previous);
    SettingsSave();
}

}  // namespace

INT_PTR CALLBACK PreferencesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    switch (message) {
        case WM_INITDIALOG:
            FillDialog(dialog);
            return TRUE;  // the system puts the focus on the first control
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_SCREEN_FONT:
                    ChooseScreenFont(dialog);
                    return TRUE;
                case IDOK:
                    ApplyPreferences(dialog);
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                case IDM_HELP:
                    ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_PREFERENCES_DIALOG);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
