// The three in-house libraries, called as the program calls them: DEZ32 and VUZUZE32 by
// ordinal (through their import libraries and through GetProcAddress), QVDSK32 by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "libs/dez/dez32.h"
#include "libs/qvdsk/qvdsk.h"
#include "libs/vuzuze/vuzuze32.h"
#include "tests/win/win_helpers.h"

namespace {

std::string TempDir()
{
    const std::string dir = TempPath("zavodo-libs-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

}  // namespace

TEST(ActionBarLibrary, BadLayoutsFailTheCreation)
{
    ActionBarBlock* block = nullptr;
    ASSERT_TRUE(ActionBarInit(&block, 0));
    TestWindow frame;
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
    for (int ordinal : {2, 5, 7, 27, 32, 33, 35})
        EXPECT_NE(GetProcAddress(dez, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    for (int ordinal : {100, 101, 200, 255, 256})
        EXPECT_NE(GetProcAddress(util, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetProcAddress(dez, MAKEINTRESOURCEA(8)), nullptr);
    EXPECT_EQ(GetProcAddress(dez, "ActionBarInit"), nullptr);  // by ordinal only
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(dez, MAKEINTRESOURCEA(7))),
              reinterpret_cast<void*>(&ActionBarInit));
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
    for (int on : {1, 0}) {
        UtilGrayMenuItem(menu, 541, on);
        EXPECT_EQ((GetMenuState(menu, 541, MF_BYCOMMAND) & MF_GRAYED) != 0, on != 0);
        UtilCheckMenuItem(menu, 541, on ? MF_CHECKED : 0);
        EXPECT_EQ((GetMenuState(menu, 541, MF_BYCOMMAND) & MF_CHECKED) != 0, on != 0);
    }
    DestroyMenu(menu);
}

TEST(FileLibrary, RoundTripUnderTheFullName)
{
    const std::string dir = TempDir(), path = dir + "\\round.ksr";
    FlFile* out = flopen(path.c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    const char text[] = "line one\r\nline two\r\n";
    EXPECT_EQ(flwrite(text, 1, static_cast<int>(sizeof text - 1), out), static_cast<int>(sizeof text - 1));
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadBytes(path), text);

    EXPECT_NE(flopen(path.c_str(), kFlProbe), nullptr);
    EXPECT_EQ(flopen((dir + "\\missing.ksr").c_str(), kFlProbe), nullptr);
    EXPECT_EQ(flopen((dir + "\\missing.ksr").c_str(), kFlRead), nullptr);

    FlFile* in = flopen(path.c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    EXPECT_EQ(lstrcmpiA(in->name, full), 0);
    char buffer[4096];
    EXPECT_EQ(flread(buffer, 1, 4095, in), static_cast<int>(sizeof text - 1));
    EXPECT_EQ(flread(buffer, 1, 4095, in), 0);
    flclose(in);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(FileLibrary, AFailedSaveKeepsTheOldContents)
{
    const std::string dir = TempDir(), path = dir + "\\keep.ksr";
    WriteBytes(path, "old text\r\n");
    // An abandoned save (the caller marks the record) leaves the file as it was.
    FlFile* out = flopen(path.c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    flwrite("new", 1, 3, out);
    out->status = -1;
    EXPECT_NE(flclose(out), 0);
    EXPECT_EQ(ReadBytes(path), "old text\r\n");
    // A target that is a directory cannot be replaced: the save fails and nothing else changes.
    std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    FlFile* onDir = flopen(sub.c_str(), kFlWrite);
    if (onDir) {
        flwrite("x", 1, 1, onDir);
        EXPECT_NE(flclose(onDir), 0);
    }
    EXPECT_EQ(GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
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
