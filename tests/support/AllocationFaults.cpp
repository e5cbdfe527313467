#include "support/AllocationFaults.h"

namespace {
long failAt = 0;
long calls = 0;
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
