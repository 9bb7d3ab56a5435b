// ZURIRIRU.EXE, a stand-in for the KESTREL compiler: it speaks the editor's compile protocol
// (announce the window, check the script and its includes, write NAME.ERR, start the editor on the first fault,
// report the end) so that the compile loop can be run and tested without the real compiler.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/compiler/compiler_rules.h"

namespace {

constexpr char kWindowClass[] = "ZURIRIRU:Main";
constexpr char kTitle[] = "KESTREL Compiler (stand-in)";
constexpr char kBadFrameText[] =
    "The command line must begin with /H<window>,<id>, naming the editor's frame window.\n\n"
    "Usage: ZURIRIRU.EXE /H<window>,<id> <options> \"<script path>\"";
constexpr char kBadPathText[] =
    "The command line must end with the script's path in double quotes.\n\n"
    "Usage: ZURIRIRU.EXE /H<window>,<id> <options> \"<script path>\"";
constexpr char kEditorName[] = "ZAVODO.EXE";

// The high words of the two notices sent to the frame.
constexpr WORD kNoticeFinished = 0;
constexpr WORD kNoticeStarted = 1;

enum ExitCode : int { kClean = 0, kFaults = 1, kBadCommandLine = 2, kNotCompiled = 3 };

// One run: the frame to report to and this program's window; the window procedure reaches it
// through GWLP_USERDATA.
struct CompilerState {
    HWND frame = nullptr;
    WORD commandId = 0;
    HWND window = nullptr;
    HWND list = nullptr;
    bool finishReported = false;
    bool closed = false;
};

std::string Environment(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

void ReportFinished(CompilerState* state)
{
    if (state->finishReported) return;
    state->finishReported = true;  // before sending: the frame may close us while it answers
    SendMessageA(state->frame, WM_COMMAND, MAKEWPARAM(state->commandId, kNoticeFinished), 0);
}

void AddLine(const CompilerState& state, const std::string& text)
{
    if (state.list) SendMessageA(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Keeps the window alive for a test that wants to see it while "compiling".
void Hold(const CompilerState& state, DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); !state.closed && now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        PumpPending();
    }
}

// ---- The window ---------------------------------------------------------------------------

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    auto* state = static_cast<CompilerState*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->window = window;
    state->list = CreateWindowExA(0, "LISTBOX", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0,
                                  0, 0, window, nullptr, create->hInstance, nullptr);
    if (!state->list) return -1;
    SendMessageA(state->list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return 0;
}

// The editor closes a compiler it knows about: report the end at once, as a finished run would.
LRESULT OnClose(HWND window, CompilerState* state)
{
    ReportFinished(state);
    state->closed = true;
    DestroyWindow(window);
    return 0;
}

LRESULT CALLBACK CompilerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* state = reinterpret_cast<CompilerState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_CREATE:
            return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_SIZE:
            if (state && state->list) MoveWindow(state->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_CLOSE:
            if (state) return OnClose(window, state);
            break;
        case WM_DESTROY:
            if (state) state->window = state->list = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CreateCompilerWindow(HINSTANCE instance, CompilerState* state)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = CompilerWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassA(&wc)) return false;
    return CreateWindowExA(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                           CW_USEDEFAULT, 520, 220, nullptr, nullptr, instance, state) != nullptr;
}

// ---- Files and the editor -----------------------------------------------------------------

std::string FullPath(const std::string& path)
{
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

bool ReadScript(const std::string& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::string& content, std::ios::openmode mode)
{
    std::ofstream out(path, std::ios::binary | mode);
    out << content;
    out.close();
    return !out.fail();
}

// ZAVODO.EXE beside this program, or the program ZURIRIRU_EDITOR names.
std::string EditorPath()
{
    std::string editor = Environment("ZURIRIRU_EDITOR");
    if (!editor.empty()) return editor;
    char own[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, own, sizeof own);
    if (length == 0 || length >= sizeof own) return {};
    editor.assign(own, length);
    return editor.substr(0, editor.find_last_of("\\/:") + 1) + kEditorName;
}

// The running editor takes the file over from this start through its single-instance hand-off.
bool StartEditor(const std::string& editor, int line, const std::string& path)
{
    std::string command = "\"" + editor + "\" /G" + std::to_string(line) + " \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(editor.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

struct FileFault {
    std::string path;
    Fault fault;
};

// The faults of the file at path, then those of each file it includes (found beside it), each
// file checked once.
void CheckFile(const std::string& path, std::vector<std::string>* seen, std::vector<FileFault>* faults)
{
    for (const std::string& done : *seen)
        if (lstrcmpiA(done.c_str(), path.c_str()) == 0) return;
    seen->push_back(path);
    std::string text;
    if (!ReadScript(path, &text)) {
        faults->push_back({path, {1, "cannot open file"}});
        return;
    }
    for (Fault& fault : CheckScript(text)) faults->push_back({path, std::move(fault)});
    const std::string folder = path.substr(0, path.find_last_of("\\/:") + 1);
    for (const Include& include : IncludedFiles(text)) {
        const bool rooted = include.name[0] == '\\' || include.name[0] == '/' ||
                            (include.name.size() > 1 && include.name[1] == ':');
        const std::string included = FullPath(rooted ? include.name : folder + include.name);
        if (GetFileAttributesA(included.c_str()) == INVALID_FILE_ATTRIBUTES)
            faults->push_back({path, {include.line, "cannot open include file '" + include.name + "'"}});
        else
            CheckFile(included, seen, faults);
    }
}

// Checks the script and what it includes, and writes the error file; answers the faults.
std::vector<FileFault> Compile(const CompilerState& state, const std::string& path)
{
    std::vector<std::string> seen;
    std::vector<FileFault> faults;
    CheckFile(path, &seen, &faults);
    std::string errors;
    for (const FileFault& f : faults) {
        errors += ErrorLine(f.path, f.fault);
        AddLine(state, f.path + "(" + std::to_string(f.fault.line) + "): " + f.fault.message);
    }
    if (faults.empty()) AddLine(state, "No faults.");
    const std::string errorFile = ErrorFileName(path);
    if (!WriteWholeFile(errorFile, errors, std::ios::trunc)) AddLine(state, "Cannot write " + errorFile);
    return faults;
}

// The command line, with a frame that must be a window of this session.
InvocationError ReadCommandLine(const char* commandLine, Invocation* invocation, HWND* frame)
{
    const InvocationError error = ParseInvocation(commandLine, invocation);
    if (error != InvocationError::None) return error;
    const auto handle = static_cast<uintptr_t>(invocation->frame);
    *frame = reinterpret_cast<HWND>(handle);
    if (static_cast<uint64_t>(handle) != invocation->frame || !IsWindow(*frame))
        return InvocationError::BadFrame;
    return InvocationError::None;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char* commandLine = GetCommandLineA();
    // With a log the run is watched by a test: it gets no message box.
    const std::string log = Environment("ZURIRIRU_LOG");
    if (!log.empty()) WriteWholeFile(log, std::string(commandLine) + "\r\n", std::ios::app);

    Invocation invocation;
    HWND frame = nullptr;
    const InvocationError error = ReadCommandLine(commandLine, &invocation, &frame);
    if (error != InvocationError::None) {
        if (log.empty())
            MessageBoxA(nullptr, error == InvocationError::BadFrame ? kBadFrameText : kBadPathText, kTitle,
                        MB_OK | MB_ICONERROR);
        return kBadCommandLine;
    }

    CompilerState state;
    state.frame = frame;
    state.commandId = static_cast<WORD>(invocation.commandId);
    if (!CreateCompilerWindow(instance, &state)) return kNotCompiled;
    const std::string path = FullPath(invocation.path);
    AddLine(state, "Compiling " + path);
    if (!invocation.options.empty()) AddLine(state, "Options: " + invocation.options);
    UpdateWindow(state.window);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(state.commandId, kNoticeStarted),
                 reinterpret_cast<LPARAM>(state.window));
    Hold(state, static_cast<DWORD>(std::strtoul(Environment("ZURIRIRU_HOLD").c_str(), nullptr, 10)));
    PumpPending();
    if (state.closed) return kNotCompiled;

    const std::vector<FileFault> faults = Compile(state, path);
    if (!faults.empty()) {
        const std::string editor = EditorPath();
        if (editor.empty() || !StartEditor(editor, faults.front().fault.line, faults.front().path))
            AddLine(state, "Cannot start " + (editor.empty() ? std::string(kEditorName) : editor));
    }
    PumpPending();
    ReportFinished(&state);
    if (state.window) DestroyWindow(state.window);
    return faults.empty() ? kClean : kFaults;
}
