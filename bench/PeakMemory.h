// Memory figures of the running process: heap bytes in use (from the allocator) and resident set sizes
// (from /proc/self/status), for measuring what a loaded document or catalogue costs above a baseline.
#pragma once

#include <cstddef>

// Bytes the C heap has handed out and not yet taken back, including blocks served by mmap.
size_t HeapBytesInUse();
// VmRSS and VmHWM of /proc/self/status in bytes; 0 when they cannot be read.
size_t ResidentBytes();
size_t PeakResidentBytes();
// Resets the peak resident size to the current one; false when the kernel refuses.
bool ResetPeakResident();
