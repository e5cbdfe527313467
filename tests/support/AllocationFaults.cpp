#include "support/AllocationFaults.h"

namespace {
// Per thread: a test counts and fails the allocations of its own thread, whatever other threads do.
thread_local long failAt = 0;
thread_local long calls = 0;
} // namespace

// Called by MemAlloc before each allocation.
bool AllocationFaultDue() {
    ++calls;
    return failAt != 0 && calls == failAt;
}

void MemFailAt(long n) {
    failAt = n;
    calls = 0;
}

long MemCallCount() {
    return calls;
}
