// probe.exe: looks at a running ZAVODO.EXE from another process, as the end-to-end tests
// need: waits for its frame, and prints the frame's and its children's state as key=value
// lines that the test scripts compare.
//   probe wait [seconds]   exits 0 once the frame exists and is idle
//   probe state            frame (and whether it is visible), client, menu, action bar,
//                          status line and its text, documents, focus
//   probe dialog           the caption and texts of each dialog or message box shown
//   probe clip-clear       empties the clipboard
//   probe clip-text        the clipboard text, CR and LF as \r and \n
//   probe clip-hold S      keeps the clipboard open for S seconds, as a busy program does
//   probe child-text F C   the same for the text of child class C of top-level class F
//   probe add-printer N P  installs the PostScript test printer N on port P, the default
//   probe printer-metrics N FACE POINTS   page size, resolution and font metrics on printer N
//   probe peak-memory      the peak working set of the frame's process, in bytes
//   probe hold F S T       holds file F open for reading and writing for T seconds, sharing
//                          what S names ("-" nothing, else letters r, w, d); prints "held"
//   probe marked-rows      the pixel rows of the active document's view whose middle column
//                          is not the window colour (the fault marks), as runs "tint=FIRST-LAST"
//   probe hang S           a window of the frame's class that takes no message for S seconds
//   probe inks             the active document's text colours read off the screen: for each band
//                          of pixel rows holding anything but the window colour, top to bottom,
//                          the colour most of its other pixels have, as ink=RRGGBB
#include <windows.h>

#include <psapi.h>
#include <winspool.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace {

HWND Frame()
{
    return FindWindowA("ZAVODO:Main", nullptr);
}

HWND Child(HWND parent, const char* cls)
{
    return parent ? FindWindowExA(parent, nullptr, cls, nullptr) : nullptr;
}

// Says the word once the thing is in place, then keeps it so for the given seconds.
void Announce(const char* word, int seconds)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
}

void PrintRect(const char* key, HWND w)
{
    RECT r{0, 0, 0, 0};
    if (w) GetWindowRect(w, &r);
    std::printf("%s=%ld %ld %ld %ld\n", key, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int Wait(int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        HWND frame = Frame();
        DWORD_PTR answer = 0;
        if (frame && IsWindowVisible(frame) &&
            SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
            return 0;
        Sleep(100);
    }
    return 1;
}

int State()
{
    HWND frame = Frame();
    if (!frame) {
        std::printf("frame=none\n");
        return 1;
    }
    char text[MAX_PATH];
    GetWindowTextA(frame, text, sizeof text);
    std::printf("title=%s\n", text);
    std::printf("handle=%u\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(frame)));
    PrintRect("frame", frame);
    std::printf("visible=%d\n", IsWindowVisible(frame) ? 1 : 0);
    HWND client = Child(frame, "MDIClient");
    PrintRect("client", client);
    HWND status = Child(frame, "ZAVODO:StatusLine");
    PrintRect("status", status);
    // The message pane's text: another process's window is asked, not the system's copy.
    text[0] = '\0';
    if (status) SendMessageA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("statusText=%s\n", text);
    PrintRect("bar", Child(frame, "DezActionBar"));
    int documents = 0;
    for (HWND w = client ? GetWindow(client, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER)) continue;
        ++documents;
        GetWindowTextA(w, text, sizeof text);
        std::printf("document=%s\n", text);
        PrintRect("documentRect", w);
    }
    std::printf("documents=%d\n", documents);
    HWND active = client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    if (active && GetWindowTextA(active, text, sizeof text) >= 0) std::printf("active=%s\n", text);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &thread);
    if (!thread.hwndFocus || !GetClassNameA(thread.hwndFocus, text, sizeof text)) std::strcpy(text, "none");
    std::printf("focus=%s\n", text);
    return 0;
}

BOOL CALLBACK PrintText(HWND w, LPARAM)
{
    char text[512];
    char cls[64];
    GetClassNameA(w, cls, sizeof cls);
    if (IsWindowVisible(w) && GetWindowTextA(w, text, sizeof text) > 0 && lstrcmpiA(cls, "Static") == 0)
        std::printf("text=%s\n", text);
    return TRUE;
}

BOOL CALLBACK PrintDialog(HWND w, LPARAM found)
{
    char cls[64], caption[256];
    if (!IsWindowVisible(w) || !GetClassNameA(w, cls, sizeof cls) || std::strcmp(cls, "#32770") != 0)
        return TRUE;
    GetWindowTextA(w, caption, sizeof caption);
    std::printf("dialog=%s\n", caption);
    EnumChildWindows(w, PrintText, 0);
    ++*reinterpret_cast<int*>(found);
    return TRUE;
}

int Dialogs()
{
    int found = 0;
    EnumWindows(PrintDialog, reinterpret_cast<LPARAM>(&found));
    std::printf("dialogs=%d\n", found);
    return 0;
}

int ClipClear()
{
    if (!OpenClipboard(nullptr)) return 1;
    EmptyClipboard();
    CloseClipboard();
    return 0;
}

int ClipHold(int seconds)
{
    // Held for a window of its own: one opened for no window does not keep others out under Wine.
    HWND owner = CreateWindowA("STATIC", "probe", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner)) return 1;
    Announce("held", seconds);
    CloseClipboard();
    DestroyWindow(owner);
    return 0;
}

