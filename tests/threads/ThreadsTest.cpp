// Different catalogues on different threads at once: loads from files and from memory, edits, saves, and
// the diagnostics of each thread's own loads, heard by that thread's sink alone. Built apart from the other
// tests, so that CI can run it under ThreadSanitizer quickly.
#include <gtest/gtest.h>

#include <brevant/Brevant.h>
#include <brevant/catalogue.hpp>
#include <brevant/diagnostics.h>

#include <string>
#include <thread>
#include <vector>

#include "support/Captured.h"

namespace {

const std::string kSample = std::string(BREVANT_SOURCE_DIR) + "/examples/hoops";

void CountErrors(void* user, brevant_diagnostic_kind kind, int, const char*, size_t) {
    if (kind == BREVANT_DIAGNOSTIC_ERROR)
        ++*static_cast<int*>(user);
}

// One thread's work: its own file with `faults` faulty lines, loaded, edited and saved through both
// interfaces; answers what went wrong, or "".
std::string Work(const TempDir& dir, int thread, const std::string& sample) {
    std::string name = "t" + std::to_string(thread);
    std::string faulty = sample +
                         std::string("bad\n", 4).append(std::string(static_cast<size_t>(thread), '\n')) +
                         std::string(static_cast<size_t>(thread), 'x') + "\n";
    std::string path = dir.Write(name + ".ini", faulty);
    int errors = 0;
    brevant_set_diagnostic_sink(CountErrors, &errors);
    for (int round = 0; round < 8; ++round) {
        brevant::Catalogue fromFile = brevant::Catalogue::load(path);
        brevant::Catalogue fromMemory = brevant::Catalogue::from_bytes(faulty);
        if (fromFile.hoops != fromMemory.hoops ||
            fromFile.diagnostics().size() != fromMemory.diagnostics().size())
            return "file and memory differ";
        CINIHoop faultyClassic;
        faultyClassic.Load(path.c_str());
        fromFile.hoops[0].description = name + " round " + std::to_string(round);
        fromFile.hoops[0].mounts.push_back(brevant::Mount{name, thread, 0, -thread, thread, 0, 0});
        fromFile.save(dir.Path(name + ".saved.ini"));

        CINIHoop classic;
        if (!classic.Load(dir.Path(name + ".saved.ini").c_str()))
            return "classic load failed";
        classic.SetHoopMountLowX(0, classic.GetHoopMountCount(0) - 1, -2 * thread);
        classic.SaveAs(dir.Path(name + ".classic.ini").c_str());
        brevant::Catalogue back = brevant::Catalogue::from_classic(classic);
        if (back.hoops[0].description != fromFile.hoops[0].description ||
            back.hoops[0].mounts.back().low_x != -2 * thread)
            return "edit lost";
        if (brevant::Catalogue::load(dir.Path(name + ".classic.ini")).hoops != back.hoops)
            return "saved catalogue differs";
    }
    brevant_set_diagnostic_sink(nullptr, nullptr);
    // Each round's classic load of the faulty file reports its faulty lines, through this thread's sink only.
    int expected = 8 * (thread == 0 ? 1 : 2);
    return errors == expected
               ? ""
               : "heard " + std::to_string(errors) + " errors, not " + std::to_string(expected);
}

} // namespace

TEST(Threads, LoadEditAndSaveDifferentCataloguesAtOnce) {
    TempDir dir;
    std::string sample = ReadFileBytes(kSample + ".ini");
    const int threads = 4;
    std::vector<std::string> outcomes(threads);
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t)
        running.emplace_back([&, t] { outcomes[t] = Work(dir, t, sample); });
    for (std::thread& thread : running)
        thread.join();
    for (int t = 0; t < threads; ++t)
        EXPECT_EQ(outcomes[t], "") << "thread " << t;
    EXPECT_EQ(brevant_get_diagnostic_sink(nullptr),
              nullptr); // the other threads' sinks were never this one's
}
