// The modern interface: loading from files and from memory, diagnostics as data, conversions with the classic
// handle, the saved bytes and checked saving.
#include <gtest/gtest.h>

#include <brevant/catalogue.hpp>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

std::string Fields(CINIHoop& classic) {
    std::string fields;
    for (const HoopField& field : HoopFields(classic))
        fields += field.first + "=" + field.second + "\n";
    return fields;
}

// Each diagnostic's kind and line, and its text when `withText`.
std::string Listed(const std::vector<Diagnostic>& diagnostics, bool withText) {
    std::string listed;
    for (const Diagnostic& d : diagnostics)
        listed += std::to_string(static_cast<int>(d.kind)) + "@" + std::to_string(d.line) +
                  (withText ? " " + d.text + "\n" : " ");
    return listed;
}

// What a load gives, as text: 1 and the hoops through the classic getters, or 0 and the failure; then the
// diagnostics, as `Listed` gives them or, `asClassic`, as the classic handle prints them.
std::string Outcome(const std::function<Catalogue()>& load, bool asClassic = false) {
    std::string outcome, printed;
    std::vector<Diagnostic> diagnostics;
    try {
        Catalogue catalogue = load();
        CINIHoop classic;
        catalogue.to_classic(classic);
        outcome = "1\n" + Fields(classic);
        diagnostics = catalogue.diagnostics();
    } catch (const LoadError& error) {
        outcome = asClassic ? "0\n" : "0 " + std::to_string(static_cast<int>(error.failure())) + "\n";
        diagnostics = error.diagnostics();
    }
    for (const Diagnostic& d : diagnostics)
        printed += "\n" + d.text;
    return outcome + (asClassic ? printed : Listed(diagnostics, true));
}

// What the classic handle gives for a file, in the same terms.
std::string ClassicOutcome(const std::string& path) {
    CINIHoop classic;
    int loaded = 0;
    std::string printed = CapturedDiagnostics([&] { loaded = classic.Load(path.c_str()); });
    return std::to_string(loaded) + "\n" + (loaded ? Fields(classic) : "") + printed;
}

// A random change of a few bytes, lines or the length of a file.
std::string Mutate(std::string bytes, std::mt19937& random) {
    const char alphabet[] = "[]=,\"';$%#.-0123456789abcdefhoopsmount\r\n\t \xFF\x00";
    for (int c = random() % 4; c >= 0 && !bytes.empty(); --c) {
        size_t at = random() % bytes.size();
        switch (random() % 4) {
        case 0:
            bytes.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]);
            break;
        case 1:
            bytes.erase(at, 1 + random() % 40);
            break;
        case 2:
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
                ASSERT_EQ(Outcome([&] { return Catalogue::load(path); }, true), ClassicOutcome(path))
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
            outcome =
                std::to_string(catalogue.hoops.size()) + " hoops;" + Listed(catalogue.diagnostics(), false);
        } catch (const LoadError& error) {
            outcome = "failed " + std::to_string(static_cast<int>(error.failure())) + ";" +
                      Listed(error.diagnostics(), false);
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
// included; to_bytes gives what SaveAs writes, so a mapping wrong both ways is caught too.
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
    Catalogue back = Catalogue::from_classic(classic);
    EXPECT_EQ(back.hoops, made.hoops);
    EXPECT_TRUE(back.diagnostics().empty());

    TempDir dir;
    std::string path = dir.Path("classic.ini");
    ASSERT_EQ(classic.SaveAs(path.c_str()), 1);
    EXPECT_EQ(made.to_bytes(), ReadFileBytes(path));

    CINIHoop empty; // no catalogue at all
    EXPECT_TRUE(Catalogue::from_classic(empty).hoops.empty());
}

