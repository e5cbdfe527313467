// The modern interface: loading from files and from memory, diagnostics as data, conversions with the classic
// handle, the saved bytes and checked saving.
#include <gtest/gtest.h>

#include <brevant/catalogue.hpp>

#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/BinaryIni.h"
#include "support/Captured.h"
#include "support/HoopFields.h"
#include <brevant/Brevant.h>

using brevant::Catalogue;
using brevant::Diagnostic;
using brevant::DiagnosticKind;
using brevant::Format;
using brevant::LoadError;
using brevant::LoadFailure;

namespace {

const std::string kSample = std::string(BREVANT_SOURCE_DIR) + "/examples/hoops";

std::string Listed(const std::vector<Diagnostic>& diagnostics) {
    std::string listed;
    for (const Diagnostic& d : diagnostics)
        listed +=
            std::to_string(static_cast<int>(d.kind)) + "@" + std::to_string(d.line) + " " + d.text + "\n";
    return listed;
}

// What a load gives, as text: the hoops through the classic getters and the diagnostics, or the failure.
std::string Outcome(const std::function<Catalogue()>& load) {
    try {
        Catalogue catalogue = load();
        CINIHoop classic;
        catalogue.to_classic(classic);
        std::string fields;
        for (const HoopField& field : HoopFields(classic))
            fields += field.first + "=" + field.second + "\n";
        return fields + Listed(catalogue.diagnostics());
    } catch (const LoadError& error) {
        return "failed " + std::to_string(static_cast<int>(error.failure())) + "\n" +
               Listed(error.diagnostics());
    }
}

// What the classic handle gives for a file: its hoops and what it printed, in the same terms.
std::string ClassicOutcome(const std::string& path) {
    CINIHoop classic;
    int loaded = 0;
    std::string printed = CapturedDiagnostics([&] { loaded = classic.Load(path.c_str()); });
    std::string fields;
    for (const HoopField& field : loaded ? HoopFields(classic) : std::vector<HoopField>())
        fields += field.first + "=" + field.second + "\n";
    return std::to_string(loaded) + "\n" + fields + printed;
}

std::string ModernAsClassic(const std::function<Catalogue()>& load) {
    std::string printed;
    try {
        Catalogue catalogue = load();
        CINIHoop classic;
        catalogue.to_classic(classic);
        std::string fields;
        for (const HoopField& field : HoopFields(classic))
            fields += field.first + "=" + field.second + "\n";
        for (const Diagnostic& d : catalogue.diagnostics())
            printed += "\n" + d.text;
        return "1\n" + fields + printed;
    } catch (const LoadError& error) {
        for (const Diagnostic& d : error.diagnostics())
            printed += "\n" + d.text;
        return "0\n" + printed;
    }
}

// A random change of a few bytes, lines or the length of a file.
std::string Mutate(std::string bytes, std::mt19937& random) {
    const char alphabet[] = "[]=,\"';$%#.-0123456789abcdefhoopsmount\r\n\t \xFF\x00";
    int changes = 1 + static_cast<int>(random() % 4);
    for (int c = 0; c < changes && !bytes.empty(); ++c) {
        size_t at = random() % bytes.size();
        switch (random() % 5) {
        case 0:
            bytes[at] = alphabet[random() % (sizeof alphabet - 1)];
            break;
        case 1:
            bytes.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]);
            break;
        case 2:
            bytes.erase(at, 1 + random() % 40);
            break;
        case 3:
            bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 200));
            break;
        default:
            bytes.resize(at);
        }
    }
    return bytes;
}

} // namespace

// The same bytes from a file and from memory give the same catalogue and the same diagnostics, and both agree
// with the classic handle's load of the file.
TEST(Catalogue, FileAndMemoryAgreeOnMutatedSamples) {
    TempDir dir;
    std::mt19937 random(13);
    for (const char* extension : {".ini", ".inb"}) {
        std::string sample = ReadFileBytes(kSample + extension);
        ASSERT_FALSE(sample.empty());
        for (int round = 0; round < 150; ++round) {
            std::string bytes = round == 0 ? sample : Mutate(sample, random);
            std::string path = dir.Write(std::string("m") + extension, bytes);
            std::string fromFile = Outcome([&] { return Catalogue::load(path); });
            ASSERT_EQ(fromFile, Outcome([&] { return Catalogue::from_bytes(bytes); })) << extension << round;
            // The classic handle picks the form by the extension; the content agrees with it here unless
            // the mutation hit the descriptors.
            if ((bytes.compare(0, 6, std::string("INB\x08\x0D\x01", 6)) == 0) == (extension[3] == 'b')) {
                ASSERT_EQ(ModernAsClassic([&] { return Catalogue::load(path); }), ClassicOutcome(path))
                    << extension << round;
            }
        }
    }
}

