// Exhausted memory at an arbitrary allocation while a hoop catalogue is loaded from arbitrary bytes, cloned
// and appended to. The first two bytes of the input (big-endian) pick the allocation that fails, counted from
// the start of the load; the rest is the file, binary INI when it begins with "INB", INI text otherwise.
// Whatever fails, nothing leaks (LeakSanitizer checks every input), a failed load leaves the handle without a
// catalogue, a failed clone leaves its target without one and a failed append changes no hoop count.
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "support/AllocationFaults.h"

namespace {

// A handle without a catalogue is the only one that refuses to save.
bool HasCatalogue(CINIHoop& hoops) {
    return hoops.SaveAs(ScratchPath("probe.ini").c_str()) == 1;
}

// Arms the failure at allocation `failAt` counted from the first call; answers how many calls are left.
long Remaining(long failAt, long used) {
    return failAt > used ? failAt - used : 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLibraryDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    long failAt = long(data[0]) << 8 | data[1];
    data += 2;
    size -= 2;
    bool binary = size >= 3 && std::memcmp(data, "INB", 3) == 0;
    std::string input = ScratchPath(binary ? "input.inb" : "input.ini");
    FUZZ_EXPECT(WriteWholeFile(input, data, size));

    CINIHoop hoops;
    MemFailAt(failAt);
    int loaded = hoops.Load(input.c_str());
    long used = MemCallCount();
    MemFailAt(0);
    if (!loaded) {
        FUZZ_EXPECT(hoops.GetHoopCount() == 0 && !HasCatalogue(hoops));
        return 0;
    }
    int count = hoops.GetHoopCount();

    CINIHoop clone;
    MemFailAt(Remaining(failAt, used));
    int cloned = hoops.CloneTo(&clone);
    used += MemCallCount();
    MemFailAt(0);
    FUZZ_EXPECT(cloned ? clone.GetHoopCount() == count : !HasCatalogue(clone));

    if (count > 0) {
        int before = clone.GetHoopCount();
        MemFailAt(Remaining(failAt, used));
        int appended = clone.AppendHoop(&hoops, count - 1);
        MemFailAt(0);
        FUZZ_EXPECT(clone.GetHoopCount() == before + (appended ? 1 : 0));
    }
    return 0;
}
