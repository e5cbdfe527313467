#include "platform/Memory.h"

#include "platform/KeptBlocks.h"

#include <cstdlib>
#include <cstring>

#ifdef BREVANT_ALLOCATION_FAULTS
// Only in the library that the tests link: the tests' own code decides which allocation fails.
bool AllocationFaultDue();
#endif

void* MemAlloc(size_t bytes) {
#ifdef BREVANT_ALLOCATION_FAULTS
    if (AllocationFaultDue())
        return nullptr;
#endif
    if (void* kept = TakeKeptBlock(bytes))
        return kept;
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void* MemAllocZeroed(size_t bytes) {
    void* block = MemAlloc(bytes);
    if (block)
        std::memset(block, 0, bytes);
    return block;
}

void MemFree(void* block) {
    std::free(block);
}
