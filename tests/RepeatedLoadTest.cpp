// Loading the same file again and again keeps its memory: a load and its document give their large blocks
// back to the thread, which hands them to the next load, up to a bound, and never to another thread.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ini/INIFile.h"
#include "platform/KeptBlocks.h"
#include "platform/Memory.h"
#include "support/AllocationFaults.h"
#include "support/Captured.h"
#include <brevant/INIHoop.h>

namespace {

// Hoops with texts, points from the second one on, and a labelled mount each; the reader takes the first 512.
std::string Hoops(int n) {
    std::string text = "[hoops]\n";
    for (int k = 0; k < n; ++k)
        text += "[hoops.hoop" + std::to_string(k) + "]\ndescription=\"d\"\nshape=\"s\"\n" +
                (k ? "points=1,2\n" : "") + "[hoops.hoop" + std::to_string(k) +
                ".mounts.mount0]\nlabel=\"m\"\n";
    return text;
}

// The blocks kept after each of a few loads of the same file.
std::vector<size_t> KeptAfterLoads(const std::string& path, bool hoops) {
    std::vector<size_t> kept;
    for (int k = 0; k < 3; ++k) {
        CapturedDiagnostics([&] {
            if (hoops) {
                CINIHoop catalogue;
                EXPECT_EQ(catalogue.Load(path.c_str()), 1);
            } else {
                CINIFile document;
                EXPECT_EQ(document.Load(path.c_str()), 1);
                document.Destroy();
            }
        });
        kept.push_back(KeptBlockBytes());
    }
    return kept;
}

} // namespace

TEST(RepeatedLoad, TheSameFileReusesWhatTheLastLoadKept) {
    TempDir dir;
    std::string path = dir.Write("hoops.ini", Hoops(20000));
    for (bool hoops : {false, true}) {
        std::vector<size_t> kept = KeptAfterLoads(path, hoops);
        EXPECT_GT(kept[0], size_t(1) << 20);
        EXPECT_EQ(kept[1], kept[0]); // every kept block was taken again and given back once more
        EXPECT_EQ(kept[2], kept[0]);
    }
}

// A load makes its records, texts and points in one allocation: what a catalogue load allocates beyond its
// document does not grow with the hoops.
TEST(RepeatedLoad, ACatalogueTakesOneAllocationForItsRecords) {
    TempDir dir;
    long beyond[2] = {};
    for (int n : {1, 60}) {
        std::string path = dir.Write("hoops.ini", Hoops(n));
        for (bool hoops : {false, true}) {
            MemFailAt(0);
            KeptAfterLoads(path, hoops);
            beyond[n > 1] += hoops ? MemCallCount() : -MemCallCount();
        }
    }
    EXPECT_EQ(beyond[0], beyond[1]);
}

TEST(RepeatedLoad, KeptBlocksAreBoundedAndTheNewestStay) {
    std::thread([] {
        ASSERT_EQ(KeptBlockBytes(), 0u); // each thread keeps its own
        const size_t half = kKeptBytes / 2;
        void* blocks[3];
        for (void*& block : blocks)
            block = MemAlloc(half);
        for (void* block : blocks)
            MemFreeSized(block, half);
        EXPECT_EQ(KeptBlockBytes(), kKeptBytes);
        EXPECT_EQ(KeptBlockCount(), 2u);
        void* small = MemAlloc(kSmallestKeptBlock - 1);
        MemFreeSized(small, kSmallestKeptBlock - 1);
        EXPECT_EQ(KeptBlockCount(), 2u); // a small block goes straight back to the heap
        void* newest = MemAlloc(half);
        EXPECT_EQ(newest, blocks[2]);
        MemFree(newest);
        EXPECT_EQ(KeptBlockCount(), 1u);
        MemFreeSized(MemAlloc(kSmallestKeptBlock), kSmallestKeptBlock); // the smallest size is kept
        EXPECT_EQ(KeptBlockCount(), 2u);
    }).join();
}
