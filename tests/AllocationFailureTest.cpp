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

#include "hoop/INIHoop.h"
#include "platform/Memory.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"

namespace {

// ---- catalogues as the getters show them, with the differences between two of them ----

struct Field {
    std::string name;  // "hoop 1 shape", "hoop 0 points", ...
    std::string value; // the field as text
};

std::string PointsText(CINIHoop& hoops, int i) {
    CArray<POINT, POINT> points;
    hoops.GetHoopPoints(i, &points);
    std::ostringstream text;
    for (int k = 0; k < points.GetSize(); ++k)
        text << points[k].x << "," << points[k].y << ";";
    return text.str();
}

std::string RectText(CINIHoop& hoops, int i, int (CINIHoop::*get)(int, CRect*)) {
    CRect rect;
    (hoops.*get)(i, &rect);
    std::ostringstream text;
    text << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    return text.str();
}

// Every field of every hoop, in a fixed order; the hoop count comes first.
std::vector<Field> Fields(CINIHoop& hoops) {
    std::vector<Field> fields{{"hoops", std::to_string(hoops.GetHoopCount())}};
    for (int i = 0; i < hoops.GetHoopCount(); ++i) {
        std::string hoop = "hoop " + std::to_string(i) + " ";
        CString description, shape;
        hoops.GetHoop(i, &description, &shape);
        fields.push_back({hoop + "description", description.GetString()});
        fields.push_back({hoop + "shape", shape.GetString()});
        fields.push_back({hoop + "points", PointsText(hoops, i)});
        fields.push_back({hoop + "sewfield", RectText(hoops, i, &CINIHoop::GetHoopSewField)});
        fields.push_back({hoop + "innerdim", RectText(hoops, i, &CINIHoop::GetHoopInnerDim)});
        fields.push_back({hoop + "outerdim", RectText(hoops, i, &CINIHoop::GetHoopOuterDim)});
        fields.push_back({hoop + "mounts", std::to_string(hoops.GetHoopMountCount(i))});
        for (int j = 0; j < hoops.GetHoopMountCount(i); ++j) {
            CString label;
            int f[6];
            hoops.GetHoopMount(i, j, &label, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
            std::string mount = hoop + "mount " + std::to_string(j) + " ";
            fields.push_back({mount + "label", label.GetString()});
            std::ostringstream numbers;
            for (int n : f)
                numbers << n << ",";
            fields.push_back({mount + "numbers", numbers.str()});
        }
    }
    return fields;
}

// The fields that differ; a different structure (hoop or mount count) shows as that count alone.
std::vector<std::string> Differences(const std::vector<Field>& expected, const std::vector<Field>& actual) {
    std::vector<std::string> differences;
    for (size_t k = 0; k < expected.size() && k < actual.size(); ++k) {
        if (expected[k].name != actual[k].name)
            return {"structure at " + expected[k].name};
        if (expected[k].value != actual[k].value)
            differences.push_back(expected[k].name);
    }
    if (expected.size() != actual.size() && differences.empty())
        differences.push_back("structure");
    return differences;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string ValueOf(const std::vector<Field>& fields, const std::string& name) {
    for (const Field& field : fields)
        if (field.name == name)
            return field.value;
    return "";
}

// The outline that the reader gives the first hoop without points of its own: four times its bounds.
std::string DefaultOutline(CINIHoop& hoops) {
    CRect b;
    hoops.GetHoopRect(0, &b);
    auto times4 = [](int v) { return static_cast<int>(static_cast<unsigned>(v) * 4u); };
    std::ostringstream text;
    int l = times4(b.left), t = times4(b.top), r = times4(b.right), bottom = times4(b.bottom);
    text << l << "," << t << ";" << r << "," << t << ";" << r << "," << bottom << ";" << l << "," << bottom
         << ";" << l << "," << t << ";";
    return text.str();
}

// A lost copy of a text or a point array: at most one text became empty or one point list became empty, or,
// after a load (`outline`), the first hoop's points became the default outline that the reader gives a first
// hoop without points. (A lost copy of an empty text shows no difference at all.)
void ExpectOneLostCopy(const std::vector<Field>& expected, CINIHoop& actual, bool outline, long n) {
    std::vector<Field> fields = Fields(actual);
    std::vector<std::string> differences = Differences(expected, fields);
    ASSERT_LE(differences.size(), 1u) << "allocation " << n;
    if (differences.empty())
        return;
    const std::string& name = differences[0];
    std::string now = ValueOf(fields, name);
    bool text = EndsWith(name, "description") || EndsWith(name, "shape") || EndsWith(name, "label");
    bool points = EndsWith(name, "points");
    ASSERT_TRUE(text || points) << "allocation " << n << " changed " << name;
    if (text || !outline || name != "hoop 0 points")
        EXPECT_EQ(now, "") << "allocation " << n << " changed " << name;
    else
        EXPECT_TRUE(now.empty() || now == DefaultOutline(actual)) << "allocation " << n << ": " << now;
}

// ---- running an operation with every allocation failing in turn ----

struct FailedRun {
    long n;       // the allocation that failed
    bool reached; // the operation made at least n allocations
    int result;
    std::string messages;
};

// Calls `prepare` (not counted) and then `act` with the n-th allocation failing, for n = 1, 2, ... until
// `act` makes fewer than n allocations; `check` sees each run. Answers the number of allocations of a whole
// run.
long FailEachAllocation(const std::function<void()>& prepare, const std::function<int()>& act,
                        const std::function<void(const FailedRun&)>& check) {
    const long kGiveUp = 100000;
    for (long n = 1; n < kGiveUp; ++n) {
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

// ---- the sample catalogues ----

// Large enough that the document takes several storage blocks and grows its name indexes, so that sections,
// value records and value elements all meet a failing allocation somewhere.
std::string TextSample() {
    std::string text = "[hoops]\n[notes]\n";
    for (int k = 0; k < 14; ++k)
        text += "note" + std::to_string(k) + "=" + std::to_string(k) + "\n";
    text += "[hoops.hoop0]\n"
            "description=\"Oval 140x200\"\n"
            "shape=\"oval\"\n"
            "points=-700,0,0,1000,700,0,0,-1000\n"
            "[hoops.hoop0.sewfield]\n"
            "rect=-600,900,600,-900\n"
            "[hoops.hoop0.innerdim]\n"
            "rect=-700,1000,700,-1000\n"
            "[hoops.hoop0.outerdim]\n"
            "rect=-800,1100,800,-1100\n"
            "[hoops.hoop0.mounts.mount0]\n"
            "id=1\n"
            "label=\"Left\"\n"
            "rotation=90\n"
            "lowhighxy=-50,50,-900,900\n"
            "[hoops.hoop1]\n"
            "description=\"" +
            std::string(3000, 'd') + "\"\nshape=\"square\"\npoints=";
    for (int k = 0; k < 1000; ++k)
        text += (k ? "," : "") + std::to_string(k);
    text += "\n[hoops.hoop1.sewfield]\n"
            "rect=-10,10,10,-10\n"
            "[hoops.hoop1.mounts.mount0]\n"
            "id=2\n"
            "label=\"Right\"\n"
            "rotation=270\n"
            "lowhighxy=0,0,-100,100\n";
    for (int k = 2; k < 6; ++k) {
        std::string hoop = "[hoops.hoop" + std::to_string(k);
        text += hoop + "]\nshape=\"more\"\n" + hoop + ".sewfield]\nrect=1,2,3,4\n" + hoop +
                ".outerdim]\nrect=5,6,7,8\n";
    }
    return text;
}

// The first hoop has no points and gets the default outline.
const char kOutlineSample[] = "[hoops]\n"
                              "[hoops.hoop0]\n"
                              "description=\"Outline\"\n"
                              "[hoops.hoop0.sewfield]\n"
                              "rect=-100,50,100,-50\n"
                              "[hoops.hoop2]\n"
                              "shape=\"second\"\n"
                              "points=5,6\n";

std::string BinarySample() {
    BinaryIni file;
    file.Section("hoops");
    auto& notes = file.Section("notes");
    for (int k = 0; k < 14; ++k)
        notes.Ints("note" + std::to_string(k), {k});
    file.Section("hoops.hoop0")
        .String("description", "Oval 140x200")
        .String("shape", "oval")
        .Ints("points", {-700, 0, 0, 1000, 700, 0, 0, -1000});
    file.Section("hoops.hoop0.sewfield").Ints("rect", {-600, 900, 600, -900});
    file.Section("hoops.hoop0.mounts.mount0")
        .Ints("id", {1})
        .String("label", "Left")
        .Ints("rotation", {90})
        .Ints("lowhighxy", {-50, 50, -900, 900});
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

int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

struct Loaded {
    int result;
    std::vector<Field> fields;
};

Loaded LoadQuietly(const TempDir& dir, const std::string& name, const std::string& bytes) {
    std::string path = dir.Write(name, bytes);
    CINIHoop hoops;
    Loaded loaded{0, {}};
    CapturedDiagnostics([&] { loaded.result = hoops.Load(path.c_str()); });
    loaded.fields = Fields(hoops);
    return loaded;
}

bool HasCatalogue(CINIHoop& hoops, const TempDir& dir) {
    return hoops.SaveAs(dir.Path("probe.ini").c_str()) == 1; // only a handle without a catalogue refuses
}

const std::string kSummary = "\nLoaded INI file - Errors <0000> Warnings <0000>.";
const std::string kBinaryLoaded = "\nBinary INI file loaded.";
const std::string kCreateFailed =
    "\nFailure : CINIFile::Create() > Could not allocate memory for opLink instance of SINIFilePool!";
const std::string kSectionFailed =
    "\nFailure : CINIFile::SectionAdd() > Could not allocate opSection instance memory of SINISectionPool!";
const std::string kNodeFailed =
    "\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate opValue instance of CINIValue!";
const std::string kElementsFailed =
    "\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate value elements!";

// ---- loading a catalogue from INI text ----

// A run that failed inside the document: the catalogue is the one of the file without the line that the
// failed section or value came from.
void ExpectLineDropped(const TempDir& dir, const std::string& sample, const FailedRun& run, CINIHoop& hoops) {
    Loaded actual{run.result, Fields(hoops)};
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
    if (std::regex_match(run.messages, line, kSectionMessages)) {
        EXPECT_EQ(line[1], line[3]);
        Loaded expected = LoadQuietly(dir, "dropped.ini", WithoutLine(sample, std::stoi(line[2])));
        EXPECT_EQ(expected.result, actual.result) << "allocation " << run.n;
        EXPECT_TRUE(Differences(expected.fields, actual.fields).empty()) << "allocation " << run.n;
        return;
    }
    ASSERT_TRUE(std::regex_match(run.messages, kValueMessages))
        << "allocation " << run.n << ":" << run.messages;
    // A value's message names no line: one of the value lines must account for the catalogue.
    for (int number = 1; number <= LineCount(sample); ++number) {
        Loaded expected = LoadQuietly(dir, "dropped.ini", WithoutLine(sample, number));
        if (expected.result == actual.result && Differences(expected.fields, actual.fields).empty())
            return;
    }
    ADD_FAILURE() << "allocation " << run.n << ": no single dropped line gives this catalogue";
}

void CheckTextLoad(const TempDir& dir, const std::string& sample, const std::vector<Field>& full,
                   const FailedRun& run, CINIHoop& hoops) {
    const std::string& m = run.messages;
    bool documentFailure = m.find(kSectionFailed) != std::string::npos ||
                           m.find(kNodeFailed) != std::string::npos ||
                           m.find(kElementsFailed) != std::string::npos;
    if (documentFailure) {
        ExpectLineDropped(dir, sample, run, hoops);
        return;
    }
    // Failed: the handle's records, its document, the loader's work record, a work array of the reader.
    if (run.result == 0) {
        EXPECT_FALSE(HasCatalogue(hoops, dir)) << "allocation " << run.n;
        EXPECT_TRUE(
            m.empty() || m == kSummary ||
            m == kCreateFailed + "\nFailure : CINIFile::Load() > Create() failed!" ||
            m == "\nFailure : INISourceLoadData() > Could not allocate opLine instance of SINISourceLine!"
                 "\nFailure : CINIFile::Load() > INISourceLoadData() failed!")
            << "allocation " << run.n << ":" << m;
        return;
    }
    EXPECT_EQ(m, kSummary) << "allocation " << run.n;
    if (!run.reached)
        EXPECT_TRUE(Differences(full, Fields(hoops)).empty());
    else
        ExpectOneLostCopy(full, hoops, true, run.n);
}

class TextLoadUnderFailures : public ::testing::TestWithParam<bool> {};

TEST_P(TextLoadUnderFailures, EveryAllocationFailsCleanly) {
    std::string sample = GetParam() ? kOutlineSample : TextSample();
    TempDir dir;
    std::string path = dir.Write("sample.ini", sample);
    Loaded full = LoadQuietly(dir, "full.ini", sample);
    ASSERT_EQ(full.result, 1);
    std::unique_ptr<CINIHoop> hoops;
    long allocations = FailEachAllocation(
        [&] { hoops = std::make_unique<CINIHoop>(); }, [&] { return hoops->Load(path.c_str()); },
        [&](const FailedRun& run) { CheckTextLoad(dir, sample, full.fields, run, *hoops); });
    EXPECT_GT(allocations, 10);
}

INSTANTIATE_TEST_SUITE_P(AllocationFailure, TextLoadUnderFailures, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DefaultOutline" : "OwnPoints"; });

// ---- loading a catalogue from binary INI ----

void CheckBinaryLoad(const TempDir& dir, const std::vector<Field>& full, const FailedRun& run,
                     CINIHoop& hoops) {
    const std::string loadFailed = "\nFailure : CINIFile::Load() > INIBinaryLoadData() failed!";
    const std::string valueFailed =
        "\nFailure : INIBinaryLoadData() > CINIFile::ValueAdd() failed!" + loadFailed;
    static const std::regex kBuffer(
        R"(\nFailure : INIBinaryLoadData\(\) > Could not allocate <\d+Bytes> of )"
        R"(memory, load failed!\nFailure : CINIFile::Load\(\) > INIBinaryLoadData\(\) )"
        R"(failed!)");
    const std::string& m = run.messages;
    if (run.result == 0) { // the binary loader fails on any failure of the document: nothing remains
        EXPECT_FALSE(HasCatalogue(hoops, dir)) << "allocation " << run.n;
        EXPECT_TRUE(
            m.empty() || m == kBinaryLoaded ||
            m == kCreateFailed + "\nFailure : CINIFile::Load() > Create() failed!" ||
            m == kSectionFailed +
                     "\nFailure : INIBinaryLoadData() > Could not load a section from the Binary INI file!" +
                     loadFailed ||
            m == kNodeFailed + valueFailed || m == kElementsFailed + valueFailed ||
            std::regex_match(m, kBuffer))
            << "allocation " << run.n << ":" << m;
        return;
    }
    EXPECT_EQ(m, kBinaryLoaded) << "allocation " << run.n;
    if (!run.reached)
        EXPECT_TRUE(Differences(full, Fields(hoops)).empty());
    else
        ExpectOneLostCopy(full, hoops, true, run.n);
}

TEST(AllocationFailure, BinaryLoadFailsWholeOrLosesOneCopy) {
    TempDir dir;
    std::string path = dir.Write("sample.inb", BinarySample());
    Loaded full = LoadQuietly(dir, "full.inb", BinarySample());
    ASSERT_EQ(full.result, 1);
    std::unique_ptr<CINIHoop> hoops;
    auto prepare = [&] { // a failed load also lets go of the catalogue that the handle held before
        hoops = std::make_unique<CINIHoop>();
        hoops->Create();
        hoops->InsertHoop("earlier", "one");
    };
    long allocations = FailEachAllocation(
        prepare, [&] { return hoops->Load(path.c_str()); },
        [&](const FailedRun& run) { CheckBinaryLoad(dir, full.fields, run, *hoops); });
    EXPECT_GT(allocations, 10);
}

// ---- saving, cloning and appending ----

CINIHoop* LoadSample(CINIHoop& hoops, const TempDir& dir) {
    std::string path = dir.Write("sample.ini", TextSample());
    CapturedDiagnostics([&] { hoops.Load(path.c_str()); });
    return &hoops;
}

// The writer's buffer is the only allocation of a save; without it the same bytes go out in smaller pieces.
TEST(AllocationFailure, SaveWritesTheSameBytesWhateverFails) {
    TempDir dir;
    CINIHoop hoops;
    LoadSample(hoops, dir);
    ASSERT_EQ(hoops.SaveAs(dir.Path("plain.ini").c_str()), 1);
    std::string expected = ReadFileBytes(dir.Path("plain.ini"));
    FailEachAllocation([] {}, [&] { return hoops.SaveAs(dir.Path("armed.ini").c_str()); },
                       [&](const FailedRun& run) {
                           EXPECT_EQ(run.result, 1);
                           EXPECT_EQ(run.messages, "");
                           EXPECT_TRUE(ReadFileBytes(dir.Path("armed.ini")) == expected)
                               << "allocation " << run.n;
                       });
}

TEST(AllocationFailure, CloneGivesNoCatalogueOrLosesOneCopy) {
    TempDir dir;
    CINIHoop source;
    LoadSample(source, dir);
    std::vector<Field> original = Fields(source);
    std::unique_ptr<CINIHoop> target;
    long allocations = FailEachAllocation(
        [&] {
            target = std::make_unique<CINIHoop>();
            target->Create();
            target->InsertHoop("replaced", "by the clone");
        },
        [&] { return source.CloneTo(target.get()); },
        [&](const FailedRun& run) {
            EXPECT_TRUE(Differences(original, Fields(source)).empty()) << "the source changed";
            if (run.result == 0) { // the target's new catalogue, its document, or a hoop or mount record
                EXPECT_FALSE(HasCatalogue(*target, dir)) << "allocation " << run.n;
                EXPECT_TRUE(run.messages.empty() || run.messages == kCreateFailed) << run.messages;
                return;
            }
            EXPECT_EQ(run.messages, "");
            if (!run.reached)
                EXPECT_TRUE(Differences(original, Fields(*target)).empty());
            else
                ExpectOneLostCopy(original, *target, false, run.n);
        });
    EXPECT_GT(allocations, 10);
}

// The source and the target of an append, and what the target held before.
struct AppendCase {
    const char* name;
    bool targetHasCatalogue;
};

class AppendUnderFailures : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendUnderFailures, HoopCountUnchangedOrOneHoopMore) {
    TempDir dir;
    CINIHoop source;
    LoadSample(source, dir);
    const int copied = 0; // the hoop with a mount, texts and points
    std::unique_ptr<CINIHoop> target;
    std::vector<Field> before, complete;
    auto prepare = [&] {
        target = std::make_unique<CINIHoop>();
        if (GetParam().targetHasCatalogue) {
            target->Create();
            target->InsertHoop("kept", "as it was");
        }
        before = Fields(*target);
    };
    prepare();
    ASSERT_EQ(target->AppendHoop(&source, copied), 1);
    complete = Fields(*target);
    long allocations = FailEachAllocation(
        prepare, [&] { return target->AppendHoop(&source, copied); },
        [&](const FailedRun& run) {
            if (run.result == 0) {
                EXPECT_TRUE(Differences(before, Fields(*target)).empty()) << "allocation " << run.n;
                EXPECT_TRUE(run.messages.empty() || run.messages == kCreateFailed) << run.messages;
                return;
            }
            EXPECT_EQ(run.messages, "");
            if (!run.reached)
                EXPECT_TRUE(Differences(complete, Fields(*target)).empty());
            else
                ExpectOneLostCopy(complete, *target, false, run.n);
        });
    EXPECT_GT(allocations, 4);
}

INSTANTIATE_TEST_SUITE_P(AllocationFailure, AppendUnderFailures,
                         ::testing::Values(AppendCase{"IntoCatalogue", true},
                                           AppendCase{"IntoEmptyHandle", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
