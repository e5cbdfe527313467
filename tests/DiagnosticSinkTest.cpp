// Diagnostics as data: what a sink receives, against what standard error shows without one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BinaryIni.h"
#include "support/Captured.h"
#include <brevant/Brevant.h>
#include <brevant/diagnostics.h>

namespace {

struct Received {
    brevant_diagnostic_kind kind;
    int line;
    std::string text;
};

void Collect(void* user, brevant_diagnostic_kind kind, int line, const char* text, size_t length) {
    EXPECT_EQ(text[length], '\0');
    static_cast<std::vector<Received>*>(user)->push_back({kind, line, std::string(text, length)});
}

// Standard error as it would read had the sink's diagnostics been printed.
std::string AsPrinted(const std::vector<Received>& received) {
    std::string printed;
    for (const Received& one : received)
        printed += "\n" + one.text;
    return printed;
}

std::string Described(const std::vector<Received>& received) {
    std::string described;
    for (const Received& one : received)
        described += std::to_string(one.kind) + "@" + std::to_string(one.line) + " ";
    return described;
}

std::string DamagedBinary() {
    BinaryIni file;
    file.Section("hoops").Ints("id", {1}).Last().nameLength = 0;
    return file.Bytes();
}

struct SinkCase {
    const char* name;
    std::string file;
    std::string bytes;
    std::string kindsAndLines; // kind@line of each diagnostic, in order
};

const std::vector<SinkCase> kSinkCases = {
    {"clean text", "a.ini", "[hoops]\ntext=\"\"\n", "4@0 "},
    // Faulty lines carry their numbers; a "%c" of the character 0 stays in the text.
    {"faulty lines", "b.ini", "[hoops]\nx=$1,,$2\n\n[broken\nvalue\n", "1@2 1@4 1@5 4@0 "},
    {"missing file", "absent/c.ini", "", "3@0 "},
    {"damaged binary", "d.inb", DamagedBinary(), "3@0 3@0 "},
    {"good binary", "e.inb", BinaryIni().Bytes(), "4@0 "},
};

} // namespace

TEST(DiagnosticSink, ReceivesWhatStandardErrorWouldShow) {
    for (const SinkCase& c : kSinkCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string path = c.bytes.empty() ? dir.Path(c.file) : dir.Write(c.file, c.bytes);
        CINIHoop unsunk, sunk;
        std::string printed = CapturedDiagnostics([&] { unsunk.Load(path.c_str()); });

        std::vector<Received> received;
        std::string leaked = CapturedDiagnostics([&] {
            brevant_set_diagnostic_sink(Collect, &received);
            sunk.Load(path.c_str());
            brevant_set_diagnostic_sink(nullptr, nullptr);
        });
        EXPECT_EQ(leaked, "");
        EXPECT_EQ(AsPrinted(received), printed);
        EXPECT_EQ(Described(received), c.kindsAndLines);
        // Without the sink again, standard error shows the same bytes.
        EXPECT_EQ(CapturedDiagnostics([&] { unsunk.Load(path.c_str()); }), printed);
    }
}

TEST(DiagnosticSink, GetAnswersTheInstalledSinkAndUser) {
    int marker = 0;
    void* user = &marker;
    EXPECT_EQ(brevant_get_diagnostic_sink(&user), nullptr);
    EXPECT_EQ(user, nullptr);
    brevant_set_diagnostic_sink(Collect, &marker);
    EXPECT_EQ(brevant_get_diagnostic_sink(&user), &Collect);
    EXPECT_EQ(user, &marker);
    EXPECT_EQ(brevant_get_diagnostic_sink(nullptr), &Collect);
    brevant_set_diagnostic_sink(nullptr, &marker); // no sink: the user pointer goes too
    EXPECT_EQ(brevant_get_diagnostic_sink(&user), nullptr);
    EXPECT_EQ(user, nullptr);
}
