// The recovery dialog: the snapshots left in the recovery folder, each line "name, time, size";
// the selected ones are recovered into documents or discarded, Later leaves them all.
#include "app/recovery_dialog.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/app_state.h"
#include "app/message_box.h"
#include "doc/format.h"
#include "doc/memory.h"
#include "doc/snapshot.h"
#include "editor/recovery.h"
#include "resources/ids.h"

namespace {

struct RecoveryList {
    std::vector<RecoveryEntry> entries;
    int recovered = 0;
};

std::string Str(int id)
{
    return LoadStr(id);
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ShownName(const SnapshotView& view)
{
    if (view.pathLength) return std::string(view.path, view.pathLength);
    char title[64];
    FormatUnsigned(title, sizeof title, LoadStr(IDS_UNTITLED_FORMAT), view.untitled);
    return title;
}

std::string ShownTime(uint64_t takenAt)
{
    const std::time_t t = static_cast<std::time_t>(takenAt);
    const std::tm* local = std::localtime(&t);
    char text[32] = "";
    if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

void Describe(RecoveryEntry* entry)
{
    SnapshotView view;
    const SnapshotFault fault = ParseSnapshot(entry->bytes.data(), entry->bytes.size(), &view);
    entry->good = fault == SnapshotFault::kNone;
    if (entry->good) {
        entry->line = ShownName(view) + "\t" + ShownTime(view.takenAt) + "\t" + std::to_string(view.length) +
                      Str(IDS_RECOVERY_SIZE);
    } else {
        entry->line =
            Str(IDS_RECOVERY_SKIPPED) + FileNamePart(entry->file) + " - " + Str(SnapshotFaultStringId(fault));
    }
}

bool ReadBytes(const std::string& file, std::vector<char>* bytes)
{
    char* block = nullptr;
    int32_t length = 0;
    if (!ReadWholeFile(file.c_str(), false, &block, &length)) return false;
    bytes->assign(block, block + length);
    FreeBlock(block);
    return true;
}

void Fill(HWND dialog, const RecoveryList& list)
{
    HWND box = GetDlgItem(dialog, IDC_RECOVERY_LIST);
    const int stops[] = {150, 220};
    SendMessageA(box, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    std::string skipped;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        const RecoveryEntry& e = list.entries[i];
        const LRESULT at = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.line.c_str()));
        if (at < 0) continue;
        SendMessageA(box, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        // Good copies start selected; a damaged one is deleted only when the user selects it.
        if (e.good) SendMessageA(box, LB_SETSEL, TRUE, at);
        if (!e.good) skipped += (skipped.empty() ? "" : "\n") + e.line;
    }
    SetDlgItemTextA(dialog, IDC_RECOVERY_SKIPPED,
                    skipped.empty() ? Str(IDS_RECOVERY_NONE_SKIPPED).c_str() : skipped.c_str());
}

// The entries selected in the list.
std::vector<size_t> Selected(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_RECOVERY_LIST);
    std::vector<size_t> chosen;
    const LRESULT count = SendMessageA(box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageA(box, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
            chosen.push_back(
                static_cast<size_t>(SendMessageA(box, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return chosen;
}

void Recover(HWND dialog, RecoveryList* list)
{
    for (size_t i : Selected(dialog)) {
        if (i >= list->entries.size() || !list->entries[i].good) continue;
        const RecoveryEntry& e = list->entries[i];
        SnapshotView view;
        if (ParseSnapshot(e.bytes.data(), e.bytes.size(), &view) != SnapshotFault::kNone) continue;
        if (RecoverSnapshot(e.file.c_str(), view)) ++list->recovered;
    }
}

void Discard(HWND dialog, const RecoveryList& list)
{
    for (size_t i : Selected(dialog))
        if (i < list.entries.size()) static_cast<void>(DeleteFileA(list.entries[i].file.c_str()));
}

}  // namespace

std::vector<RecoveryEntry> ReadRecoveryFolder()
{
    std::vector<RecoveryEntry> entries;
    char folder[MAX_PATH];
    if (!RecoveryFolder(folder, sizeof folder)) return entries;
    const std::string pattern = std::string(folder) + "\\*.ZVR";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        RecoveryEntry entry;
        entry.file = std::string(folder) + "\\" + found.cFileName;
        if (!ReadBytes(entry.file, &entry.bytes)) entry.bytes.clear();  // unreadable: refused as cut
        Describe(&entry);
        entries.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(),
              [](const RecoveryEntry& a, const RecoveryEntry& b) { return a.file < b.file; });
    return entries;
}

int OfferRecovery()
{
    RecoveryList list;
    list.entries = ReadRecoveryFolder();
    if (list.entries.empty()) return 0;
    DialogBoxParamA(ResourceInstance(), IDD_RECOVERY, g_app.frameWindow, RecoveryDlgProc,
                    reinterpret_cast<LPARAM>(&list));
    return list.recovered;
}

INT_PTR CALLBACK RecoveryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* list = reinterpret_cast<RecoveryList*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            Fill(dialog, *reinterpret_cast<RecoveryList*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (!list) return FALSE;
            switch (LOWORD(wParam)) {
                case IDC_RECOVER:
                    Recover(dialog, list);
                    EndDialog(dialog, IDC_RECOVER);
                    return TRUE;
                case IDC_DISCARD:
                    Discard(dialog, *list);
                    EndDialog(dialog, IDC_DISCARD);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