TEST(Catalogue, LoadReportsFailuresAndDiagnostics) {
    BinaryIni damaged;
    damaged.Section("hoops").Ints("id", {1}).Last().nameLength = 0;
    std::string binarySample = ReadFileBytes(kSample + ".inb");
    struct Case {
        const char* name;
        std::string bytes;
        Format format;
        std::string outcome; // the failure, or the number of hoops; then each diagnostic's kind and line
    };
    const std::vector<Case> cases = {
        {"faulty lines", "[hoops]\nx=$1,,$2\n[hoops.hoop0]\nbad\n", Format::detect, "1 hoops;1@2 1@4 4@0 "},
        {"not a catalogue", "[other]\n", Format::detect, "failed 2;4@0 "},
        {"empty", "", Format::detect, "failed 2;4@0 "},
        {"damaged binary", damaged.Bytes(), Format::detect, "failed 1;3@0 3@0 "},
        {"binary detected", binarySample, Format::detect, "13 hoops;4@0 "},
        {"binary read as text", binarySample.substr(0, 40), Format::text, "failed 2;1@1 3@0 4@0 "},
        {"text read as binary", "[hoops]\ntext=\"\"\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n", Format::binary,
         "failed 1;3@0 3@0 "},
        {"short descriptors", "INB\x08\x0D", Format::detect, "failed 2;1@1 4@0 "},
    };
    for (const Case& c : cases) {
        std::string outcome;
        try {
            Catalogue catalogue = Catalogue::from_bytes(c.bytes, c.format);
            outcome = std::to_string(catalogue.hoops.size()) + " hoops;";
            for (const Diagnostic& d : catalogue.diagnostics())
                outcome += std::to_string(static_cast<int>(d.kind)) + "@" + std::to_string(d.line) + " ";
        } catch (const LoadError& error) {
            outcome = "failed " + std::to_string(static_cast<int>(error.failure())) + ";";
            for (const Diagnostic& d : error.diagnostics())
                outcome += std::to_string(static_cast<int>(d.kind)) + "@" + std::to_string(d.line) + " ";
        }
        EXPECT_EQ(outcome, c.outcome) << c.name;
    }
    // Nothing reaches standard error, and a missing file names the system's reason.
    EXPECT_EQ(CapturedDiagnostics([] { EXPECT_ANY_THROW(Catalogue::from_bytes("[x]\nbad\n")); }), "");
    try {
        Catalogue::load("/nonexistent/hoops.ini");
        FAIL();
    } catch (const LoadError& error) {
        EXPECT_EQ(error.failure(), LoadFailure::cannot_open);
        EXPECT_EQ(error.system_error(), ENOENT);
        EXPECT_TRUE(error.diagnostics().empty());
        EXPECT_STREQ(error.what(), "/nonexistent/hoops.ini: No such file or directory");
    }
}

// The classic handle and the value types carry the same fields both ways, extreme numbers and empty texts
// included; to_bytes gives what SaveAs writes.
TEST(Catalogue, ConvertsWithTheClassicHandleAndSavesItsBytes) {
    brevant::Hoop hoop;
    hoop.description = "Jumbo \xC3\xA9";
    hoop.rotation = INT_MIN;
    hoop.points = {{1, -2}, {INT_MAX, INT_MIN}};
    hoop.sew_field = {-1, 2, -3, 4};
    hoop.inner_dim = {5, 6, 7, INT_MIN};
    hoop.outer_dim = {INT_MAX, 0, 0, 9};
    hoop.mounts = {{"Left", 7, 90, -1, 1, INT_MIN, INT_MAX}, {"", 0, 0, 0, 0, 0, 0}};
    Catalogue made({brevant::Hoop{}, hoop});

    CINIHoop classic;
    CapturedDiagnostics([&] { ASSERT_EQ(classic.Load((kSample + ".ini").c_str()), 1); });
    CINIHoop sharing;
    sharing = classic;
    made.to_classic(classic);
    EXPECT_EQ(sharing.GetHoopCount(), 13); // the handle that shared the old catalogue keeps it
    std::vector<HoopField> fields = HoopFields(classic);
    EXPECT_NE(std::find(fields.begin(), fields.end(),
                        HoopField{"hoop 1 mount 0 limits", "-1,1,-2147483648,2147483647"}),
              fields.end());
    Catalogue back = Catalogue::from_classic(classic);
    EXPECT_EQ(back.hoops, made.hoops);
    EXPECT_TRUE(back.diagnostics().empty());

    TempDir dir;
    std::string path = dir.Path("classic.ini");
    ASSERT_EQ(classic.SaveAs(path.c_str()), 1);
    EXPECT_EQ(made.to_bytes(), ReadFileBytes(path));
    Catalogue sample = Catalogue::load(kSample + ".ini");
    ASSERT_EQ(sample.hoops.size(), 13u);
    CapturedDiagnostics([&] { ASSERT_EQ(classic.Load((kSample + ".ini").c_str()), 1); });
    ASSERT_EQ(classic.SaveAs(path.c_str()), 1);
    EXPECT_EQ(sample.to_bytes(), ReadFileBytes(path));
    EXPECT_EQ(Catalogue::from_bytes(sample.to_bytes()).hoops, sample.hoops);

    CINIHoop empty; // no catalogue at all
    EXPECT_TRUE(Catalogue::from_classic(empty).hoops.empty());
    EXPECT_EQ(Catalogue().to_bytes(), "[hoops]\r\ntext=\"\"\r\n\r\n");
}
