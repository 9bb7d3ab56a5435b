// The find commands and their dialogs. The Find and Replace dialogs read their fields into
// g_core.search and send the document under them the commands 535, 537 and 538, so that a
// search always runs in the document window's own command path.
#include "editor/find.h"

#include <cstdlib>

#include "app/app_state.h"
#include "app/help.h"
#include "app/message_box.h"
#include "display/status_line.h"
#include "doc/buffer.h"
#include "doc/grid.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "editor/search.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

constexpr int kLineDigits = 6;  // characters the Goto Line field takes

// The lower case of the code page in use, byte by byte as CharLowerA has it.
CaseFold CodePageFold()
{
    char bytes[256];
    for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
    CharLowerBuffA(bytes + 1, 255);
    CaseFold fold{};
    for (int b = 0; b < 256; ++b) fold.lower[b] = static_cast<uint8_t>(bytes[b]);
    return fold;
}

uint32_t Milliseconds()
{
    return GetTickCount();
}

SearchPlatform Platform()
{
    return SearchPlatform{CodePageFold(), Milliseconds, ShowStatusPair};
}

HWND ActiveChild()
{
    return reinterpret_cast<HWND>(SendMessageA(g_app.clientWindow, WM_MDIGETACTIVE, 0, 0));
}

void ClearActiveHit()
{
    if (EditState* doc = DocumentOfWindow(ActiveChild()))
        doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
}

bool FindDialogOpen()
{
    return g_app.findDialog && IsWindow(g_app.findDialog);
}

// Commands 531 and 533: the dialog of the command, brought forward when it is already open.
void OpenFindDialog(int command)
{
    SearchState& s = g_core.search;
    if (FindDialogOpen()) {
        if (s.findDialogTemplate == command) {
            SetFocus(g_app.findDialog);
            return;
        }
        DestroyWindow(g_app.findDialog);
    }
    s.findDialogTemplate = command;
    const char* name = command == IDM_REPLACE ? IDD_FIND_REPLACE : IDD_FIND;
    g_app.findDialog = CreateDialogParamA(ResourceInstance(), name, g_app.frameWindow, FindDlgProc, 0);
    if (!g_app.findDialog) s.findDialogTemplate = 0;  // no dialog, no find: nothing else changes
}

// The dialogs' direction and Wrap Around; reverse goes the other way.
FindCourse Course(bool reverse)
{
    const Settings& s = g_core.settings;
    return FindCourse{(s.findUp != 0) != reverse, s.findWrap != 0};
}

// A search that went round the text's end says so in the status line, once the caret is shown.
void ReportWrap(HWND window, FindResult result, bool reverse)
{
    if (result == kFindWrapped) ShowStatusMessage(window, Course(reverse).up ? IDS_WRAPPED_UP : IDS_WRAPPED_DOWN);
}

// Commands 532 and 536: the last find again, from behind the match the caret stands on, in
// the dialogs' direction or (reverse) the other.
void RepeatLastFind(HWND window, EditState* doc, bool reverse)
{
    if (FindDialogOpen()) {
        SetFocus(g_app.findDialog);
        return;
    }
    HideHighlight(AsGrid(doc));
    if (!g_core.search.findText[0]) {
        OpenFindDialog(IDM_FIND);
        return;
    }
    const FindResult result = FindNext(doc, CodePageFold(), Course(reverse));
    if (result == kFindNone) {
        MessageBeep(0);
        ShowStatusMessage(window, IDS_NOT_FOUND);
        return;
    }
    LocateCaret(doc);
    HideHighlight(AsGrid(doc));
    CaretUpdate(doc);
    ReportWrap(window, result, reverse);
}

// ---- The Find and Replace dialogs ---------------------------------------------------------

