// Recovery snapshots: encoding, checking and writing them, the rule of when one is due, and
// the changed-on-disk comparison.
#include "doc/snapshot.h"

#include <cstdlib>
#include <cstring>

#include "doc/document_file.h"
#include "doc/edit_state.h"
#include "doc/memory.h"
#include "libs/qvdsk/qvdsk.h"
#include "resources/ids.h"

namespace {

constexpr uint32_t kLargestText = 0x7FFFFFFFu;
constexpr uint32_t kLongestTiming = 3600000;

void Put32(char* at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Put64(char* at, uint64_t v)
{
    Put32(at, static_cast<uint32_t>(v));
    Put32(at + 4, static_cast<uint32_t>(v >> 32));
}

uint32_t Get32(const char* at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(at[i]);
    return v;
}

uint64_t Get64(const char* at)
{
    return Get32(at) | (static_cast<uint64_t>(Get32(at + 4)) << 32);
}

struct CrcTable {
    uint32_t entry[256];
    CrcTable()
    {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entry[n] = c;
        }
    }
};

const CrcTable kCrc;

bool NameAllowed(const char* path, size_t pathLength, uint32_t untitled)
{
    if ((pathLength == 0) == (untitled == 0)) return false;  // exactly one of the two
    // An untitled document has no path at all: memchr may not be given its null pointer.
    return pathLength == 0 || (pathLength < static_cast<size_t>(kPathSize) &&
                               std::memchr(path, '\0', pathLength) == nullptr);
}

// The header's checksum field is left out of its own sum.
uint32_t SnapshotCrc(const char* header, const char* path, size_t pathLength, const char* text, size_t length)
{
    uint32_t crc = Crc32(0, header, kSnapshotFixedHeader - 4);
    crc = Crc32(crc, path, pathLength);
    return Crc32(crc, text, length);
}

bool InRange(long v)
{
    return v >= 1 && v <= static_cast<long>(kLongestTiming);
}

}  // namespace

int SnapshotFaultStringId(SnapshotFault fault)
{
    switch (fault) {
        case SnapshotFault::kNone:
            return 0;
        case SnapshotFault::kTooShort:
        case SnapshotFault::kCut:
            return IDS_SNAPSHOT_CUT;
        case SnapshotFault::kNotSnapshot:
            return IDS_SNAPSHOT_FOREIGN;
        case SnapshotFault::kVersion:
            return IDS_SNAPSHOT_VERSION;
        case SnapshotFault::kBadName:
        case SnapshotFault::kTooLarge:
            return IDS_SNAPSHOT_HEADER;
        case SnapshotFault::kTrailing:
            return IDS_SNAPSHOT_TRAILING;
        case SnapshotFault::kChecksum:
            return IDS_SNAPSHOT_CHECKSUM;
    }
    return IDS_SNAPSHOT_HEADER;
}

