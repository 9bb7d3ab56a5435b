// Keys held down in the real ZAVODO.EXE: 100 auto-repeated Down keys at line 1 and again 161
// lines before the end of a large file (the ratio of the two is the figure to watch), then
// Page Down and a letter held at the end of that file. Each run of keys is posted to the
// document window at once, as the keyboard's auto-repeat queues them, followed by a key whose
// effect cannot show before every earlier key was handled (End or Home: the column moves); the
// time runs until the status line shows that effect, and the line it shows proves that no key
// of the run was lost.
//   bench_keys_held <ZAVODO.EXE> <file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_util.h"

namespace {

constexpr int kHeld = 100;
constexpr DWORD kWaitMs = 60000;

struct Position {
    long line = 0;
    int column = 0;
};

struct Editor {
    PROCESS_INFORMATION process{};
    HWND document = nullptr;
    HWND status = nullptr;
};

struct Key {
    UINT code;
    UINT scan;
    bool extended;
    char typed;  // what a letter key's repeats type, 0 for the other keys
};

constexpr Key kDown{VK_DOWN, 0x50, true, 0};
constexpr Key kPageDown{VK_NEXT, 0x51, true, 0};
constexpr Key kHome{VK_HOME, 0x47, true, 0};
constexpr Key kEnd{VK_END, 0x4F, true, 0};
constexpr Key kLetter{'X', 0x2D, false, 'x'};

LPARAM KeyBits(const Key& key, bool repeated, bool up)
{
    LPARAM bits = 1 | static_cast<LPARAM>(key.scan) << 16;
    if (key.extended) bits |= LPARAM{1} << 24;
    if (repeated || up) bits |= LPARAM{1} << 30;
    if (up) bits |= LPARAM{1} << 31;
    return bits;
}

// The key held for count repeats and let go, then the marker key pressed once. A letter's
// repeats are posted as the characters they type: the message loop would post each key's
// character behind the keys already queued, so the marker would overtake them.
bool Hold(HWND window, const Key& key, int count, const Key& marker)
{
    bool posted = true;
    const UINT message = key.typed ? WM_CHAR : WM_KEYDOWN;
    const WPARAM code = key.typed ? static_cast<WPARAM>(key.typed) : key.code;
    for (int i = 0; i < count; ++i) posted = posted && PostMessageA(window, message, code, KeyBits(key, i > 0, false));
    posted = posted && PostMessageA(window, WM_KEYUP, key.code, KeyBits(key, true, true));
    posted = posted && PostMessageA(window, WM_KEYDOWN, marker.code, KeyBits(marker, false, false));
    return posted && PostMessageA(window, WM_KEYUP, marker.code, KeyBits(marker, true, true));
}

// The caret's position as the status line's message pane shows it ("Line: n Col: m").
bool ReadPosition(HWND status, Position* at)
{
    char text[256] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kWaitMs, &length))
        return false;
    return std::sscanf(text, "Line: %ld Col: %d", &at->line, &at->column) == 2;
}

// Milliseconds from start until the status line shows the line with a column that passes the
// test; negative when it never does.
template <typename ColumnTest>
double Until(const Editor& editor, double start, long line, ColumnTest columnIs, Position* seen)
{
    while (NowMs() - start < kWaitMs) {
        if (ReadPosition(editor.status, seen) && seen->line == line && columnIs(seen->column)) return NowMs() - start;
        Sleep(1);
    }
    return -1;
}

BOOL CALLBACK FindFrame(HWND w, LPARAM found)
{
    auto* editor = reinterpret_cast<Editor*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char name[32];
    if (owner != editor->process.dwProcessId || !GetClassNameA(w, name, sizeof name) ||
        lstrcmpA(name, "ZAVODO:Main") != 0)
        return TRUE;
    HWND client = FindWindowExA(w, nullptr, "MDIClient", nullptr);
    editor->status = FindWindowExA(w, nullptr, "ZAVODO:StatusLine", nullptr);
    editor->document = client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    return FALSE;
}

bool Start(const std::string& commandLine, Editor* editor)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &editor->process))
        return false;
    if (WaitForInputIdle(editor->process.hProcess, kWaitMs) != 0) return false;
    // The process may wait for input while the file still loads: ready once the document is
    // active and the status line shows the caret's place.
    Position at;
    for (const double start = NowMs(); NowMs() - start < kWaitMs; Sleep(10)) {
        EnumWindows(FindFrame, reinterpret_cast<LPARAM>(editor));
        if (editor->document && editor->status && ReadPosition(editor->status, &at)) return true;
    }
    return false;
}

