// The file library's operating-system layer on Windows (QVDSK32.DLL).
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "libs/qvdsk/os.h"

namespace qvdsk {

namespace {

HANDLE Handle(OsHandle handle) { return reinterpret_cast<HANDLE>(handle); }
OsHandle FromHandle(HANDLE handle) { return reinterpret_cast<OsHandle>(handle); }

// ReadFile and WriteFile take 32-bit counts; larger transfers go in pieces of this size.
constexpr size_t kMaxPiece = 1u << 30;

}  // namespace

bool OsFullPath(const char* name, char* out, size_t size)
{
    DWORD n = GetFullPathNameA(name, static_cast<DWORD>(size), out, nullptr);
    return n != 0 && n < size;
}

OsHandle OsOpenRead(const char* path)
{
    // Others may go on reading, writing, renaming or deleting it: a log another program is still
    // writing opens with the text it has so far.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    static_assert(kNoHandle == -1, "INVALID_HANDLE_VALUE is the layer's kNoHandle");
    return FromHandle(file);
}

bool OsCanReplace(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

OsHandle OsCreateTemp(const char* target, char* temp, size_t size)
{
    const char* slash = std::strrchr(target, '\\');
    const char* other = std::strrchr(target, '/');
    if (other && (!slash || other > slash)) slash = other;
    if (!slash) return kNoHandle;  // OsFullPath names are absolute
    int dirLength = static_cast<int>(slash - target);

    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        int n = std::snprintf(temp, size, "%.*s\\~zv%lx-%u.tmp", dirLength, target,
                              static_cast<unsigned long>(GetCurrentProcessId()), attempt);
        if (n < 0 || static_cast<size_t>(n) >= size || static_cast<size_t>(n) >= MAX_PATH) return kNoHandle;
        HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return FromHandle(file);
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return kNoHandle;
    }
    return kNoHandle;
}

int64_t OsRead(OsHandle handle, void* buffer, size_t count)
{
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(count < kMaxPiece ? count : kMaxPiece);
    if (!ReadFile(Handle(handle), buffer, want, &got, nullptr)) return -1;
    return got;
}

bool OsWrite(OsHandle handle, const void* buffer, size_t count)
{
    const char* at = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD piece = static_cast<DWORD>(count < kMaxPiece ? count : kMaxPiece);
        DWORD written = 0;
        if (!WriteFile(Handle(handle), at, piece, &written, nullptr) || written == 0) return false;
        at += written;
        count -= written;
    }
    return true;
}

bool OsSync(OsHandle handle) { return FlushFileBuffers(Handle(handle)) != 0; }

bool OsClose(OsHandle handle) { return CloseHandle(Handle(handle)) != 0; }

bool OsReplace(const char* from, const char* to)
{
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void OsRemove(const char* path)
{
    // Nothing more can be done about a temporary file that will not go.
    (void)DeleteFileA(path);
}

}  // namespace qvdsk
