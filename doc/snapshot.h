// Recovery snapshots of modified documents: the file format (a fixed header, the document's
// path, its text), the rule of when the next one is due, the comparison of a file's stamp on
// disk with the one it was loaded or saved with, and whole-file reads through the file library.
//
// Format, integers little-endian:
//   0  8 bytes  magic "ZVSNAP" CR LF (a transfer that mangles line ends spoils it visibly)
//   8  u32      version (1)
//  12  u32      untitled number, 0 for a document with a path
//  16  u32      path length in bytes, 0 for an untitled document; below kPathSize
//  20  u32      text length in bytes, below 2^31
//  24  u64      when the snapshot was taken, seconds since 1970
//  32  u32      CRC-32 of bytes 0..31, the path and the text
//  36           the path (no NUL), then the text; nothing follows
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kSnapshotMagic[8] = {'Z', 'V', 'S', 'N', 'A', 'P', '\r', '\n'};
constexpr uint32_t kSnapshotVersion = 1;
constexpr size_t kSnapshotFixedHeader = 36;

// Why a snapshot file is refused; kNone for a good one.
enum class SnapshotFault : uint8_t {
    kNone,
    kTooShort,     // shorter than the fixed header
    kNotSnapshot,  // the magic is wrong
    kVersion,      // a version this program does not know
    kBadName,      // no name, both a path and a number, a path too long or holding a NUL
    kTooLarge,     // a text length of 2^31 or more
    kCut,          // fewer bytes than the header announces
    kTrailing,     // more bytes than the header announces
    kChecksum,     // the bytes do not match their checksum
};

// The string id of the reason shown for a refused file.
int SnapshotFaultStringId(SnapshotFault fault);

// A parsed snapshot; path and text point into the parsed bytes.
struct SnapshotView {
    uint32_t untitled = 0;
    uint64_t takenAt = 0;
    const char* path = nullptr;
    uint32_t pathLength = 0;
    const char* text = nullptr;
    uint32_t length = 0;
};

// The standard CRC-32 (as zip uses it), continued from crc (0 to start).
uint32_t Crc32(uint32_t crc, const void* data, size_t size);

// Header bytes for a path (may be empty) of pathLength bytes.
size_t SnapshotHeaderSize(size_t pathLength);

// Writes the header and path for the given text into out (SnapshotHeaderSize bytes); the text
// follows it in the file. Answers the header's size, 0 when the name or length is not allowed.
size_t EncodeSnapshotHeader(char* out, const char* path, uint32_t untitled, uint64_t takenAt,
                            const char* text, uint32_t length);

// The whole snapshot into out (room bytes); answers its size, 0 when it does not fit or the
// name or length is not allowed.
size_t EncodeSnapshot(char* out, size_t room, const char* path, uint32_t untitled, uint64_t takenAt,
                      const char* text, uint32_t length);

SnapshotFault ParseSnapshot(const char* data, size_t size, SnapshotView* out);

// Writes a snapshot through the file library's save routine (a flushed temporary file that
// replaces the named one), so a crash while writing leaves the previous snapshot whole.
bool WriteSnapshotFile(const char* file, const char* path, uint32_t untitled, uint64_t takenAt,
                       const char* text, int32_t length);

// The file's bytes in a new block (FreeBlock) with a NUL after them; dropCrNul filters them as
// loading a document does. False, with nothing allocated, when the file cannot be opened or read
// whole, is 2^31 bytes or more, or no memory is left.
bool ReadWholeFile(const char* file, bool dropCrNul, char** block, int32_t* length);

// The idle time and spacing of snapshots, in milliseconds.
struct SnapshotTiming {
    uint32_t idle = 2000;       // since the last input
    uint32_t interval = 10000;  // since the previous snapshot
};

// "idle,interval" in milliseconds, each 1..3600000; anything else keeps the defaults.
SnapshotTiming ParseSnapshotTiming(const char* text);

// Whether a snapshot is due at tick count now (wrapping 32-bit milliseconds): a change is
// waiting, the input has rested for the idle time, and the previous snapshot (if any) is at
// least the interval old.
bool SnapshotDue(uint32_t now, uint32_t lastInput, bool written, uint32_t lastWritten,
                 const SnapshotTiming& timing);

// A file's last-write time and size as the system reports them.
struct DiskStamp {
    bool exists = false;
    uint64_t writeTime = 0;
    uint64_t size = 0;
};

enum class DiskChange : uint8_t { kNone, kChanged, kDeleted };

// What happened to a file known by `known` that now shows `now`. A file that was not there
// when the document was made and still is not there has not changed.
DiskChange CompareDiskStamp(const DiskStamp& known, const DiskStamp& now);