uint32_t Crc32(uint32_t crc, const void* data, size_t size)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = kCrc.entry[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

size_t SnapshotHeaderSize(size_t pathLength)
{
    return kSnapshotFixedHeader + pathLength;
}

size_t EncodeSnapshotHeader(char* out, const char* path, uint32_t untitled, uint64_t takenAt,
                            const char* text, uint32_t length)
{
    const size_t pathLength = path ? std::strlen(path) : 0;
    if (!NameAllowed(path, pathLength, untitled) || length > kLargestText) return 0;
    std::memcpy(out, kSnapshotMagic, sizeof kSnapshotMagic);
    Put32(out + 8, kSnapshotVersion);
    Put32(out + 12, untitled);
    Put32(out + 16, static_cast<uint32_t>(pathLength));
    Put32(out + 20, length);
    Put64(out + 24, takenAt);
    // The path is stored by its length, without a NUL.
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
    if (pathLength) std::memcpy(out + kSnapshotFixedHeader, path, pathLength);
    Put32(out + 32, SnapshotCrc(out, path, pathLength, text, length));
    return SnapshotHeaderSize(pathLength);
}

size_t EncodeSnapshot(char* out, size_t room, const char* path, uint32_t untitled, uint64_t takenAt,
                      const char* text, uint32_t length)
{
    const size_t header = SnapshotHeaderSize(path ? std::strlen(path) : 0);
    if (room < header || room - header < length) return 0;
    if (EncodeSnapshotHeader(out, path, untitled, takenAt, text, length) == 0) return 0;
    if (length) std::memcpy(out + header, text, length);
    return header + length;
}

SnapshotFault ParseSnapshot(const char* data, size_t size, SnapshotView* out)
{
    if (size < kSnapshotFixedHeader) return SnapshotFault::kTooShort;
    if (std::memcmp(data, kSnapshotMagic, sizeof kSnapshotMagic) != 0) return SnapshotFault::kNotSnapshot;
    if (Get32(data + 8) != kSnapshotVersion) return SnapshotFault::kVersion;
    const uint32_t untitled = Get32(data + 12);
    const uint32_t pathLength = Get32(data + 16);
    const uint32_t length = Get32(data + 20);
    if (pathLength >= static_cast<uint32_t>(kPathSize)) return SnapshotFault::kBadName;
    if (length > kLargestText) return SnapshotFault::kTooLarge;
    const uint64_t whole = uint64_t{kSnapshotFixedHeader} + pathLength + length;
    if (size < whole) return SnapshotFault::kCut;
    if (size > whole) return SnapshotFault::kTrailing;
    const char* path = data + kSnapshotFixedHeader;
    if (!NameAllowed(path, pathLength, untitled)) return SnapshotFault::kBadName;
    const char* text = path + pathLength;
    if (SnapshotCrc(data, path, pathLength, text, length) != Get32(data + 32))
        return SnapshotFault::kChecksum;
    out->untitled = untitled;
    out->takenAt = Get64(data + 24);
    out->path = path;
    out->pathLength = pathLength;
    out->text = text;
    out->length = length;
    return SnapshotFault::kNone;
}

bool WriteSnapshotFile(const char* file, const char* path, uint32_t untitled, uint64_t takenAt,
                       const char* text, int32_t length)
{
    if (length < 0) return false;
    char header[kSnapshotFixedHeader + kPathSize];
    const size_t headerSize =
        EncodeSnapshotHeader(header, path, untitled, takenAt, text, static_cast<uint32_t>(length));
    if (headerSize == 0) return false;
    FlFile* out = flopen(file, kFlWrite);
    if (!out) return false;
    bool written = flwrite(header, 1, static_cast<int>(headerSize), out) == static_cast<int>(headerSize);
    if (written && length > 0) written = flwrite(text, 1, length, out) == length;
    if (!written) out->status = -1;  // abandoned: the previous snapshot stays
    return flclose(out) == 0 && written;
}

bool ReadWholeFile(const char* file, bool dropCrNul, char** block, int32_t* length)
{
    const uint32_t size = FileSize(file);
    if (static_cast<int32_t>(size) < 0) return false;
    FlFile* in = flopen(file, kFlRead);
    if (!in) return false;
    char* text = static_cast<char*>(AllocBlock(static_cast<size_t>(size) + 1));
    if (!text) {
        flclose(in);
        return false;
    }
    // One read past the announced size tells a file that has grown meanwhile from a whole one.
    char probe = 0;
    const int got = size ? flread(text, 1, static_cast<int>(size), in) : 0;
    const bool whole = got == static_cast<int>(size) && flread(&probe, 1, 1, in) == 0 && in->status == 0;
    flclose(in);
    if (!whole) {
        FreeBlock(text);
        return false;
    }
    int32_t kept = static_cast<int32_t>(size);
    if (dropCrNul) {
        char* p = text;
        for (uint32_t i = 0; i < size; ++i) {
            *p = text[i];
            p += (text[i] != '\0') & (text[i] != '\r');
        }
        kept = static_cast<int32_t>(p - text);
    }
    text[kept] = '\0';
    *block = text;
    *length = kept;
    return true;
}

SnapshotTiming ParseSnapshotTiming(const char* text)
{
    SnapshotTiming timing;
    if (!text) return timing;
    char* end = nullptr;
    const long idle = std::strtol(text, &end, 10);
    if (end == text || *end != ',') return timing;
    const char* second = end + 1;
    const long interval = std::strtol(second, &end, 10);
    if (end == second || *end != '\0' || !InRange(idle) || !InRange(interval)) return timing;
    timing.idle = static_cast<uint32_t>(idle);
    timing.interval = static_cast<uint32_t>(interval);
    return timing;
}

bool SnapshotDue(uint32_t now, uint32_t lastInput, bool written, uint32_t lastWritten,
                 const SnapshotTiming& timing)
{
    // Unsigned differences stay right across the tick count's wrap.
    if (now - lastInput < timing.idle) return false;
    return !written || now - lastWritten >= timing.interval;
}

DiskChange CompareDiskStamp(const DiskStamp& known, const DiskStamp& now)
{
    if (!now.exists) return known.exists ? DiskChange::kDeleted : DiskChange::kNone;
    if (!known.exists) return DiskChange::kChanged;  // it has appeared since
    return now.writeTime != known.writeTime || now.size != known.size ? DiskChange::kChanged
                                                                      : DiskChange::kNone;
}
