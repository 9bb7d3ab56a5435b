// The file library: open, read, write and close text files. Shared by the library and its
// callers; the record's name pointer at byte offset 16 is read by the editor directly.
//
// Contract beyond the four calls:
// - Mode kFlWrite never touches the named file until flclose: the bytes go to a temporary file in
//   the same directory, which replaces the named file only when every write succeeded and the
//   temporary file closed cleanly. Otherwise flclose removes the temporary file, the named file
//   keeps its old contents and flclose answers nonzero.
// - `status` is 0 while every transfer succeeded; the library sets it nonzero at the first
//   failure. A caller may set it nonzero itself to abandon a save (flclose then keeps the file).
// - Mode kFlProbe answers the address of one shared, permanent record (`mode` kFlProbe, empty
//   name) when the file can be opened; it needs no flclose, and passing it to the other calls
//   is harmless (they do nothing and answer 0).
// - `name` is the absolute path of the file, at most kFlNameSize bytes with its NUL; a name whose
//   absolute path does not fit is not opened.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && defined(QVDSK_BUILDING)
#define QVDSK_API extern "C" __declspec(dllexport)
#elif defined(_WIN32) && !defined(QVDSK_STATIC)
#define QVDSK_API extern "C" __declspec(dllimport)
#else
#define QVDSK_API extern "C"
#endif

// Modes of flopen.
constexpr int kFlProbe = 0;   // nonzero when the file exists and can be opened
constexpr int kFlRead = 1;    // an existing file, for reading
constexpr int kFlWrite = 32;  // for writing from the start, creating or replacing it

constexpr size_t kFlNameSize = 260;  // the longest absolute name, with its NUL

struct FlFile {
    uint32_t signature;
    int32_t mode;
    int32_t status;  // 0 while every transfer succeeded
    int32_t reserved;
    char* name;  // NUL-terminated absolute name under which the file was opened
    // The rest belongs to the library.
    void* impl;
};
static_assert(offsetof(FlFile, name) == 16, "the name pointer is the fifth 32-bit field");

QVDSK_API FlFile* flopen(const char* name, int mode);
QVDSK_API int flread(void* buffer, int size, int count, FlFile* file);
QVDSK_API int flwrite(const void* buffer, int size, int count, FlFile* file);
QVDSK_API int flclose(FlFile* file);
