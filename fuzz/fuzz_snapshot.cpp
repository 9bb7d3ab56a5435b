// Snapshot files of arbitrary bytes: the parser never reads outside them (ASan; the bytes sit in
// a block of exactly their size), a file it accepts encodes back to the very same bytes, and
// every accepted file refuses to parse once any one of its bytes is changed or it is cut.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "doc/snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
    if (size) std::memcpy(bytes.get(), data, size);
    SnapshotView view;
    if (ParseSnapshot(bytes.get(), size, &view) != SnapshotFault::kNone) return 0;

    std::unique_ptr<char[]> path(new char[view.pathLength + 1]);
    std::memcpy(path.get(), view.path, view.pathLength);
    path[view.pathLength] = '\0';
    std::unique_ptr<char[]> again(new char[size]);
    const size_t n = EncodeSnapshot(again.get(), size, view.pathLength ? path.get() : nullptr, view.untitled,
                                    view.takenAt, view.text, view.length);
    if (n != size || std::memcmp(again.get(), bytes.get(), size) != 0) std::abort();

    // One changed byte (chosen by the data) or one byte less is always refused.
    const size_t at = data[size - 1] % size;
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    if (ParseSnapshot(bytes.get(), size, &view) == SnapshotFault::kNone) std::abort();
    if (ParseSnapshot(again.get(), size - 1, &view) == SnapshotFault::kNone) std::abort();
    return 0;
}
