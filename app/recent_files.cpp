// The recent-file list on the File menu, and the file dialogs that remember the last path and
// filter between uses.
#include "app/recent_files.h"

#include "app/app_state.h"
#include "app/late_libraries.h"
#include "app/message_box.h"
#include "app/recent_list.h"
#include "app/window_list.h"
#include "libs/vuzuze/vuzuze32.h"
#include "resources/ids.h"

namespace {

static_assert(IDM_RECENT_LAST - IDM_RECENT_FIRST + 1 == kRecentFileCount, "one command per entry");
static_assert(sizeof g_app.fileDialogPath == kRecentNameSize, "a chosen path fits an entry");

// The type list: 1023 characters and the NUL, and one more NUL so the list is ended whatever
// the string table holds.
constexpr int kTypeListSize = 1024;
constexpr int kNameSize = 39;      // section and key names: 38 characters and the NUL
constexpr int kExtensionSize = 9;  // a default extension: 8 characters and the NUL
constexpr int kTitleSize = 64;
constexpr int kDialogOffset = 200;  // from the owner's corner to the dialog's

void SystemUpper(char* text)
{
    CharUpperA(text);
}

const RecentCaseRules kSystemCaseRules{SystemUpper, SamePath};

bool LoadText(int id, char* out, int size)
{
    if (LoadStringA(ResourceInstance(), static_cast<UINT>(id), out, size) > 0) return true;
    out[0] = '\0';
    return false;
}

// Where the first dialog starts: "Scripts" of section "paths" in the settings file, by default
// the utility library's scripts directory.
void ScriptsDirectory(char* out, DWORD size)
{
    char fallback[MAX_PATH];
    if (UtilScriptDirectory(fallback, sizeof fallback) <= 0) fallback[0] = '\0';
    char file[kNameSize];
    char section[kNameSize];
    char key[kNameSize];
    if (LoadText(IDS_SETTINGS_FILE, file, kNameSize) && LoadText(IDS_PATHS_SECTION, section, kNameSize) &&
        LoadText(IDS_KEY_SCRIPTS, key, kNameSize)) {
        GetPrivateProfileStringA(section, key, fallback, out, size, file);
    } else {
        lstrcpynA(out, fallback, static_cast<int>(size));
    }
}

int LastItemId(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    return count > 0 ? static_cast<int>(GetMenuItemID(menu, count - 1)) : -1;
}

}  // namespace

void AddRecentFile(char* name)
{
    if (name != nullptr) AddRecentName(g_app.recentFiles, name, kSystemCaseRules);
}

void BuildRecentFileMenu(HMENU fileMenu)
{
    if (fileMenu == nullptr || g_app.recentFiles[0][0] == '\0') return;
    if (LastItemId(fileMenu) == IDM_EXIT) AppendMenuA(fileMenu, MF_SEPARATOR, 0, nullptr);
    for (int id = IDM_RECENT_FIRST; id <= IDM_RECENT_LAST; ++id) DeleteMenu(fileMenu, id, MF_BYCOMMAND);
    const int shown = RecentNamesShown(g_app.recentFiles);
    for (int k = 0; k < shown; ++k) {
        char label[kRecentLabelSize];
        FormatRecentLabel(k, g_app.recentFiles[k], label, sizeof label);
        AppendMenuA(fileMenu, MF_STRING, static_cast<UINT_PTR>(IDM_RECENT_FIRST + k), label);
    }
}

void OpenRecentFile(int id)
{
    if (id < IDM_RECENT_FIRST || id > IDM_RECENT_LAST) return;
    const char* name = g_app.recentFiles[id - IDM_RECENT_FIRST];
    if (name[0] != '\0') OpenDocument(name);
}

char* ChooseFileName(HWND owner, int titleStringId, bool open)
{
    char types[kTypeListSize + 1] = {};
    LoadText(IDS_FILE_TYPES, types, kTypeListSize);
    SplitTypeList(types);

    char startDirectory[MAX_PATH];
    if (g_app.fileDialogPath[0] == '\0') {
        ScriptsDirectory(startDirectory, sizeof startDirectory);
    } else {
        DialogStartDirectory(g_app.fileDialogPath, startDirectory, sizeof startDirectory);
    }

    char extension[kExtensionSize] = "";
    const int extensionId = DefaultExtensionId(g_app.filterIndex);
    if (extensionId != 0) LoadText(extensionId, extension, kExtensionSize);

    char title[kTitleSize];
    LoadText(titleStringId, title, kTitleSize);

    g_app.fileDialogPath[0] = '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = types[0] != '\0' ? types : nullptr;
    ofn.nFilterIndex = g_app.filterIndex;
    ofn.lpstrFile = g_app.fileDialogPath;
    ofn.nMaxFile = sizeof g_app.fileDialogPath;
    ofn.lpstrInitialDir = startDirectory[0] != '\0' ? startDirectory : nullptr;
    ofn.lpstrTitle = title[0] != '\0' ? title : nullptr;
    ofn.lpstrDefExt = extension[0] != '\0' ? extension : nullptr;
    ofn.lpfnHook = FileHookDlgProc;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT |
                OFN_HIDEREADONLY | OFN_ENABLEHOOK;

    const BOOL chosen = open ? OpenFileDialog(&ofn) : SaveFileDialog(&ofn);
    if (!chosen) {
        g_app.fileDialogPath[0] = '\0';
        return nullptr;
    }
    g_app.filterIndex = ofn.nFilterIndex;
    return g_app.fileDialogPath;
}

UINT_PTR CALLBACK FileHookDlgProc(HWND window, UINT message, WPARAM, LPARAM) noexcept
{
    if (message != WM_INITDIALOG) return 0;
    // An explorer-style dialog runs its hook in a child of the real dialog.
    HWND dialog = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : window;
    HWND owner = dialog ? GetWindow(dialog, GW_OWNER) : nullptr;
    RECT ownerRect;
    if (owner != nullptr && GetWindowRect(owner, &ownerRect)) {
        SetWindowPos(dialog, nullptr, ownerRect.left + kDialogOffset, ownerRect.top + kDialogOffset, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

UINT_PTR CALLBACK MiscHookDlgProc(HWND, UINT, WPARAM, LPARAM) noexcept
{
    return 0;
}
