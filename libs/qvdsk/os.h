// The file library's operating-system layer: the few file calls the portable core needs.
// os_win32.cpp implements it for QVDSK32.DLL, os_posix.cpp for the native twin.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qvdsk {

using OsHandle = intptr_t;
constexpr OsHandle kNoHandle = -1;

// The absolute form of name in out (size bytes with the NUL); false when it cannot be made or
// does not fit. A name that does not exist yet gets the absolute form of its directory.
bool OsFullPath(const char* name, char* out, size_t size);

// An existing regular file, for reading; kNoHandle when it cannot be opened.
OsHandle OsOpenRead(const char* path);

// False when path exists but must not be replaced (a directory, a read-only file).
bool OsCanReplace(const char* path);

// A new, uniquely named file in the directory of target, for writing; its name goes to temp.
// It takes target's permissions when target exists.
OsHandle OsCreateTemp(const char* target, char* temp, size_t size);

// Bytes read (0 at the end of the file), or -1 on failure.
int64_t OsRead(OsHandle handle, void* buffer, size_t count);

// True when all count bytes were written.
bool OsWrite(OsHandle handle, const void* buffer, size_t count);

// Pushes what was written through the system's caches to the disk itself.
bool OsSync(OsHandle handle);
bool OsClose(OsHandle handle);

// Puts from in place of to, replacing it when it exists.
bool OsReplace(const char* from, const char* to);

void OsRemove(const char* path);

}  // namespace qvdsk