// Text with CR, LF and other control bytes written as escapes, so line ends can be told apart.
void PrintEscaped(const char* text)
{
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c == '\r')
            std::printf("\\r");
        else if (*c == '\n')
            std::printf("\\n");
        else if (*c < 32 || *c == '\\')
            std::printf("\\x%02x", *c);
        else
            std::putchar(*c);
    }
    std::putchar('\n');
}

int ClipText()
{
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text) PrintEscaped(text);
    if (text) GlobalUnlock(data);
    CloseClipboard();
    return text ? 0 : 1;
}

// The text of the first child of class child in the top-level window of class frame.
int ChildText(const char* frame, const char* child)
{
    HWND w = Child(FindWindowA(frame, nullptr), child);
    if (!w) return 1;
    static char text[65536];
    SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    PrintEscaped(text);
    return 0;
}

// Installs the PostScript printer "name" printing to the file port (a Unix path), with the
// test printer description already copied beside the driver, and makes it the default.
int AddTestPrinter(const char* name, const char* port)
{
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("Wine PostScript Driver");
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("ztest.ppd");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDefaultDataType = const_cast<char*>("RAW");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return 1;
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(name);
    printer.pPortName = const_cast<char*>(port);
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    if (HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) ClosePrinter(added);
    return SetDefaultPrinterA(name) ? 0 : 1;
}

// The printer's page and the metrics of a font on it, for a test's own page arithmetic:
// width height dpi-x dpi-y line-height char-width.
int PrinterMetrics(const char* name, const char* face, int points)
{
    HDC dc = CreateDCA("WINSPOOL", name, nullptr, nullptr);
    if (!dc) return 1;
    HFONT font = CreateFontA(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, face);
    SetMapMode(dc, MM_TEXT);
    SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    std::printf("%d %d %d %d %ld %ld\n", GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                tm.tmHeight + tm.tmExternalLeading, tm.tmAveCharWidth);
    DeleteDC(dc);
    DeleteObject(font);
    return 0;
}

int PeakMemory()
{
    DWORD id = 0;
    HWND frame = Frame();
    if (!frame || !GetWindowThreadProcessId(frame, &id)) return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    PROCESS_MEMORY_COUNTERS counters{};
    const BOOL got = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process) CloseHandle(process);
    if (got) std::printf("%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return got ? 0 : 1;
}

// Another program that has the file open, as a log writer or a program that locks its files.
int Hold(const char* path, const char* share, int seconds)
{
    DWORD mode = 0;
    if (std::strchr(share, 'r')) mode |= FILE_SHARE_READ;
    if (std::strchr(share, 'w')) mode |= FILE_SHARE_WRITE;
    if (std::strchr(share, 'd')) mode |= FILE_SHARE_DELETE;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, mode, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Announce("held", seconds);
    CloseHandle(file);
    return 0;
}