// Ended at once: nothing typed is saved or kept for recovery.
void Stop(Editor* editor)
{
    if (!editor->process.hProcess) return;
    TerminateProcess(editor->process.hProcess, 0);
    WaitForSingleObject(editor->process.hProcess, 5000);
    CloseHandle(editor->process.hThread);
    CloseHandle(editor->process.hProcess);
    editor->process = PROCESS_INFORMATION{};
}

// The number of the file's last line and that line's length.
bool LastLine(const char* path, long* line, int* length)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    static char buffer[1 << 16];
    *line = 1;
    *length = 0;
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) {
        for (size_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                ++*line;
                *length = 0;
            } else if (buffer[i] != '\r') {
                ++*length;
            }
        }
    }
    std::fclose(f);
    return true;
}

int Fail(Editor* editor, const char* what, const Position& seen)
{
    std::fprintf(stderr, "bench_keys_held: %s (the status line showed line %ld, column %d)\n", what, seen.line,
                 seen.column);
    Stop(editor);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_keys_held <ZAVODO.EXE> <file>\n");
        return 2;
    }
    long last = 0;
    int lastLength = 0;
    if (!LastLine(argv[2], &last, &lastLength) || last < kHeld + 200 || lastLength == 0) {
        std::fprintf(stderr, "bench_keys_held: %s needs more than %d lines, the last one not empty\n", argv[2],
                     kHeld + 200);
        return 2;
    }
    // No recovery copy of the typing is written while the bench runs.
    SetEnvironmentVariableA("ZAVODO_RECOVERY_TIMING", "3600000,3600000");
    const std::string program = std::string("\"") + argv[1] + "\" ";
    const std::string file = std::string("\"") + argv[2] + "\"";
    const auto moved = [](int column) { return column != 1; };
    Position seen;

    Editor editor;
    if (!Start(program + file, &editor)) return Fail(&editor, "the editor did not start", seen);
    double start = NowMs();
    if (!Hold(editor.document, kDown, kHeld, kEnd)) return Fail(&editor, "the keys were not posted", seen);
    const double downAtStart = Until(editor, start, 1 + kHeld, moved, &seen);
    if (downAtStart < 0) return Fail(&editor, "Down at line 1 did not end on line 101", seen);
    Stop(&editor);

    const long nearEnd = last - kHeld - 61;
    if (!Start(program + "/G" + std::to_string(nearEnd) + " " + file, &editor))
        return Fail(&editor, "the editor did not start at the line", seen);
    start = NowMs();
    Hold(editor.document, kDown, kHeld, kEnd);
    const double downAtEnd = Until(editor, start, nearEnd + kHeld, moved, &seen);
    if (downAtEnd < 0) return Fail(&editor, "Down nearEnd the end did not move 100 lines", seen);
    PostMessageA(editor.document, WM_KEYDOWN, kHome.code, KeyBits(kHome, false, false));
    start = NowMs();
    Hold(editor.document, kPageDown, kHeld, kEnd);
    const double pageDown = Until(editor, start, last, moved, &seen);
    if (pageDown < 0) return Fail(&editor, "Page Down did not reach the last line", seen);
    start = NowMs();
    Hold(editor.document, kLetter, kHeld, kHome);
    const double typing = Until(editor, start, last, [](int column) { return column == 1; }, &seen);
    if (typing < 0) return Fail(&editor, "the typing did not end", seen);
    PostMessageA(editor.document, WM_KEYDOWN, kEnd.code, KeyBits(kEnd, false, false));
    const int typed = lastLength + kHeld + 1;
    if (Until(editor, NowMs(), last, [typed](int column) { return column == typed; }, &seen) < 0)
        return Fail(&editor, "not every letter held down was typed", seen);
    Stop(&editor);

    std::printf("keys held down in ZAVODO.EXE on %s (%ld lines), %d repeats each:\n", argv[2], last, kHeld);
    std::printf("  Down at line 1 %.1f ms, at line %ld %.1f ms: ratio end/start %.2f\n", downAtStart, nearEnd,
                downAtEnd, downAtEnd / downAtStart);
    std::printf("  Page Down to the end %.1f ms; a letter typed at the end %.1f ms (%.3f ms a key)\n", pageDown,
                typing, typing / kHeld);
    return 0;
}
