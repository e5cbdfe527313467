// Allocation failures on demand, in the library that the tests and fuzzers link (built with
// BREVANT_ALLOCATION_FAULTS): every MemAlloc of the library is counted and the chosen one fails.
#pragma once

// The n-th MemAlloc from now on fails (n = 0: none fails) and the count starts again.
void MemFailAt(long n);
// The number of MemAlloc calls since the last MemFailAt.
long MemCallCount();
