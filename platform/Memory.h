// Every C-heap allocation of the library goes through MemAlloc, so that the test build can make any one of
// them fail.
#pragma once

#include <cstddef>

void* MemAlloc(size_t bytes);
void* MemAllocZeroed(size_t bytes);
void MemFree(void* block);
// Frees a block of `bytes` bytes from MemAlloc; a large one is kept by this thread for the next MemAlloc of
// the same size (see platform/KeptBlocks.h).
void MemFreeSized(void* block, size_t bytes);
