#include "platform/Memory.h"

#include <cstdlib>
#include <cstring>

namespace {
long failAt = 0;
long calls = 0;
} // namespace

void* MemAlloc(size_t bytes) {
    ++calls;
    if (failAt != 0 && calls == failAt)
        return nullptr;
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

void MemFailAt(long n) {
    failAt = n;
    calls = 0;
}

long MemCallCount() {
    return calls;
}
