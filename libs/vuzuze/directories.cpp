// VUZUZE32.DLL: the program directory, the default script directory and the menu-item helpers.
#include <cstdio>
#include <cstring>

#include "libs/vuzuze/vuzuze32.h"

namespace {

constexpr char kScriptFolder[] = "SCRIPTS";

// The program's directory into out; its length, or 0 (out empty) when it does not fit.
int ProgramDirectory(char* out, int size)
{
    char module[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module) return 0;
    char* slash = std::strrchr(module, '\\');
    char* other = std::strrchr(module, '/');
    if (other && (!slash || other > slash)) slash = other;
    if (!slash) return 0;
    *slash = '\0';
    int written = std::snprintf(out, static_cast<size_t>(size), "%s", module);
    if (written < 0 || written >= size) {
        out[0] = '\0';
        return 0;
    }
    return written;
}

int BufferSize(int size) { return size == 0 ? kUtilDefaultBufferSize : size; }

}  // namespace

VUZUZE_API int WINAPI UtilProgramDirectory(char* buffer, int size)
{
    size = BufferSize(size);
    if (!buffer || size < 1) return 0;
    buffer[0] = '\0';
    return ProgramDirectory(buffer, size);
}

VUZUZE_API int WINAPI UtilScriptDirectory(char* buffer, int size)
{
    size = BufferSize(size);
    if (!buffer || size < 1) return 0;
    buffer[0] = '\0';
    char directory[MAX_PATH];
    if (ProgramDirectory(directory, sizeof directory) == 0) return 0;
    int written = std::snprintf(buffer, static_cast<size_t>(size), "%s\\%s", directory, kScriptFolder);
    if (written < 0 || written >= size) {
        buffer[0] = '\0';
        return 0;
    }
    return written;
}

VUZUZE_API void WINAPI UtilGrayMenuItem(HMENU menu, int command, int grayed)
{
    UINT state = grayed ? MF_GRAYED : MF_ENABLED;
    // -1 means no such item: nothing to gray.
    (void)EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | state);
}

VUZUZE_API void WINAPI UtilCheckMenuItem(HMENU menu, int command, int checked)
{
    UINT state = checked ? MF_CHECKED : MF_UNCHECKED;
    // -1 means no such item: nothing to check.
    (void)CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | state);
}
