#include "PeakMemory.h"

#include <cstdio>
#include <cstring>
#include <malloc.h>

namespace {

size_t StatusField(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    size_t kilobytes = 0;
    size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%zu", &kilobytes);
            break;
        }
    std::fclose(status);
    return kilobytes * 1024;
}

} // namespace

size_t HeapBytesInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

size_t ResidentBytes() {
    return StatusField("VmRSS");
}

size_t PeakResidentBytes() {
    return StatusField("VmHWM");
}

bool ResetPeakResident() {
    FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (!refs)
        return false;
    bool written = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && written;
}