HWND FindTarget()
{
    return static_cast<HWND>(g_core.search.findTarget);
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void CentreOnFrame(HWND dialog)
{
    RECT frame, own;
    if (!GetWindowRect(g_app.frameWindow, &frame) || !GetWindowRect(dialog, &own)) return;
    const int width = own.right - own.left, height = own.bottom - own.top;
    MoveWindow(dialog, (frame.left + frame.right) / 2 - width / 2,
               (frame.top + frame.bottom) / 2 - height / 2, width, height, FALSE);
}

INT_PTR OnFindInit(HWND dialog)
{
    SearchState& s = g_core.search;
    CentreOnFrame(dialog);
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, s.findText);
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, kSearchTextSize - 1, 0);
    SetChecked(dialog, IDC_MATCH_CASE, s.matchCase != 0);
    SetChecked(dialog, IDC_WHOLE_WORD, s.wholeWord != 0);
    SetChecked(dialog, g_core.settings.findUp ? IDC_FIND_UP : IDC_FIND_DOWN, true);
    SetChecked(dialog, IDC_FIND_WRAP, g_core.settings.findWrap != 0);
    s.patternMatchCase = s.matchCase;
    HWND replace = GetDlgItem(dialog, IDC_REPLACE);
    s.replaceButton = replace;
    if (replace) {
        SetDlgItemTextA(dialog, IDC_REPLACE_TEXT, s.replaceText);
        SendDlgItemMessageA(dialog, IDC_REPLACE_TEXT, EM_LIMITTEXT, kSearchTextSize - 1, 0);
        // Replacing waits for a match.
        EnableWindow(replace, FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ALL), FALSE);
    }
    return TRUE;
}

// Direction and Wrap Around as the dialog shows them; kept in the settings file when changed.
void TakeCourse(HWND dialog)
{
    Settings& s = g_core.settings;
    const int32_t up = Checked(dialog, IDC_FIND_UP), wrap = Checked(dialog, IDC_FIND_WRAP);
    if (up == s.findUp && wrap == s.findWrap) return;
    s.findUp = up;
    s.findWrap = wrap;
    SettingsSave();
}

// Find Next pressed: the fields and boxes become the search, and the document searches.
void OnFindNextPressed(HWND dialog)
{
    SearchState& s = g_core.search;
    SetFocus(GetDlgItem(dialog, IDOK));
    s.matchCase = Checked(dialog, IDC_MATCH_CASE);
    s.wholeWord = Checked(dialog, IDC_WHOLE_WORD);
    TakeCourse(dialog);
    GetDlgItemTextA(dialog, IDC_FIND_TEXT, s.findText, kSearchTextSize);
    if (!s.findText[0]) {
        MessageBeep(0);
        return;
    }
    HWND target = FindTarget();
    if (!IsWindow(target)) return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const bool found = SendMessageA(target, WM_COMMAND, IDM_FIND_NEXT, 0) != kFindNone;
    if (HWND replace = static_cast<HWND>(s.replaceButton)) {
        EnableWindow(replace, found);
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ALL), found);
    }
    if (!found) {
        MessageBeep(0);
        ShowStatusMessage(target, IDS_NOT_FOUND);
    }
    SetCursor(previous);
}

// The frame destroys the dialog on command 100, after this message has been handled.
void CloseFindDialog(HWND dialog)
{
    TakeCourse(dialog);
    PostMessageA(g_app.frameWindow, WM_COMMAND, IDM_FIND_CLOSED, 0);
    ClearActiveHit();
}

// Replace and Replace All: the replacement text is read and the document replaces.
void OnReplacePressed(HWND dialog, int control)
{
    GetDlgItemTextA(dialog, IDC_REPLACE_TEXT, g_core.search.replaceText, kSearchTextSize);
    HWND target = FindTarget();
    if (!IsWindow(target)) return;
    const bool all = control == IDC_REPLACE_ALL;
    SendMessageA(target, WM_COMMAND, all ? IDM_REPLACE_ALL : IDM_REPLACE_ONE, 0);
    if (all)
        CloseFindDialog(dialog);
    else
        OnFindNextPressed(dialog);
}

