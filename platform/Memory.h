// Every C-heap allocation of the library goes through MemAlloc, so that a test build can make the n-th one
// fail.
#pragma once

#include <cstddef>

void* MemAlloc(size_t bytes);
void* MemAllocZeroed(size_t bytes);
void MemFree(void* block);

// Test hooks: the n-th MemAlloc from now on fails (n = 0 disables); the number of calls since the last
// arming.
void MemFailAt(long n);
long MemCallCount();
