// The block allocator behind AllocBlock and friends.
#include "doc/memory.h"

#include <cstdlib>

namespace {

void* HeapAlloc0(size_t size) { return std::calloc(size ? size : 1, 1); }
void* HeapResize(void* block, size_t size) { return std::realloc(block, size ? size : 1); }
void HeapRelease(void* block) { std::free(block); }

const BlockAllocator kHeap{HeapAlloc0, HeapResize, HeapRelease};

BlockAllocator& Current()
{
    static BlockAllocator current = kHeap;
    return current;
}

}  // namespace

const BlockAllocator& DefaultAllocator() { return kHeap; }
void SetAllocator(const BlockAllocator& allocator) { Current() = allocator; }
void RestoreDefaultAllocator() { Current() = kHeap; }

void* AllocBlock(size_t size) { return Current().alloc(size); }

void* ResizeBlock(void* block, size_t size)
{
    if (!block) return Current().alloc(size);
    return Current().resize(block, size);
}

void FreeBlock(void* block)
{
    if (block) Current().release(block);
}

// Records come from the same heap; only the allocation contract matters to callers.
void* AllocRecord(size_t size) { return Current().alloc(size); }
