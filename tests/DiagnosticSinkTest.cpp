// Diagnostics as data: a thread's sink receives exactly what standard error would show, and nothing reaches
// standard error while it is installed.
#include <gtest/gtest.h>

#include <string>

#include "support/BinaryIni.h"
#include "support/Captured.h"
#include <brevant/Brevant.h>
#include <brevant/diagnostics.h>

namespace {
// The texts as standard error shows them, and each diagnostic's kind and line.
void Collect(void* user, brevant_diagnostic_kind kind, int line, const char* text, size_t length) {
    EXPECT_EQ(text[length], '\0');
    auto* received = static_cast<std::pair<std::string, std::string>*>(user);
    received->first.append("\n").append(text, length);
    received->second += std::to_string(kind) + "@" + std::to_string(line) + " ";
}
} // namespace

TEST(DiagnosticSink, ReceivesWhatStandardErrorWouldShow) {
    BinaryIni damaged;
    damaged.Section("hoops").Ints("id", {1}).Last().nameLength = 0;
    const std::string files[][3] = {
        {"a.ini", "[hoops]\nx=$1,,$2\n\n[broken\nvalue\n",
         "1@2 1@4 1@5 4@0 "}, // "%c" of a 0 stays in the text
        {"absent/b.ini", "", "3@0 "},
        {"c.inb", damaged.Bytes(), "3@0 3@0 "},
    };
    for (const auto& [name, bytes, kinds] : files) {
        TempDir dir;
        std::string path = bytes.empty() ? dir.Path(name) : dir.Write(name, bytes);
        CINIHoop hoops;
        std::string printed = CapturedDiagnostics([&] { hoops.Load(path.c_str()); });
        std::pair<std::string, std::string> received;
        EXPECT_EQ(CapturedDiagnostics([&] {
                      brevant_set_diagnostic_sink(Collect, &received);
                      hoops.Load(path.c_str());
                      brevant_set_diagnostic_sink(nullptr, nullptr);
                  }),
                  "");
        EXPECT_EQ(received, std::make_pair(printed, kinds)) << name;
        EXPECT_EQ(CapturedDiagnostics([&] { hoops.Load(path.c_str()); }), printed) << name;
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
