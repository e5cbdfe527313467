// Exhausted memory at every allocation of a load, a save, a clone and an append: each run makes the n-th
// allocation fail, for n = 1, 2, ... until the operation no longer reaches an n-th allocation. Every run must
// give the result and the messages of the allocation that failed and leave the catalogue complete or as the
// failure allows; nothing may leak (the sanitizer build checks that at exit).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/AllocationFaults.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"
#include "support/HoopFields.h"

namespace {

using Fields = std::vector<HoopField>;

// The fields that differ; a different structure (hoop or mount count) shows as that count alone.
std::vector<std::string> Differences(const Fields& expected, const Fields& actual) {
    std::vector<std::string> differences;
    for (size_t k = 0; k < expected.size() && k < actual.size(); ++k) {
        if (expected[k].first != actual[k].first)
            return {"structure at " + expected[k].first};
        if (expected[k].second != actual[k].second)
            differences.push_back(expected[k].first);
    }
    if (expected.size() != actual.size() && differences.empty())
        differences.push_back("structure");
    return differences;
}

struct FailedRun {
    long n;       // the allocation that failed
    bool reached; // the operation made at least n allocations
    int result;
    std::string messages;
};

// The complete catalogue after a run that lost nothing (did not reach the failing allocation), else at most
// one lost copy of a text or a point array: one text or one point list became empty, or, after a load
// (`outline`), the first hoop's points became the default outline. (A lost empty text shows no difference.)
void ExpectOneLostCopy(const Fields& expected, CINIHoop& actual, bool outline, const FailedRun& run) {
    Fields fields = HoopFields(actual);
    std::vector<std::string> differences = Differences(expected, fields);
    long n = run.n;
    ASSERT_LE(differences.size(), run.reached ? 1u : 0u) << "allocation " << n;
    if (differences.empty())
        return;
    const std::string& name = differences[0];
    std::string now;
    for (const HoopField& field : fields)
        now = field.first == name ? field.second : now;
    std::smatch kind;
    ASSERT_TRUE(std::regex_search(name, kind, std::regex("(description|shape|label|points)$")))
        << "allocation " << n << " changed " << name;
    if (outline && name == "hoop 0 points")
        EXPECT_TRUE(now.empty() || now == DefaultOutline(actual)) << "allocation " << n << ": " << now;
    else
        EXPECT_EQ(now, "") << "allocation " << n << " changed " << name;
}

// Calls `prepare` (not counted) and then `act` with the n-th allocation failing, for n = 1, 2, ... until
// `act` makes fewer than n allocations; `check` sees each run. Answers the allocations of a whole run.
long FailEachAllocation(const std::function<void()>& prepare, const std::function<int()>& act,
                        const std::function<void(const FailedRun&)>& check) {
    for (long n = 1; n < 100000; ++n) {
        prepare();
        FailedRun run{n, false, 0, ""};
        MemFailAt(n);
        run.messages = CapturedDiagnostics([&] { run.result = act(); });
        run.reached = MemCallCount() >= n;
        MemFailAt(0);
        check(run);
        if (::testing::Test::HasFatalFailure() || !run.reached)
            return n - 1;
    }
    ADD_FAILURE() << "the operation never stopped allocating";
    return 0;
}

// Large enough that the document takes several storage blocks and grows its name indexes, so that sections,
// value records and value elements all meet a failing allocation somewhere.
std::string TextSample() {
    std::string text = "[hoops]\n[notes]\n";
    for (int k = 0; k < 14; ++k)
        text += "note" + std::to_string(k) + "=" + std::to_string(k) + "\n";
    text +=
        "[hoops.hoop0]\ndescription=\"Oval 140x200\"\nshape=\"oval\"\npoints=-700,0,0,1000,700,0,0,-1000\n"
        "[hoops.hoop0.sewfield]\nrect=-600,900,600,-900\n[hoops.hoop0.innerdim]\nrect=-700,1000,700,-1000\n"
        "[hoops.hoop0.outerdim]\nrect=-800,1100,800,-1100\n[hoops.hoop0.mounts.mount0]\nid=1\n"
        "label=\"Left\"\nrotation=90\nlowhighxy=-50,50,-900,900\n[hoops.hoop1]\ndescription=\"" +
        std::string(3000, 'd') + "\"\nshape=\"square\"\npoints=0";
    for (int k = 1; k < 1000; ++k)
        text += "," + std::to_string(k);
    text +=
        "\n[hoops.hoop1.sewfield]\nrect=-10,10,10,-10\n[hoops.hoop1.mounts.mount0]\nid=2\nlabel=\"Right\"\n"
        "rotation=270\nlowhighxy=0,0,-100,100\n";
    for (int k = 2; k < 6; ++k) {
        std::string hoop = "[hoops.hoop" + std::to_string(k);
        text += hoop + "]\nshape=\"more\"\n" + hoop + ".sewfield]\nrect=1,2,3,4\n" + hoop +
                ".outerdim]\nrect=5,6,7,8\n";
    }
    return text;
}

std::string BinarySample() {
    BinaryIni file;
    file.Section("hoops");
    auto& notes = file.Section("notes");
    for (int k = 0; k < 14; ++k)
        notes.Ints("note" + std::to_string(k), {k});
    file.Section("hoops.hoop0").String("description", "Oval").Ints("points", {-700, 0, 0, 1000, 700, 0});
    file.Section("hoops.hoop0.sewfield").Ints("rect", {-600, 900, 600, -900});
    file.Section("hoops.hoop0.mounts.mount0").String("label", "Left").Ints("lowhighxy", {-50, 50, -900, 900});
    file.Section("hoops.hoop1")
        .String("description", std::string(3000, 'd'))
        .Ints("points", std::vector<int32_t>(1000, 9));
    for (int k = 2; k < 8; ++k)
        file.Section("hoops.hoop" + std::to_string(k)).String("shape", "more");
    return file.Bytes();
}

std::string WithoutLine(const std::string& text, int line) {
    std::istringstream in(text);
    std::string result, each;
    for (int number = 1; std::getline(in, each); ++number)
        if (number != line)
            result += each + "\n";
    return result;
}

// The result of a load first, then the catalogue.
Fields Loaded(int result, CINIHoop& hoops) {
    Fields fields = HoopFields(hoops);
    fields.insert(fields.begin(), {"result", std::to_string(result)});
    return fields;
}

Fields LoadQuietly(const std::string& bytes, const char* name = "quiet.ini") {
    CINIHoop hoops;
    return Loaded(LoadHoops(hoops, bytes, name), hoops);
}

// The catalogue of a complete load.
Fields LoadedFully(const std::string& bytes, const char* name) {
    Fields fields = LoadQuietly(bytes, name);
    EXPECT_EQ(fields[0].second, "1");
    return Fields(fields.begin() + 1, fields.end());
}

const std::string kSummary = "\nLoaded INI file - Errors <0000> Warnings <0000>.";
const std::string kBinaryLoaded = "\nBinary INI file loaded.";
const std::string kCreateFailed =
    "\nFailure : CINIFile::Create() > Could not allocate memory for opLink instance of SINIFilePool!";
const std::string kCreateLoadFailed = kCreateFailed + "\nFailure : CINIFile::Load() > Create() failed!";
const std::string kSectionFailed =
    "\nFailure : CINIFile::SectionAdd() > Could not allocate opSection instance memory of SINISectionPool!";
const std::string kNodeFailed =
    "\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate opValue instance of CINIValue!";
const std::string kElementsFailed =
    "\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate value elements!";

// A run that failed inside the document: the catalogue is the one of the file without the line that the
// failed section or value came from.
void ExpectLineDropped(const std::string& sample, const FailedRun& run, CINIHoop& hoops) {
    Fields actual = Loaded(run.result, hoops);
    std::smatch line;
    static const std::regex kSectionMessages(
        R"(\nFailure : CINIFile::SectionAdd\(\) > Could not allocate opSection instance memory of SINISectionPool!)"
        R"(\nFailure : INISourceCheckIsSection\(\) > CINIFile::SectionAdd\(\) failed on section name \[([^\]]+)\]!)"
        R"(\nError : Line <(\d{4})> - Could not add section \[([^\]]+)\] to INI tree, section may already exist\?\.)"
        R"(\nLoaded INI file - Errors <0001> Warnings <0000>\.)");
    static const std::regex kValueMessages(
        R"(\nFailure : CINIFile::ValueAdd\(\) > Not enough memory to allocate )"
        R"((opValue instance of CINIValue|value elements)!)"
        R"(\nFailure : INISourceStore(Decimal|String)Values\(\) > CINIFile::ValueAdd\(\) failed!)"
        R"(\nLoaded INI file - Errors <0000> Warnings <0000>\.)");
    int first = 1, last = static_cast<int>(std::count(sample.begin(), sample.end(), '\n'));
    if (std::regex_match(run.messages, line, kSectionMessages)) {
        EXPECT_EQ(line[1], line[3]);
        first = last = std::stoi(line[2]);
    } else {
        ASSERT_TRUE(std::regex_match(run.messages, kValueMessages))
            << "allocation " << run.n << ":" << run.messages;
    }
    // A value's message names no line: one of the lines must account for the catalogue.
    for (int number = first; number <= last; ++number) {
        if (Differences(LoadQuietly(WithoutLine(sample, number)), actual).empty())
            return;
    }
    ADD_FAILURE() << "allocation " << run.n << ": no single dropped line gives this catalogue";
}

TEST(AllocationFailure, TextLoadFailsCleanlyOrDropsOneLine) {
    std::string sample = TextSample();
    TempDir dir;
    std::string path = dir.Write("sample.ini", sample);
    Fields full = LoadedFully(sample, "full.ini");
    std::unique_ptr<CINIHoop> hoops;
    auto check = [&](const FailedRun& run) {
        const std::string& m = run.messages;
        for (const std::string& failure : {kSectionFailed, kNodeFailed, kElementsFailed})
            if (m.find(failure) != std::string::npos)
                return ExpectLineDropped(sample, run, *hoops);
        // Failed: the handle's records, its document, the loader's work record, a work array of the reader.
        if (run.result == 0) {
            EXPECT_EQ(hoops->InsertHoop("x", "y"), -1) << "allocation " << run.n; // no catalogue
            EXPECT_TRUE(m.empty() || m == kSummary || m == kCreateLoadFailed ||
                        m == "\nFailure : INISourceLoadData() > Could not allocate opLine instance of "
                             "SINISourceLine!\nFailure : CINIFile::Load() > INISourceLoadData() failed!")
                << "allocation " << run.n << ":" << m;
            return;
        }
        EXPECT_EQ(m, kSummary) << "allocation " << run.n;
        ExpectOneLostCopy(full, *hoops, true, run);
    };
    long allocations = FailEachAllocation([&] { hoops = std::make_unique<CINIHoop>(); },
                                          [&] { return hoops->Load(path.c_str()); }, check);
    EXPECT_GT(allocations, 10);
}

TEST(AllocationFailure, BinaryLoadFailsWholeOrLosesOneCopy) {
    TempDir dir;
    std::string path = dir.Write("sample.inb", BinarySample());
    Fields full = LoadedFully(BinarySample(), "full.inb");
    const std::string loadFailed = "\nFailure : CINIFile::Load() > INIBinaryLoadData() failed!";
    const std::string valueFailed =
        "\nFailure : INIBinaryLoadData() > CINIFile::ValueAdd() failed!" + loadFailed;
    static const std::regex kBuffer(
        R"(\nFailure : INIBinaryLoadData\(\) > Could not allocate <\d+Bytes> of )"
        R"(memory, load failed!\nFailure : CINIFile::Load\(\) > INIBinaryLoadData\(\) )"
        R"(failed!)");
    std::unique_ptr<CINIHoop> hoops;
    auto prepare = [&] { // a failed load also lets go of the catalogue that the handle held before
        hoops = std::make_unique<CINIHoop>();
        hoops->Create();
        hoops->InsertHoop("earlier", "one");
    };
    auto check = [&](const FailedRun& run) {
        const std::string& m = run.messages;
        if (run.result == 0) { // the binary loader fails on any failure of the document: nothing remains
            EXPECT_EQ(hoops->InsertHoop("x", "y"), -1) << "allocation " << run.n; // no catalogue
            EXPECT_TRUE(
                m.empty() || m == kBinaryLoaded || m == kCreateLoadFailed ||
                m == kSectionFailed +
                         "\nFailure : INIBinaryLoadData() > Could not load a section from the Binary INI "
                         "file!" +
                         loadFailed ||
                m == kNodeFailed + valueFailed || m == kElementsFailed + valueFailed ||
                std::regex_match(m, kBuffer))
                << "allocation " << run.n << ":" << m;
            return;
        }
        EXPECT_EQ(m, kBinaryLoaded) << "allocation " << run.n;
        ExpectOneLostCopy(full, *hoops, true, run);
    };
    EXPECT_GT(FailEachAllocation(
                  prepare, [&] { return hoops->Load(path.c_str()); }, check),
              10);
}

// ---- saving, cloning and appending ----

// A clone into a target that held a catalogue: a failure leaves no catalogue, or the copy complete but for
// one lost copy.
TEST(AllocationFailure, CloneFailsCleanlyOrLosesOneCopy) {
    CINIHoop source;
    LoadHoops(source, TextSample());
    Fields original = HoopFields(source);
    std::unique_ptr<CINIHoop> target;
    auto prepare = [&] {
        target = std::make_unique<CINIHoop>();
        target->Create();
        target->InsertHoop("replaced", "by the clone");
    };
    auto act = [&] { return source.CloneTo(target.get()); };
    long allocations = FailEachAllocation(prepare, act, [&](const FailedRun& run) {
        EXPECT_EQ(HoopFields(source), original) << "the source changed";
        if (run.result == 0) {
            EXPECT_EQ(target->InsertHoop("x", "y"), -1) << "allocation " << run.n; // no catalogue
            EXPECT_TRUE(run.messages.empty() || run.messages == kCreateFailed) << run.messages;
            return;
        }
        EXPECT_EQ(run.messages, "");
        ExpectOneLostCopy(original, *target, false, run);
    });
    EXPECT_GT(allocations, 4);
}

// An append that fails on any record leaves the target with exactly the hoops it had.
TEST(AllocationFailure, AppendAddsTheWholeHoopOrNothing) {
    CINIHoop source;
    LoadHoops(source, TextSample());
    std::unique_ptr<CINIHoop> target;
    auto prepare = [&] {
        target = std::make_unique<CINIHoop>();
        target->Create();
        target->InsertHoop("kept", nullptr);
    };
    long allocations = FailEachAllocation(
        prepare, [&] { return target->AppendHoop(&source, 0); },
        [&](const FailedRun& run) {
            EXPECT_EQ(target->GetHoopCount(), 1 + run.result) << "allocation " << run.n;
            if (run.result == 1) {
                EXPECT_EQ(target->GetHoopMountCount(1), source.GetHoopMountCount(0))
                    << "allocation " << run.n;
            }
        });
    EXPECT_GT(allocations, 4);
}

} // namespace
