// The window list: document windows are found by their path, opened once, made in the MDI
// client at the default or a drawn placement, and counted against the limit.
#include "app/window_list.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "app/app_state.h"
#include "editor/edit_window.h"
#include "app/frame.h"
#include "app/message_box.h"
#include "libs/qvdsk/qvdsk.h"
#include "resources/ids.h"

namespace {

constexpr int kMinDefaultWidth = 300;
constexpr int kMinDefaultHeight = 100;

// A name that does not exist becomes an empty file, so the document has a file to save to. A
// file that is there but cannot be read (another program holds it without sharing, access is
// denied) is never replaced: the caller refuses it.
bool EnsureFile(const char* name)
{
    if (flopen(name, kFlProbe)) return true;
    if (GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    FlFile* created = flopen(name, kFlWrite);
    return created && flclose(created) == 0;
}

using CompareOrdinal = int(WINAPI*)(const wchar_t*, int, const wchar_t*, int, BOOL);

CompareOrdinal OrdinalCompare()
{
    static const CompareOrdinal compare = [] {
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        FARPROC found = kernel ? GetProcAddress(kernel, "CompareStringOrdinal") : nullptr;
        return reinterpret_cast<CompareOrdinal>(reinterpret_cast<void*>(found));
    }();
    return compare;
}

// name in UTF-16, upper-cased with the system's table when it has no ordinal compare; false when
// it does not convert.
bool WideName(const char* name, wchar_t* out, int size, bool upper)
{
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, out, size);
    if (n <= 0) return false;
    if (upper) CharUpperBuffW(out, static_cast<DWORD>(n - 1));
    return true;
}

}  // namespace

bool SamePath(const char* a, const char* b)
{
    const CompareOrdinal compare = OrdinalCompare();
    wchar_t wideA[MAX_PATH * 2], wideB[MAX_PATH * 2];
    if (!WideName(a, wideA, MAX_PATH * 2, !compare) || !WideName(b, wideB, MAX_PATH * 2, !compare))
        return std::strcmp(a, b) == 0;
    if (compare) return compare(wideA, -1, wideB, -1, TRUE) == CSTR_EQUAL;
    return std::wcscmp(wideA, wideB) == 0;
}

HWND FindDocumentWindow(const char* name)
{
    if (!g_app.clientWindow || !name) return nullptr;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%s", LoadStr(IDS_EDIT_CLASS));
    for (HWND w = GetWindow(g_app.clientWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER)) continue;
        char className[MAX_PATH];
        if (GetClassNameA(w, className, sizeof className) == 0 || lstrcmpiA(className, expected) != 0)
            return nullptr;
        const EditState* doc = DocumentOfWindow(w);
        if (doc && SamePath(doc->path, name)) return w;
    }
    return nullptr;
}

bool RoomForDocument()
{
    if (g_app.documentCount < kMaxDocuments) return true;
    ShowMessage(g_app.frameWindow, 0, IDS_TOO_MANY_FILES, nullptr);
    return false;
}

HWND OpenDocument(const char* name)
{
    if (HWND open = FindDocumentWindow(name)) {
        BringWindowToTop(open);
        SendMessageA(g_app.clientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open), 0);
        return open;
    }
    return RoomForDocument() ? NewDocumentWindow(name, 0, 0, 0, 0) : nullptr;
}

HWND NewDocumentWindow(const char* name, int x, int y, int width, int height)
{
    if (!g_app.clientWindow) return nullptr;
    const bool maximized = ActiveDocumentMaximized();
    if (name && !EnsureFile(name)) {
        ShowMessage(g_app.frameWindow, 0, IDS_CANNOT_OPEN, name);
        return nullptr;
    }
    char className[14];
    std::snprintf(className, sizeof className, "%s", LoadStr(IDS_EDIT_CLASS));
    MDICREATESTRUCTA create{};
    create.szClass = className;
    create.szTitle = "";  // the document window names itself
    create.hOwner = ResourceInstance();
    if (maximized) {
        create.style = WS_MAXIMIZE;
        SendMessageA(g_app.clientWindow, WM_SETREDRAW, FALSE, 0);
    } else {
        create.style = static_cast<DWORD>(g_app.newWindowStyle | WS_CLIPSIBLINGS);
    }
    // Every document shows both scroll bars as soon as its text is in place: made with them, the
    // window is not laid out again (and a maximised one with the frame) when they appear.
    create.style |= WS_VSCROLL | WS_HSCROLL;
    if (width != 0 && height != 0) {
        create.x = x;
        create.y = y;
        create.cx = width;
        create.cy = height;
    } else {
        RECT area{0, 0, 0, 0};
        GetClientRect(g_app.clientWindow, &area);
        create.cx = area.right > kMinDefaultWidth ? area.right : kMinDefaultWidth;
        create.cy = area.bottom > kMinDefaultHeight ? area.bottom : kMinDefaultHeight;
    }
    create.lParam = reinterpret_cast<LPARAM>(name);
    HWND w = reinterpret_cast<HWND>(
        SendMessageA(g_app.clientWindow, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (maximized) {
        SendMessageA(g_app.clientWindow, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(g_app.clientWindow, nullptr, TRUE);
        if (w) UpdateWindow(w);
        UpdateWindow(g_app.clientWindow);
    }
    if (w) {
        SetFocus(w);
        ++g_app.documentCount;
    }
    return w;
}