#ifndef _WIN32
// Saves through links, permissions, process limits and identities, which the POSIX systems have; Windows
// saves in place are tested with their file names (FilePathsTest).
namespace {

// Runs `body` in a child process, so that what it does to its own limits and identity stays there, and
// answers its result (a small number).
int InChild(const std::function<int()>& body) {
    pid_t child = fork();
    if (child == 0) {
        alarm(30); // a save that never ends fails the test instead of hanging it
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// 0 when the save succeeds, otherwise 1 + the failure, with the system's error number checked.
int SaveFailureOf(const Catalogue& catalogue, const std::string& path, int expectedError) {
    try {
        catalogue.save(path);
        return 0;
    } catch (const brevant::SaveError& error) {
        return error.system_error() == expectedError ? 1 + static_cast<int>(error.failure()) : 99;
    }
}

// Every file, directory and link under `dir`, as relative paths.
std::vector<std::string> Entries(const std::string& dir) {
    const std::string base = dir.back() == '/' ? dir : dir + "/";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base))
        names.push_back(entry.path().string().substr(base.size()));
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

} // namespace

// A save replaces the file that the path finally names, keeps its permissions, and leaves no other file.
TEST(CatalogueSave, ReplacesTheTargetThroughLinks) {
    Catalogue sample = Catalogue::load(kSample + ".ini");
    const std::string bytes = sample.to_bytes();
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links; // link name, what it points to
        const char* saveTo;
        const char* target; // the regular file that gets the bytes
        mode_t mode;        // the target's permissions before, 0 when it does not exist
    };
    const std::vector<Case> cases = {
        {"new file", {}, "new.ini", "new.ini", 0},
        {"existing file keeps its mode", {}, "old.ini", "old.ini", 0640},
        {"link to a file", {{"link.ini", "old.ini"}}, "link.ini", "old.ini", 0604},
        {"link to a link", {{"a.ini", "b.ini"}, {"b.ini", "sub/old.ini"}}, "a.ini", "sub/old.ini", 0600},
        {"dangling link", {{"link.ini", "made.ini"}}, "link.ini", "made.ini", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::filesystem::create_directory(dir.Path("sub"));
        if (c.mode) {
            dir.Write(c.target, "old");
            chmod(dir.Path(c.target).c_str(), c.mode);
        }
        for (const auto& link : c.links)
            ASSERT_EQ(symlink(link.second.c_str(), dir.Path(link.first).c_str()), 0);
        sample.save(dir.Path(c.saveTo));
        EXPECT_EQ(ReadFileBytes(dir.Path(c.target)), bytes);
        if (c.mode) {
            EXPECT_EQ(ModeOf(dir.Path(c.target)), c.mode);
        }
        for (const auto& link : c.links)
            EXPECT_TRUE(std::filesystem::is_symlink(dir.Path(link.first)));
        std::set<std::string> expected{"sub", c.target}; // the links and the target, nothing else
        for (const auto& link : c.links)
            expected.insert(link.first);
        EXPECT_EQ(Entries(dir.Path("")), std::vector<std::string>(expected.begin(), expected.end()));
    }
}

// A save that fails part-way says why and leaves the old file whole and no temporary file behind.
TEST(CatalogueSave, FailsWithoutHarmingTheOldFile) {
    Catalogue sample = Catalogue::load(kSample + ".ini");
    using brevant::SaveFailure;
    struct Case {
        const char* name;
        std::function<int(const std::string& dir)> save; // run in a child process
        int failure;                                     // 1 + the expected SaveFailure
    };
    const std::vector<Case> cases = {
        {"the disk fills up",
         [&](const std::string& dir) {
             // Files may grow to 100 bytes only: the writes fail part-way, as on a full disk.
             signal(SIGXFSZ, SIG_IGN);
             struct rlimit limit {
                 100, 100
             };
             setrlimit(RLIMIT_FSIZE, &limit);
             return SaveFailureOf(sample, dir + "/old.ini", EFBIG);
         },
         1 + static_cast<int>(SaveFailure::write_failed)},
        {"read-only directory",
         [&](const std::string& dir) {
             chmod(dir.c_str(), 0555);
             if (geteuid() == 0 && setuid(65534) != 0) // the superuser writes anywhere: become nobody
                 return 98;
             return SaveFailureOf(sample, dir + "/old.ini", EACCES);
         },
         1 + static_cast<int>(SaveFailure::cannot_create)},
        {"a directory in the way",
         [&](const std::string& dir) { return SaveFailureOf(sample, dir + "/sub", EISDIR); },
         1 + static_cast<int>(SaveFailure::rename_failed)},
        {"a loop of links",
         [&](const std::string& dir) {
             symlink("loop", (dir + "/loop").c_str());
             return SaveFailureOf(sample, dir + "/loop", ELOOP);
         },
         1 + static_cast<int>(SaveFailure::cannot_resolve)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string inner = dir.Path("d");
        std::filesystem::create_directories(inner + "/sub");
        chmod(dir.Path("").c_str(), 0755);
        chmod(inner.c_str(), 0755);
        std::string old = dir.Write("d/old.ini", "[hoops]\r\nold\r\n");
        std::vector<std::string> before = Entries(inner);
        EXPECT_EQ(InChild([&] { return c.save(inner); }), c.failure);
        chmod(inner.c_str(), 0755);
        EXPECT_EQ(ReadFileBytes(old), "[hoops]\r\nold\r\n");
        std::vector<std::string> after = Entries(inner);
        after.erase(std::remove(after.begin(), after.end(), "loop"), after.end());
        EXPECT_EQ(after, before);
    }
}
#endif // _WIN32
