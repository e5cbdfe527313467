// The library's allocation functions for the fuzz build. They behave as platform/Memory.cpp, except that a
// few freed blocks of 64 KiB or more are kept for the next request of the same size: every text load takes a
// work record of about half a megabyte, and mapping and unmapping it under AddressSanitizer for every input
// costs more than the load itself. A kept block is handed out again with its first bytes scribbled over, as
// AddressSanitizer does with fresh blocks; use after free of such a block goes unnoticed, overflows do not.
#include "platform/Memory.h"

#include <cstdlib>
#include <cstring>

#include <sanitizer/allocator_interface.h>

namespace {

const size_t kKeptSize = 64 * 1024;
const int kKeptBlocks = 4;
const size_t kScribbled = 4096;

void* kept[kKeptBlocks];

void* TakeKept(size_t bytes) {
    for (void*& block : kept) {
        if (block && __sanitizer_get_allocated_size(block) == bytes) {
            void* found = block;
            block = nullptr;
            std::memset(found, 0xbe, bytes < kScribbled ? bytes : kScribbled);
            return found;
        }
    }
    return nullptr;
}

bool Keep(void* block) {
    for (void*& slot : kept) {
        if (!slot) {
            slot = block;
            return true;
        }
    }
    return false;
}

} // namespace

// tests/support/AllocationFaults.cpp: the allocation that fails on demand.
bool AllocationFaultDue();

void* MemAlloc(size_t bytes) {
    if (AllocationFaultDue())
        return nullptr;
    if (bytes == 0)
        bytes = 1;
    if (bytes >= kKeptSize)
        if (void* block = TakeKept(bytes))
            return block;
    return std::malloc(bytes);
}

void* MemAllocZeroed(size_t bytes) {
    void* block = MemAlloc(bytes);
    if (block)
        std::memset(block, 0, bytes);
    return block;
}

void MemFree(void* block) {
    if (block && __sanitizer_get_allocated_size(block) >= kKeptSize && Keep(block))
        return;
    std::free(block);
}
