// An allocator for tests that counts its calls and the blocks alive, remembers the size of the
// last block made, and fails one chosen call, every call from one on, every block larger
// than a bound (an address space without a hole that size), or the first block larger than
// another. Install it with
// SetAllocator(kTallyAllocator).
#pragma once

#include <cstddef>

#include "doc/memory.h"

struct Tally {
    int calls = 0;
    int failAt = 0;    // this call fails; 0: none
    int failFrom = 0;  // this call and every later one fail; 0: none
    size_t largest = static_cast<size_t>(-1);  // larger blocks fail
    size_t failOnceAbove = 0;                  // the first larger block fails; 0: none
    int live = 0;
    size_t lastSize = 0;  // of the last block made
};
inline Tally g_tally;

inline bool TallyFails(size_t size)
{
    ++g_tally.calls;
    if (g_tally.failOnceAbove && size > g_tally.failOnceAbove) {
        g_tally.failOnceAbove = 0;
        return true;
    }
    return size > g_tally.largest || g_tally.calls == g_tally.failAt ||
           (g_tally.failFrom && g_tally.calls >= g_tally.failFrom);
}
inline void* TallyAlloc(size_t size)
{
    if (TallyFails(size)) return nullptr;
    void* block = DefaultAllocator().alloc(size);
    if (block) ++g_tally.live;
    g_tally.lastSize = size;
    return block;
}
inline void* TallyResize(void* block, size_t size)
{
    return TallyFails(size) ? nullptr : DefaultAllocator().resize(block, size);
}
inline void TallyRelease(void* block)
{
    --g_tally.live;
    DefaultAllocator().release(block);
}
inline const BlockAllocator kTallyAllocator{TallyAlloc, TallyResize, TallyRelease};
