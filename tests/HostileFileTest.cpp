// Hostile files load in memory and work proportional to their size: many sections, long names on every line,
// full-length lists, headers and values repeated over and over, one hoop with many mounts, names crafted to
// collide in the name indexes. Each file is
// loaded at two sizes; the second, twice as large, may cost at most about twice the allocations and the heap
// of the first, and the heap stays within a fixed multiple of the file's size.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (gcc installs no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes(void);
#else
#include <malloc.h>
#endif

#include "ini/INIFile.h"
#include "ini/INIFileNameHash.h"
#include "ini/INIFileNameIndex.h"
#include "platform/KeptBlocks.h"
#include "support/AllocationFaults.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"
#include <brevant/INIHoop.h>

namespace {

// Bytes of the C heap in use now, without the freed blocks that the library keeps for the next load.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    size_t used = __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
    _HEAPINFO entry{};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        used += entry._useflag == _USEDENTRY ? entry._size : 0;
#else
    struct mallinfo2 info = mallinfo2();
    size_t used = info.uordblks + info.hblkhd;
#endif
    return used - KeptBlockBytes();
}

struct Cost {
    long allocations;
    size_t heap;  // held by the loaded document or catalogue
    size_t bytes; // of the file
};

// A hostile file of the given size, and what its load must give: the counts of sections, values and elements.
using Counts = std::array<long, 3>;
struct Hostile {
    const char* name;
    int size; // the smaller of the two sizes
    std::function<std::string(int)> text;
    std::function<Counts(long)> expected;
};

std::string Lines(int n, const std::function<std::string(int)>& line) {
    std::string text;
    for (int k = 0; k < n; ++k)
        text += line(k);
    return text;
}

// A list line of 8000 elements: close to the most that a line of 16383 characters holds.
std::string FullList(int k) {
    return "p" + std::to_string(k) + "=7" + Lines(7999, [](int) { return ",7"; }) + "\n";
}

// A name of 16381 characters that ends in the number n.
std::string LongName(char fill, int n) {
    std::string tag = std::to_string(n);
    return std::string(16381 - tag.size(), fill) + tag;
}

Counts Of(long sections, long values, long elements) {
    return {sections, values, elements};
}

const Hostile kHostileFiles[] = {
    {"ManySections", 50000,
     [](int n) { return Lines(n, [](int k) { return "[s" + std::to_string(k) + "]\nv=1\n"; }); },
     [](long n) { return Of(n, n, n); }},
    {"LongNameOnEveryLine", 40,
     [](int n) {
         return Lines(
             n, [](int k) { return k % 2 ? LongName('v', k) + "=1\n" : "[" + LongName('s', k) + "]\n"; });
     },
     [](long n) { return Of(n / 2, n / 2, n / 2); }},
    {"FullListOnEveryLine", 60, [](int n) { return "[lists]\n" + Lines(n, FullList); },
     [](long n) { return Of(1, n, 8000 * n); }},
    {"OneListReplacedOverAndOver", 60,
     [](int n) { return "[lists]\n" + Lines(n, [](int) { return FullList(0); }); },
     [](long) { return Of(1, 1, 8000); }},
};

class HostileFile : public ::testing::TestWithParam<Hostile> {
  protected:
    Cost Load(int n) {
        std::string text = GetParam().text(n);
        std::string path = dir_.Write("hostile.ini", text);
        CINIFile file;
        size_t before = HeapInUse();
        MemFailAt(0);
        int result = 0;
        CapturedDiagnostics([&] { result = file.Load(path.c_str()); });
        Cost cost{MemCallCount(), HeapInUse() - before, text.size()};
        EXPECT_EQ(result, 1);
        Counts found{};
        for (SINISectionPool* section = file.Root()->opFirstSection; section;
             section = section->opNext, ++found[0])
            for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext, ++found[1])
                found[2] += value->iCount;
        EXPECT_EQ(found, GetParam().expected(n));
        file.Destroy();
        return cost;
    }

    TempDir dir_;
};

TEST_P(HostileFile, LoadsInProportionToItsSize) {
    int n = GetParam().size;
    Cost small = Load(n);
    Cost large = Load(2 * n);
    EXPECT_LE(large.allocations, 2 * small.allocations + 8);
    EXPECT_LE(large.heap, small.heap * 5 / 2 + (1 << 20));
    EXPECT_LE(large.heap, 32 * large.bytes + (4 << 20)) << "heap " << large.heap << " for " << large.bytes;
}

