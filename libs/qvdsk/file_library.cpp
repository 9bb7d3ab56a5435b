// The file library's four calls over the operating-system layer in os.h. Reads and writes go
// through one 64 KiB buffer per open file, so the editor's small steps cost a copy, not a
// system call; transfers of a buffer's size or more go straight to or from the caller.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "libs/qvdsk/os.h"
#include "libs/qvdsk/qvdsk.h"

namespace {

using qvdsk::kNoHandle;
using qvdsk::OsHandle;

constexpr uint32_t kSignature = 0x4B445651;  // "QVDK"
constexpr size_t kBufferSize = size_t{64} * 1024;
constexpr size_t kTempNameSize = kFlNameSize + 32;
constexpr int32_t kFailed = -1;

struct OpenFile {
    FlFile record;  // first, so the caller's pointer is the whole record's
    char name[kFlNameSize];
    char temp[kTempNameSize];
    OsHandle os;
    size_t fill;  // writing: bytes waiting in buffer; reading: bytes valid in buffer
    size_t next;  // reading: the next unread byte of buffer
    unsigned char buffer[kBufferSize];
};

// The answer of mode kFlProbe: permanent, never freed, never written.
char g_probeName[1] = "";
FlFile g_probeRecord = {kSignature, kFlProbe, 0, 0, g_probeName, nullptr};

OpenFile* FromRecord(FlFile* file, int32_t mode)
{
    if (!file || file == &g_probeRecord || file->signature != kSignature || file->mode != mode) return nullptr;
    return reinterpret_cast<OpenFile*>(file);
}

// size × count bytes, capped so that the answer still fits an int; 0 for nonsense arguments.
size_t TransferBytes(int size, int count)
{
    if (size <= 0 || count <= 0) return 0;
    int64_t bytes = static_cast<int64_t>(size) * count;
    int64_t cap = static_cast<int64_t>(INT_MAX / size) * size;
    return static_cast<size_t>(bytes < cap ? bytes : cap);
}

OpenFile* NewRecord(int32_t mode)
{
    OpenFile* file = static_cast<OpenFile*>(std::malloc(sizeof(OpenFile)));
    if (!file) return nullptr;
    file->record = FlFile{kSignature, mode, 0, 0, file->name, file};
    file->name[0] = '\0';
    file->temp[0] = '\0';
    file->os = kNoHandle;
    file->fill = 0;
    file->next = 0;
    return file;
}

FlFile* OpenForReading(const char* name)
{
    OpenFile* file = NewRecord(kFlRead);
    if (!file) return nullptr;
    if (!qvdsk::OsFullPath(name, file->name, sizeof file->name) ||
        (file->os = qvdsk::OsOpenRead(file->name)) == kNoHandle) {
        std::free(file);
        return nullptr;
    }
    return &file->record;
}

FlFile* OpenForWriting(const char* name)
{
    OpenFile* file = NewRecord(kFlWrite);
    if (!file) return nullptr;
    if (!qvdsk::OsFullPath(name, file->name, sizeof file->name) || !qvdsk::OsCanReplace(file->name) ||
        (file->os = qvdsk::OsCreateTemp(file->name, file->temp, sizeof file->temp)) == kNoHandle) {
        std::free(file);
        return nullptr;
    }
    return &file->record;
}

bool Flush(OpenFile* file)
{
    if (file->fill == 0) return true;
    bool ok = qvdsk::OsWrite(file->os, file->buffer, file->fill);
    file->fill = 0;
    return ok;
}

}  // namespace

QVDSK_API FlFile* flopen(const char* name, int mode)
{
    if (!name || !*name) return nullptr;
    switch (mode) {
    case kFlProbe: {
        OsHandle os = qvdsk::OsOpenRead(name);
        if (os == kNoHandle) return nullptr;
        qvdsk::OsClose(os);  // read-only: nothing can be lost by a failed close
        return &g_probeRecord;
    }
    case kFlRead:
        return OpenForReading(name);
    case kFlWrite:
        return OpenForWriting(name);
    default:
        return nullptr;
    }
}

QVDSK_API int flread(void* buffer, int size, int count, FlFile* record)
{
    OpenFile* file = FromRecord(record, kFlRead);
    size_t want = TransferBytes(size, count);
    if (!file || !buffer || want == 0) return 0;

    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < want) {
        if (file->next < file->fill) {
            size_t take = file->fill - file->next;
            if (take > want - got) take = want - got;
            std::memcpy(out + got, file->buffer + file->next, take);
            file->next += take;
            got += take;
            continue;
        }
        // The buffer is empty: a large request is read in place, a small one refills it.
        bool direct = want - got >= kBufferSize;
        int64_t n = direct ? qvdsk::OsRead(file->os, out + got, want - got)
                           : qvdsk::OsRead(file->os, file->buffer, kBufferSize);
        if (n < 0) file->record.status = kFailed;
        if (n <= 0) break;
        if (direct) {
            got += static_cast<size_t>(n);
        } else {
            file->fill = static_cast<size_t>(n);
            file->next = 0;
        }
    }
    return static_cast<int>(got / static_cast<size_t>(size));
}

QVDSK_API int flwrite(const void* buffer, int size, int count, FlFile* record)
{
    OpenFile* file = FromRecord(record, kFlWrite);
    size_t bytes = TransferBytes(size, count);
    if (!file || !buffer || bytes == 0 || file->record.status != 0) return 0;

    if (file->fill + bytes > kBufferSize && !Flush(file)) {
        file->record.status = kFailed;
        return 0;
    }
    if (bytes >= kBufferSize) {
        if (!qvdsk::OsWrite(file->os, buffer, bytes)) {
            file->record.status = kFailed;
            return 0;
        }
    } else {
        std::memcpy(file->buffer + file->fill, buffer, bytes);
        file->fill += bytes;
    }
    return static_cast<int>(bytes / static_cast<size_t>(size));
}

QVDSK_API int flclose(FlFile* record)
{
    if (record == &g_probeRecord) return 0;
    if (OpenFile* file = FromRecord(record, kFlRead)) {
        bool closed = qvdsk::OsClose(file->os);
        std::free(file);
        return closed ? 0 : -1;
    }
    OpenFile* file = FromRecord(record, kFlWrite);
    if (!file) return -1;

    // The new text reaches the disk before it takes the old one's place, and the replacement is
    // one step: after a crash or a power cut the file holds the old text or the new, whole.
    bool ok = file->record.status == 0 && Flush(file) && qvdsk::OsSync(file->os);
    ok = qvdsk::OsClose(file->os) && ok;
    ok = ok && qvdsk::OsReplace(file->temp, file->name);
    if (!ok) qvdsk::OsRemove(file->temp);
    std::free(file);
    return ok ? 0 : -1;
}