// A stand-in for a running copy that has stopped answering: found by its class, never
// taking a message until it ends.
int Hang(int seconds)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZAVODO:Main";
    if (!RegisterClassA(&wc)) return 1;
    if (!CreateWindowA(wc.lpszClassName, "hung", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                       wc.hInstance, nullptr))
        return 1;
    Announce("hanging", seconds);
    return 0;
}

// The active document's client area read off the screen (another process's window gives no
// pixels), as RRGGBB a pixel, top row first, and the window colour the same way; empty when
// there is no document.
std::vector<uint32_t> ActivePixels(int* width, uint32_t* back)
{
    HWND client = Child(Frame(), "MDIClient");
    HWND active = client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    RECT area{0, 0, 0, 0};
    POINT origin{0, 0};
    if (!active || !GetClientRect(active, &area) || !ClientToScreen(active, &origin) || area.right <= 0 ||
        area.bottom <= 0)
        return {};
    *width = area.right;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, area.right, area.bottom, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        for (int i = 0; i < area.right * area.bottom; ++i) pixels.push_back(p[i] & 0xFFFFFF);
        SelectObject(copy, old);
        DeleteObject(bitmap);
    }
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    *back = static_cast<uint32_t>(GetRValue(window)) << 16 | static_cast<uint32_t>(GetGValue(window)) << 8 |
            GetBValue(window);
    return pixels;
}

int MarkedRows()
{
    int width = 0, runs = 0;
    uint32_t back = 0;
    const std::vector<uint32_t> pixels = ActivePixels(&width, &back);
    if (width < 8) return 1;
    const int height = static_cast<int>(pixels.size()) / width;
    for (int y = 0, first = -1; y <= height; ++y) {
        const bool marked = y < height && pixels[static_cast<size_t>(y * width + width / 2)] != back;
        if (marked && first < 0) first = y;
        if (!marked && first >= 0) {
            std::printf("tint=%d-%d\n", first, y - 1);
            ++runs;
            first = -1;
        }
    }
    std::printf("tints=%d\n", runs);
    return 0;
}

int Inks()
{
    int width = 0;
    uint32_t back = 0;
    const std::vector<uint32_t> pixels = ActivePixels(&width, &back);
    if (pixels.empty()) return 1;
    std::map<uint32_t, int> band;
    const auto endBand = [&band] {
        if (band.empty()) return;
        auto most = band.begin();
        for (auto i = band.begin(); i != band.end(); ++i)
            if (i->second > most->second) most = i;
        std::printf("ink=%06X\n", static_cast<unsigned>(most->first));
        band.clear();
    };
    for (size_t row = 0; row < pixels.size(); row += static_cast<size_t>(width)) {
        bool inked = false;
        for (size_t x = row; x < row + static_cast<size_t>(width); ++x) {
            if (pixels[x] == back) continue;
            inked = true;
            ++band[pixels[x]];
        }
        if (!inked) endBand();
    }
    endBand();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // The verb, given with at least n arguments after it.
    const auto is = [&](const char* verb, int n) { return argc >= 2 + n && std::strcmp(argv[1], verb) == 0; };
    if (is("wait", 0)) return Wait(argc >= 3 ? std::atoi(argv[2]) : 20);
    if (is("state", 0)) return State();
    if (is("dialog", 0)) return Dialogs();
    if (is("clip-clear", 0)) return ClipClear();
    if (is("clip-text", 0)) return ClipText();
    if (is("add-printer", 2)) return AddTestPrinter(argv[2], argv[3]);
    if (is("printer-metrics", 3)) return PrinterMetrics(argv[2], argv[3], std::atoi(argv[4]));
    if (is("child-text", 2)) return ChildText(argv[2], argv[3]);
    if (is("peak-memory", 0)) return PeakMemory();
    if (is("marked-rows", 0)) return MarkedRows();
    if (is("hold", 3)) return Hold(argv[2], argv[3], std::atoi(argv[4]));
    if (is("hang", 1)) return Hang(std::atoi(argv[2]));
    if (is("clip-hold", 1)) return ClipHold(std::atoi(argv[2]));
    if (is("inks", 0)) return Inks();
    std::fprintf(stderr, "usage: probe wait [s] | state | dialog | clip-clear | clip-text | ...\n");
    return 2;
}
