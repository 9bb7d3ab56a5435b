// Memory blocks for texts, working copies, undo copies, file buffers and window records.
// Every request goes through one allocator that tests replace to make a chosen call fail.
#pragma once

#include <cstddef>

struct BlockAllocator {
    void* (*alloc)(size_t size);                  // zero-filled, or null
    void* (*resize)(void* block, size_t size);    // null leaves the old block valid
    void (*release)(void* block);
};

// The allocator in force; the default uses the C heap.
const BlockAllocator& DefaultAllocator();
void SetAllocator(const BlockAllocator& allocator);
void RestoreDefaultAllocator();

void* AllocBlock(size_t size);
void* ResizeBlock(void* block, size_t size);
void FreeBlock(void* block);
void* AllocRecord(size_t size);