INSTANTIATE_TEST_SUITE_P(Hostile, HostileFile, ::testing::ValuesIn(kHostileFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- hoop catalogues ----

std::string ManyMounts(int n) {
    std::string text = "[hoops]\n[hoops.hoop0]\ndescription=\"many mounts\"\n";
    for (int j = 0; j < n; ++j)
        text += "[hoops.hoop0.mounts.mount" + std::to_string(j) + "]\nid=" + std::to_string(j) +
                "\nlabel=\"m\"\nrotation=0\nlowhighxy=1,2,3,4\n";
    return text;
}

Cost LoadAndReleaseHoops(const TempDir& dir, const std::string& text, int mounts) {
    std::string path = dir.Write("mounts.ini", text);
    size_t before = HeapInUse();
    auto hoops = std::make_unique<CINIHoop>();
    MemFailAt(0);
    int result = 0;
    CapturedDiagnostics([&] { result = hoops->Load(path.c_str()); });
    Cost cost{MemCallCount(), HeapInUse() - before, text.size()};
    EXPECT_EQ(result, 1);
    EXPECT_EQ(hoops->GetHoopMountCount(0), mounts);
    EXPECT_EQ(hoops->GetHoopMountID(0, mounts - 1), mounts - 1);
    hoops.reset(); // lets every mount go, last first
    return cost;
}

// A hoop of many mounts loads with two allocations per mount, and letting the catalogue go walks its mount
// list once, not once per mount.
TEST(HostileHoopFile, ManyMountsLoadAndReleaseInProportion) {
    TempDir dir;
    const int n = 20000;
    Cost small = LoadAndReleaseHoops(dir, ManyMounts(n), n);
    Cost large = LoadAndReleaseHoops(dir, ManyMounts(2 * n), 2 * n);
    EXPECT_LE(large.allocations, 2 * small.allocations + 8);
    EXPECT_LE(large.allocations, 2L * 2 * n + 64); // a mount record and a label per mount
    EXPECT_LE(large.heap, small.heap * 5 / 2 + (1 << 20));
}

// The longest list that the binary form can state: 65535 elements, an odd count that gives the first hoop the
// default outline instead. One element fewer gives the second hoop 32767 points.
TEST(HostileHoopFile, LongestBinaryListLoads) {
    std::vector<int32_t> elements(65535);
    for (size_t k = 0; k < elements.size(); ++k)
        elements[k] = static_cast<int32_t>(k);
    BinaryIni file;
    file.Section("hoops");
    file.Section("hoops.hoop0").Ints("points", elements);
    elements.pop_back();
    file.Section("hoops.hoop1").Ints("points", elements);
    TempDir dir;
    std::string path = dir.Write("longest.inb", file.Bytes());
    CINIHoop hoops;
    ASSERT_EQ(hoops.Load(path.c_str()), 1);
    CArray<POINT, POINT> points;
    hoops.GetHoopPoints(1, &points);
    ASSERT_EQ(points.GetSize(), 32767);
    EXPECT_EQ(points[32766].x, 65532);
    EXPECT_EQ(points[32766].y, 65533);
    hoops.GetHoopPoints(0, &points);
    EXPECT_EQ(points.GetSize(), 5);
}

// ---- names crafted to collide ----

// `count` names that a hash under `key` puts on slot 0 of an index of `slots` slots: what a file could hold
// if the engine hashed names under a key known in advance.
std::vector<std::string> CraftedNames(size_t count, uint64_t key, uint32_t slots) {
    std::vector<std::string> names;
    std::string name = "n0";
    while (names.size() < count) {
        if ((HashNoCaseKeyed(name.data(), name.size(), key) & (slots - 1)) == 0)
            names.push_back(name);
        size_t digit = name.size() - 1; // count up in decimal
        while (digit > 0 && name[digit] == '9')
            name[digit--] = '0';
        if (digit == 0)
            name.insert(1, "1");
        else
            ++name[digit];
    }
    return names;
}

// Names that would all share one home slot under a known key load into indexes whose entries lie close to
// their homes: three thousand names in 4096 slots, where one shared home would put the last name 2999 slots
// away and make the load quadratic.
TEST(HostileNames, CraftedCollisionsLeaveTheIndexesShortProbes) {
    const size_t n = 3000;
    std::vector<std::string> names = CraftedNames(n, 0, 4096);
    std::string sections, values = "[values]\n";
    for (const std::string& name : names) {
        sections += "[" + name + "]\nv=1\n";
        values += name + "=1\n";
    }
    TempDir dir;
    for (bool inSections : {true, false}) {
        std::string path = dir.Write("crafted.ini", inSections ? sections : values);
        CINIFile file;
        CapturedDiagnostics([&] { ASSERT_EQ(file.Load(path.c_str()), 1); });
        const NameIndex& index =
            inSections ? file.Root()->sectionIndex : file.Root()->opFirstSection->ValueIndex()->names;
        ASSERT_EQ(index.used, n);
        ASSERT_EQ(index.capacity, 4096u);
        name_index::ProbeDistances distances = inSections ? name_index::Distances<SINISectionPool>(index)
                                                          : name_index::Distances<SINIValuePool>(index);
        EXPECT_LE(distances.longest, 512u);
        EXPECT_LE(distances.total, 16 * n);
        EXPECT_TRUE(inSections ? INIFindSection(file.Root(), names.back().c_str(),
                                                HashNoCase(names.back().c_str())) != nullptr
                               : INIFindValue(file.Root()->opFirstSection, names[n / 2].c_str()) != nullptr);
        file.Destroy();
    }
}

} // namespace