void OnFindDialogCommand(HWND dialog, int control)
{
    switch (control) {
        case IDOK:
            OnFindNextPressed(dialog);
            break;
        case IDC_REPLACE:
        case IDC_REPLACE_ALL:
            OnReplacePressed(dialog, control);
            break;
        case IDC_MATCH_CASE:
        case IDC_WHOLE_WORD:
        case IDC_FIND_WRAP:
            SetChecked(dialog, control, !Checked(dialog, control));
            break;
        case IDCANCEL:
            CloseFindDialog(dialog);
            break;
        case IDM_HELP:
            ShowHelp(IDS_HELP_FILE, HELP_CONTEXT,
                     g_core.search.replaceButton ? HELP_REPLACE_DIALOG : HELP_FIND_DIALOG);
            break;
        default:
            break;
    }
}

// ---- Goto Line ----------------------------------------------------------------------------

void OnGotoLineOk(HWND dialog)
{
    char digits[kLineDigits + 1];
    if (!GetDlgItemTextA(dialog, IDC_LINE_NUMBER, digits, sizeof digits)) digits[0] = '\0';
    const long line = std::atol(digits);
    if (line > 0 && g_core.search.dialogTarget)
        GotoLine(g_core.search.dialogTarget, static_cast<int32_t>(line));
    EndDialog(dialog, IDOK);
}

}  // namespace

bool FindCommand(HWND window, EditState* doc, int command, LRESULT* answer)
{
    switch (command) {
        case IDM_FIND:
        case IDM_REPLACE:
            OpenFindDialog(command);
            break;
        case IDM_FIND_AGAIN:
        case IDM_FIND_PREVIOUS:
            RepeatLastFind(window, doc, command == IDM_FIND_PREVIOUS);
            break;
        case IDM_GOTO_LINE:
            DialogBoxParamA(ResourceInstance(), IDD_GOTO_LINE, g_app.frameWindow, GotoLineDlgProc,
                            reinterpret_cast<LPARAM>(doc));
            // A dialog closed at once can leave no window with the keyboard: the document takes it.
            if (IsWindow(window)) SetFocus(window);
            break;
        case IDM_FIND_NEXT:
            *answer = FindNext(doc, CodePageFold(), Course(false));
            ReportWrap(window, static_cast<FindResult>(*answer), false);
            return true;
        case IDM_REPLACE_ONE:
            *answer = ReplaceOne(doc, CodePageFold()) ? 1 : 0;
            return true;
        case IDM_REPLACE_ALL:
            *answer = static_cast<LRESULT>(ReplaceAll(doc, Platform()));
            return true;
        default:
            return false;
    }
    *answer = 0;
    return true;
}

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    // The document a press acts on is whichever is active at the time.
    g_core.search.findTarget = ActiveChild();
    switch (message) {
        case WM_INITDIALOG:
            return OnFindInit(dialog);
        case WM_NCACTIVATE:
            // The frame's caption stays active with its dialog; the search starts over from the view.
            if (wParam) {
                SendMessageA(g_app.frameWindow, WM_NCACTIVATE, TRUE, 0);
                ClearActiveHit();
            }
            return FALSE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) OnFindDialogCommand(dialog, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            CloseFindDialog(dialog);
            return TRUE;
        case WM_DESTROY:
            g_core.search.findDialogTemplate = 0;
            g_core.search.replaceButton = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK GotoLineDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
        case WM_INITDIALOG:
            g_core.search.dialogTarget = reinterpret_cast<EditState*>(lParam);
            SendDlgItemMessageA(dialog, IDC_LINE_NUMBER, EM_LIMITTEXT, kLineDigits, 0);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnGotoLineOk(dialog);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case IDM_HELP:
                    ShowHelp(IDS_HELP_FILE, HELP_CONTEXT, HELP_GOTO_DIALOG);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
