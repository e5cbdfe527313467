// Every C-heap allocation of the library goes through MemAlloc, so that the test build can make any one of them
// fail.
#pragma once

#include <cstddef>

void* MemAlloc(size_t bytes);
void* MemAllocZeroed(size_t bytes);
void MemFree(void* block);
