// File size query of the Windows build.
#include <windows.h>

#include "doc/file_size.h"

SizeQuery QueryFileSize(const char* path, uint64_t* size)
{
    // A file another program is writing (a log) is read as far as it goes: every sharing is
    // allowed, as in the file library's read.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return SizeQuery::kCannotOpen;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    DWORD error = low == INVALID_FILE_SIZE ? GetLastError() : NO_ERROR;
    CloseHandle(file);
    if (error != NO_ERROR) return SizeQuery::kFailed;
    *size = (static_cast<uint64_t>(high) << 32) | low;
    return SizeQuery::kOk;
}
