// The error list of the last compile: read from NAME.ERR beside the script, walked with F4 and
// Shift+F4, and shown as marks on the lines in the documents it names.
#include "compile/compile_errors.h"

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "app/window_list.h"
#include "compile/error_list.h"
#include "display/status_line.h"
#include "doc/fault_marks.h"
#include "doc/view.h"
#include "editor/edit_window.h"
#include "resources/ids.h"
#include "tools/compiler/compiler_rules.h"

namespace {

// An error file larger than this is not a compiler's: it is not read.
constexpr LONGLONG kErrorFileMost = 256LL << 20;

struct ErrorWalk {
    std::string compiled;  // the script Compile last started the compiler on
    std::string source;    // the script the list's error file belongs to
    std::vector<ErrorEntry> faults;
    int32_t current = -1;  // the fault gone to last; -1 before the first
    bool loaded = false;
    std::vector<HWND> marked;  // the windows that have had this list's marks
};

ErrorWalk& Walk()
{
    static ErrorWalk walk;
    return walk;
}

void ShowStatus(int id, const std::vector<std::string>& values)
{
    ShowStatusHeld(FillIn(LoadStr(id), values).c_str());
}

enum class ReadResult { kNone, kRead, kUnreadable };

ReadResult ReadErrorFile(const std::string& path, std::string* bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kNone
                                                                               : ReadResult::kUnreadable;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kErrorFileMost;
    if (ok) bytes->resize(static_cast<size_t>(size.QuadPart));
    for (size_t done = 0; ok && done < bytes->size();) {
        DWORD got = 0;
        ok = ReadFile(file, &(*bytes)[done], static_cast<DWORD>(bytes->size() - done), &got, nullptr) && got > 0;
        done += got;
    }
    CloseHandle(file);
    return ok ? ReadResult::kRead : ReadResult::kUnreadable;
}

template <typename Visit>
void ForEachDocument(Visit visit)
{
    if (!g_app.clientWindow) return;
    for (HWND w = GetWindow(g_app.clientWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (EditState* doc = GetWindow(w, GW_OWNER) ? nullptr : DocumentOfWindow(w)) visit(w, doc);
}

void MarkWindow(HWND window, EditState* doc)
{
    ErrorWalk& walk = Walk();
    std::vector<FaultPlace> places;
    for (size_t i = 0; i < walk.faults.size(); ++i)
        if (SamePath(walk.faults[i].path.c_str(), doc->path))
            places.push_back(FaultPlace{walk.faults[i].line, static_cast<int32_t>(i)});
    walk.marked.push_back(window);
    if (places.empty()) return;
    SetFaultMarks(doc, places.data(), static_cast<int32_t>(places.size()));
    InvalidateRect(window, nullptr, FALSE);
}

bool WasMarked(HWND window)
{
    for (HWND w : Walk().marked)
        if (w == window) return true;
    return false;
}

// The list of the error file beside script replaces the one before, with its marks.
void LoadErrors(const std::string& script)
{
    ErrorWalk& walk = Walk();
    ForEachDocument([](HWND w, EditState* doc) {
        if (doc->faultMarkCount == 0) return;
        ClearFaultMarks(doc);
        InvalidateRect(w, nullptr, FALSE);
    });
    walk = ErrorWalk{walk.compiled, script, {}, -1, true, {}};
    const std::string errorFile = ErrorFileName(script);
    std::string bytes;
    const std::string name(FileNamePart(script));
    if (ReadErrorFile(errorFile, &bytes) == ReadResult::kUnreadable) {
        ShowStatus(IDS_ERROR_FILE_UNREADABLE, {std::string(FileNamePart(errorFile))});
        return;
    }
    walk.faults = ParseErrorFile(bytes, script);
    ForEachDocument([](HWND w, EditState* doc) { MarkWindow(w, doc); });
    const size_t n = walk.faults.size();
    if (n == 0) ShowStatus(IDS_NO_ERRORS, {name});
    else if (n == 1) ShowStatus(IDS_ONE_ERROR, {name});
    else ShowStatus(IDS_ERROR_COUNT, {std::to_string(n), name});
}

void ShowCurrentError()
{
    const ErrorWalk& walk = Walk();
    if (walk.current < 0 || walk.current >= static_cast<int32_t>(walk.faults.size())) return;
    ShowStatus(IDS_ERROR_AT, {std::to_string(walk.current + 1), std::to_string(walk.faults.size()),
                              walk.faults[static_cast<size_t>(walk.current)].message});
}

void GoToFault(int32_t index)
{
    ErrorWalk& walk = Walk();
    std::string path = walk.faults[static_cast<size_t>(index)].path;
    if (path.size() >= kPathSize) {
        ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_OPEN, path.c_str());
        return;
    }
    CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));  // documents keep upper-cased paths
    HWND window = OpenDocument(path.c_str());
    EditState* doc = window ? DocumentOfWindow(window) : nullptr;
    if (!doc) return;  // OpenDocument has said why
    if (!WasMarked(window)) MarkWindow(window, doc);
    const int32_t line = FaultMarkLine(doc, index);
    GotoLine(doc, line > 0 ? line : walk.faults[static_cast<size_t>(index)].line);
    walk.current = index;
    ShowCurrentError();
}

}  // namespace

void RememberCompiledScript(const char* path)
{
    Walk().compiled = path;
}

void CompilerFinished()
{
    if (!Walk().compiled.empty()) LoadErrors(Walk().compiled);
}

void StepError(bool forward)
{
    ErrorWalk& walk = Walk();
    if (!walk.loaded) {
        HWND active = ActiveDocument();
        const EditState* doc = active ? DocumentOfWindow(active) : nullptr;
        if (!doc || !doc->path[0]) {
            MessageBeep(0);
            return;
        }
        LoadErrors(doc->path);
        if (walk.faults.empty()) return;  // the status line says so
    }
    const auto count = static_cast<int32_t>(walk.faults.size());
    if (count == 0) {
        ShowStatus(IDS_NO_ERRORS, {std::string(FileNamePart(walk.source))});
        return;
    }
    const int32_t next = walk.current + (forward ? 1 : -1);
    if (next < 0) {
        ShowStatus(IDS_NO_PREVIOUS_ERROR, {});
    } else if (next >= count) {
        ShowStatus(IDS_NO_NEXT_ERROR, {std::to_string(count), std::to_string(count)});
    } else {
        GoToFault(next);
    }
}

void FaultLineReached(HWND window, int line)
{
    ErrorWalk& walk = Walk();
    EditState* doc = DocumentOfWindow(window);
    if (!doc || !walk.loaded) return;
    if (!WasMarked(window)) MarkWindow(window, doc);
    for (size_t i = 0; i < walk.faults.size(); ++i) {
        const int32_t now = FaultMarkLine(doc, static_cast<int32_t>(i));
        if ((now > 0 ? now : walk.faults[i].line) != line || !SamePath(walk.faults[i].path.c_str(), doc->path))
            continue;
        walk.current = static_cast<int32_t>(i);
        ShowCurrentError();
        return;
    }
}
