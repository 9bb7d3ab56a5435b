// Splitting the command line into arguments, and the start-up switches' rules.
#include "app/command_line.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "doc/memory.h"

namespace {

constexpr size_t kChunkSize = 256;

// The scanner's state while it walks the command line.
enum : unsigned {
    kTokenStarted = 1,  // a new argument begins at this byte: record its offset
    kInToken = 2,
    kInQuotes = 4,
    kTokenEnds = 8,  // this byte ends the argument: store its NUL
};

// The bytes kept so far: a chunk on the stack, appended to a heap block each time it fills.
class ByteStore {
public:
    ByteStore() = default;
    ByteStore(const ByteStore&) = delete;
    ByteStore& operator=(const ByteStore&) = delete;
    ~ByteStore() { FreeBlock(heap_); }

    // Answers false when the heap block cannot be made or grown.
    bool Put(char byte)
    {
        chunk_[used_++] = byte;
        return used_ < kChunkSize || Flush();
    }

    size_t Size() const { return heapSize_ + used_; }

    void CopyTo(char* out) const
    {
        if (heapSize_ != 0) std::memcpy(out, heap_, heapSize_);
        std::memcpy(out + heapSize_, chunk_, used_);
    }

private:
    bool Flush()
    {
        // Offsets are 32-bit: a longer text is treated as memory exhausted.
        if (heapSize_ > UINT32_MAX - 2 * kChunkSize) return false;
        void* grown = heap_ ? ResizeBlock(heap_, heapSize_ + kChunkSize) : AllocBlock(kChunkSize);
        if (!grown) return false;
        heap_ = static_cast<char*>(grown);
        std::memcpy(heap_ + heapSize_, chunk_, kChunkSize);
        heapSize_ += kChunkSize;
        used_ = 0;
        return true;
    }

    char chunk_[kChunkSize] = {};
    size_t used_ = 0;
    char* heap_ = nullptr;
    size_t heapSize_ = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ArgumentList* SplitCommandLine(const char* commandLine)
{
    if (!commandLine) commandLine = "";
    ByteStore store;
    uint32_t offsets[kMaxArguments];
    int count = 0;
    unsigned state = 0;
    for (size_t i = 0;; ++i) {
        const char c = commandLine[i];
        char byte = c;
        bool keep = false;
        state &= kInToken | kInQuotes;
        if (c == '\0' || (IsBlank(c) && !(state & kInQuotes))) {
            if (state & kInToken) state |= kTokenEnds;  // the end ends a quoted token too
        } else if (c == '"') {
            if (state & kInQuotes) {
                state &= ~kInQuotes;  // the token goes on with the next byte
            } else {
                state |= kInQuotes;
                if (!(state & kInToken)) state |= kTokenStarted | kInToken;
            }
        } else {
            if (c == '\\' && commandLine[i + 1] == '"') {
                byte = '"';
                ++i;
            }
            if (!(state & kInToken)) state |= kTokenStarted | kInToken;
            keep = true;
        }
        if (state & kTokenStarted) {
            if (count == kMaxArguments) break;  // the rest of the line is ignored
            offsets[count++] = static_cast<uint32_t>(store.Size());
        }
        if (keep && !store.Put(byte)) return nullptr;
        if (state & kTokenEnds) {
            if (!store.Put('\0')) return nullptr;
            state &= ~(kInToken | kInQuotes);
        }
        if (c == '\0') break;
    }

    const size_t tableSize = sizeof(uint32_t) * static_cast<size_t>(count);
    const size_t head = sizeof(ArgumentList) + tableSize;
    if (store.Size() > SIZE_MAX - head) return nullptr;
    auto* block = static_cast<unsigned char*>(AllocBlock(head + store.Size()));
    if (!block) return nullptr;
    auto* table = reinterpret_cast<uint32_t*>(block + sizeof(ArgumentList));
    char* strings = reinterpret_cast<char*>(block + head);
    if (tableSize != 0) std::memcpy(table, offsets, tableSize);
    store.CopyTo(strings);
    auto* list = reinterpret_cast<ArgumentList*>(block);
    list->count = static_cast<uint8_t>(count);
    list->offsets = table;
    list->strings = strings;
    return list;
}

void FreeArgumentList(ArgumentList* list) { FreeBlock(list); }

const char* Argument(const ArgumentList* list, int i)
{
    if (!list || i < 0 || i >= list->count) return nullptr;
    return list->strings + list->offsets[i];
}

ArgumentKind Classify(const char* arg)
{
    if (!arg || arg[0] != '/') return ArgumentKind::FileName;
    switch (arg[1]) {
    case 'G':
    case 'g':
        return ArgumentKind::GotoOption;
    case 'N':
    case 'n':
        return ArgumentKind::NewOption;
    default:
        return ArgumentKind::OtherOption;
    }
}

int ParseGotoLine(const char* afterG, int pending)
{
    if (!afterG || afterG[0] == '\0') return pending;
    const char* p = afterG;
    while (IsBlank(*p)) ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    // The magnitude is held one past INT_MAX so INT_MIN itself can be reached.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}
