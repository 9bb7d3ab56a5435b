// What the Windows tests share: scratch files, the settings file of the test prefix, message
// boxes answered through the program's hook, a plain window and the message queue.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_state.h"

// A file in the temporary folder, or in the Windows folder, where "QV5.INI" lives.
inline std::string TempPath(const std::string& name)
{
    char dir[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof dir, dir);
    EXPECT_TRUE(n > 0 && n < sizeof dir);
    return std::string(dir) + name;
}
inline std::string WindowsPath(const std::string& name)
{
    char dir[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(dir, sizeof dir);
    EXPECT_TRUE(n > 0 && n < sizeof dir);
    return std::string(dir) + "\\" + name;
}

inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    EXPECT_TRUE(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) << path;
}

// The profile functions keep a cached copy of the settings file; this call writes it out and
// drops it, so the file on disk is what the next read sees.
inline void FlushSettings()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "QV5.INI");
}
inline void DeleteSettingsFile()
{
    FlushSettings();
    DeleteFileA(WindowsPath("QV5.INI").c_str());
}

// The message boxes ShowMessage composed while a BoxHook lives, each answered by the next of
// g_boxAnswers while any are left, then g_boxAnswer.
struct ShownBox {
    HWND owner;
    std::string text, caption;
    UINT style;
};
inline std::vector<ShownBox> g_boxes;
inline int g_boxAnswer = IDOK;
inline std::vector<int> g_boxAnswers;
inline int RecordBox(HWND owner, const char* text, const char* caption, UINT style)
{
    g_boxes.push_back({owner, text, caption, style});
    if (g_boxAnswers.empty()) return g_boxAnswer;
    const int answer = g_boxAnswers.front();
    g_boxAnswers.erase(g_boxAnswers.begin());
    return answer;
}
struct BoxHook {
    BoxHook()
    {
        g_boxes.clear();
        g_boxAnswer = IDOK;
        g_boxAnswers.clear();
        g_app.messageBoxHook = RecordBox;
    }
    ~BoxHook() { g_app.messageBoxHook = nullptr; }
};
// The texts of the boxes shown so far.
inline std::vector<std::string> BoxTexts()
{
    std::vector<std::string> texts;
    for (const ShownBox& box : g_boxes) texts.push_back(box.text);
    return texts;
}

// A dialog control's text.
inline std::string DlgText(HWND dialog, int id)
{
    char text[256];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
// Puts text on the clipboard as CF_TEXT; nullptr: empties it.
inline void SetClipboardText(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::strcpy(static_cast<char*>(GlobalLock(block)), text);
        GlobalUnlock(block);
        EXPECT_NE(SetClipboardData(CF_TEXT, block), nullptr);
    }
    CloseClipboard();
}
// Dispatches whatever waits in the thread's queue; a quit message is dropped.
inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A top-level window of a class that leaves everything to DefWindowProc, destroyed with the object.
struct TestWindow {
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW, int x = 0, int y = 0, int width = 640,
                        int height = 480)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZavodoTestWindow";
        RegisterClassA(&wc);  // from the second window on it is there already
        hwnd = CreateWindowExA(0, wc.lpszClassName, "", style, x, y, width, height, nullptr, nullptr,
                               wc.hInstance, nullptr);
    }
    ~TestWindow()
    {
        if (hwnd) DestroyWindow(hwnd);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND hwnd;
};

// A rectangle's sides, left, top, right, bottom, to compare at once.
inline std::array<LONG, 4> Sides(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
