// The three in-house libraries, called as the program calls them: DEZ32 and VUZUZE32 by
// ordinal (through their import libraries and through GetProcAddress), QVDSK32 by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "libs/dez/dez32.h"
#include "libs/qvdsk/qvdsk.h"
#include "libs/vuzuze/vuzuze32.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string dir = std::string(base) + "zavodo-libs-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

class Frame {
public:
    Frame()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LibsTestFrame";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "LibsTestFrame", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                               nullptr, wc.hInstance, nullptr);
    }
    ~Frame() { DestroyWindow(hwnd); }
    HWND hwnd;
};

}  // namespace

TEST(ActionBarLibrary, InitialiserBlockStatesAndShutdown)
{
    ActionBarBlock* block = nullptr;
    ASSERT_TRUE(ActionBarInit(&block, 0));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->activeItem, -1);
    EXPECT_EQ(reinterpret_cast<char*>(&block->activeItem) - reinterpret_cast<char*>(block), 2216);
    Frame frame;
    ASSERT_NE(frame.hwnd, nullptr);
    HWND bar = ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 30, 0, block);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ULongToHandle(block->windows[0]), bar);
    EXPECT_EQ(GetParent(bar), frame.hwnd);
    EXPECT_EQ(block->buttonCount, 3);
    EXPECT_EQ(block->buttons[2].command, 508);
    EXPECT_STREQ(block->buttons[2].label, "Exit KESTREL Editor");

    ActionBarSetState(-1, kActionBarGrayed, 502, block);
    EXPECT_EQ(block->buttons[1].state, kActionBarGrayed);
    ActionBarSetState(-1, kActionBarEnabled, 502, block);
    EXPECT_EQ(block->buttons[1].state, kActionBarEnabled);

    RECT client{}, free{};
    GetClientRect(frame.hwnd, &client);
    ASSERT_TRUE(ActionBarClientRect(frame.hwnd, block, 0, 0, &free, 0));
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    EXPECT_EQ(free.top, barRect.bottom - barRect.top);
    EXPECT_GT(free.top, 0);
    EXPECT_EQ(free.bottom, client.bottom);
    EXPECT_EQ(free.right, client.right);

    ActionBarShutdown(block);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(block, nullptr);  // the library clears the field it filled
}

TEST(ActionBarLibrary, BadLayoutsFailTheCreation)
{
    ActionBarBlock* block = nullptr;
    ASSERT_TRUE(ActionBarInit(&block, 0));
    Frame frame;
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 31, 0, block), nullptr);  // signature
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 32, 0, block), nullptr);  // short
    EXPECT_EQ(ActionBarCreate(frame.hwnd, GetModuleHandleA(nullptr), 99, 0, block), nullptr);  // missing
    ActionBarShutdown(block);
}

TEST(Ordinals, TheSameEntriesAnswerThroughGetProcAddress)
{
    HMODULE dez = GetModuleHandleA("DEZ32.DLL");
    HMODULE util = GetModuleHandleA("VUZUZE32.DLL");
    ASSERT_NE(dez, nullptr);
    ASSERT_NE(util, nullptr);
    for (int ordinal : {2, 5, 7, 27, 32, 33, 35}) EXPECT_NE(GetProcAddress(dez, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    for (int ordinal : {100, 101, 200, 255, 256}) EXPECT_NE(GetProcAddress(util, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetProcAddress(dez, MAKEINTRESOURCEA(8)), nullptr);
    EXPECT_EQ(GetProcAddress(dez, "ActionBarInit"), nullptr);  // by ordinal only
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dez, MAKEINTRESOURCEA(7))), reinterpret_cast<void*>(&ActionBarInit));

    using InitFn = BOOL(WINAPI*)(ActionBarBlock**, int);
    auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(dez, MAKEINTRESOURCEA(7))));
    ActionBarBlock* block = nullptr;
    ASSERT_TRUE(init(&block, 0));
    EXPECT_EQ(block->activeItem, -1);
    ActionBarShutdown(block);
}

TEST(UtilityLibrary, DirectoriesAndMenuItems)
{
    char dir[MAX_PATH];
    UtilProgramDirectory(dir, 0);
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string expect(module);
    expect.resize(expect.find_last_of('\\'));
    EXPECT_STREQ(dir, expect.c_str());
    char small[8];
    std::memset(small, 'x', sizeof small);
    UtilProgramDirectory(small, sizeof small);
    EXPECT_LT(std::strlen(small), sizeof small);  // never overrun a stated size
    char scripts[MAX_PATH];
    UtilScriptDirectory(scripts, sizeof scripts);
    EXPECT_GT(std::strlen(scripts), 0u);

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 541, "Compile");
    UtilGrayMenuItem(menu, 541, 1);
    EXPECT_TRUE(GetMenuState(menu, 541, MF_BYCOMMAND) & MF_GRAYED);
    UtilGrayMenuItem(menu, 541, 0);
    EXPECT_FALSE(GetMenuState(menu, 541, MF_BYCOMMAND) & MF_GRAYED);
    UtilCheckMenuItem(menu, 541, MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 541, MF_BYCOMMAND) & MF_CHECKED);
    UtilCheckMenuItem(menu, 541, 0);
    EXPECT_FALSE(GetMenuState(menu, 541, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);
}

TEST(FileLibrary, RoundTripWithTheFullNameAtOffset16)
{
    std::string dir = TempDir();
    std::string path = dir + "\\round.ksr";
    FlFile* out = flopen(path.c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    const char text[] = "line one\r\nline two\r\n";
    EXPECT_EQ(flwrite(text, 1, static_cast<int>(sizeof text - 1), out), static_cast<int>(sizeof text - 1));
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadAll(path), text);

    EXPECT_NE(flopen(path.c_str(), kFlProbe), nullptr);
    EXPECT_EQ(flopen((dir + "\\missing.ksr").c_str(), kFlProbe), nullptr);
    EXPECT_EQ(flopen((dir + "\\missing.ksr").c_str(), kFlRead), nullptr);

    FlFile* in = flopen(path.c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    const char* name = *reinterpret_cast<char**>(reinterpret_cast<char*>(in) + 16);
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    EXPECT_EQ(lstrcmpiA(name, full), 0);
    char buffer[4096];
    EXPECT_EQ(flread(buffer, 1, 4095, in), static_cast<int>(sizeof text - 1));
    EXPECT_EQ(flread(buffer, 1, 4095, in), 0);
    flclose(in);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(FileLibrary, AFailedSaveKeepsTheOldContents)
{
    std::string dir = TempDir();
    std::string path = dir + "\\keep.ksr";
    WriteAll(path, "old text\r\n");
    // An abandoned save (the caller marks the record) leaves the file as it was.
    FlFile* out = flopen(path.c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    flwrite("new", 1, 3, out);
    out->status = -1;
    EXPECT_NE(flclose(out), 0);
    EXPECT_EQ(ReadAll(path), "old text\r\n");
    // A target that is a directory cannot be replaced: the save fails and nothing else changes.
    std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    FlFile* onDir = flopen(sub.c_str(), kFlWrite);
    if (onDir) {
        flwrite("x", 1, 1, onDir);
        EXPECT_NE(flclose(onDir), 0);
    }
    EXPECT_EQ(GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    // No temporary file is left behind.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != '.') ++entries;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 2);  // keep.ksr and sub
    RemoveDirectoryA(sub.c_str());
    DeleteFileA(path.c_str());
    RemoveDirectoryA(dir.c_str());
}
