// The loader takes the common lines of a catalogue in one pass. Every line it takes that way must come out
// exactly as the line-by-line steps take it: the same messages, the same error count and the same document.
// Each case runs one line both ways, on two documents in the same state; a line that is not taken must be
// left untouched for the steps.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ini/INIText.h"
#include "support/Captured.h"
#include "support/Document.h"

namespace {

// Starting states: no section at all; a current section holding a few values; and one holding enough values
// to be indexed.
void Prepare(CINIFile& file, int state) {
    file.Create();
    if (state == 0)
        return;
    int one = 1;
    file.SectionAdd("first");
    file.SectionAdd("s");
    std::vector<std::string> names{"dup", "Points", "text"};
    for (int k = 0; state == 2 && k < 10; ++k)
        names.push_back("v" + std::to_string(k));
    for (const std::string& name : names) {
        CINIValue value(name.c_str(), INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &one);
        file.ValueAdd(&value);
    }
}

struct Comparison {
    int taken = 0;
    int cases = 0;
};

// What a line did: its messages, the record's error count and the document.
std::string Outcome(const std::string& messages, SINISourceLine* opLine, const CINIFile& file) {
    std::string outcome =
        messages + "\nerrors=" + std::to_string(opLine->iErrorCount) + "\n" + DocumentText(file);
    INISourceLineDestroy(opLine);
    return outcome;
}

// Runs `line` followed by `lineEnd` both ways and compares them when the one-pass reader takes it.
void Compare(const std::string& line, const std::string& lineEnd, int state, Comparison* totals) {
    std::string text = line + lineEnd + std::string(INI_TEXT_PADDING, '\0');
    std::string original = text;
    CINIFile quick, steps;
    Prepare(quick, state);
    Prepare(steps, state);
    SINISourceLine* quickLine = INISourceLineCreate();
    SINISourceLine* stepLine = INISourceLineCreate();
    for (SINISourceLine* opLine : {quickLine, stepLine}) {
        opLine->opStream = stdin; // the steps only ask that the record belongs to a load
        opLine->iLineNumber = 7;
    }
    size_t taken = 0;
    std::string messages =
        SunkDiagnostics([&] { taken = INISourceTakeCommonLine(quickLine, &quick, &text[0]); });
    std::string one = Outcome(messages, quickLine, quick);
    ++totals->cases;
    if (taken == 0) {
        EXPECT_EQ(text, original) << "a line that is not taken stays as it was: " << line;
        INISourceLineDestroy(stepLine);
    } else {
        ++totals->taken;
        EXPECT_EQ(taken, line.size() + 1) << line;
        std::memcpy(stepLine->caLine, line.c_str(), line.size() + 1);
        messages.clear();
        if (stepLine->caLine[0] != '\0') // the loader passes over a line that begins with a zero byte
            messages = SunkDiagnostics([&] { INISourceProcess(stepLine, &steps); });
        EXPECT_EQ(one, Outcome(messages, stepLine, steps)) << line;
    }
    quick.Destroy();
    steps.Destroy();
}

using Items = std::vector<std::string>;
const Items kNames = {"a",  "points", "dup", "DUP", "Points", "x_y-z", "v3",   "V9", "a b",
                      " a", "a ",     "",    "?",   "na;me",  "n\"",   "\xE9", "a.b"};
const Items kDecimals = {"-1234",      "0",           "-0",          "00",         "07",         "010",
                         "09",         "-0123",       "-07",         "5",          "123",        "1234567",
                         "12345678",   "-12345678",   "123456789",   "-123456789", "1234567890", "9999999999",
                         "2147483648", "-2147483649", "12345678901", "-",          "--1",        "1-2",
                         "+1",         "1.5",         ".5",          " 7",         "7 ",         "\t7",
                         "",           "a",           "0x1"};
const Items kSeparators = {",", ",", ",", ", ", " ,", ",,", ";"};
const Items kContents = {"",  "x", "Arm 1",    "a\"b", ";", "a;b", " ", "\"", std::string("a\0b", 3),
                         "=", "[", "\xFF\xFE", "'"};
const Items kSuffixes = {"", "", "", " ", "\t", ";c", " ;c", "\"", ",", "x", "]"};
// clang-format off
const Items kSections = {"s", "S", "first", "new", "a.b", "(x){y}&!+", "a b", "", "]", "[x", "x;y", "\xF1",
                         "hoops.hoop0.mounts.mount7"};
// clang-format on
const Items kLineEnds = {"\n", "\n", "\r", "\xFF", ""};

const std::string& Pick(std::mt19937& random, const Items& items) {
    return items[random() % items.size()];
}

// The first item half of the time, so that most lines come near the shapes that are taken in one pass.
const std::string& Mostly(std::mt19937& random, const Items& items) {
    return random() % 2 ? items[0] : Pick(random, items);
}

std::string RandomLine(std::mt19937& random) {
    switch (random() % 4) {
    case 0:
        return "[" + Pick(random, kSections) + "]" + Mostly(random, kSuffixes);
    case 1: {
        std::string line = Mostly(random, kNames) + "=" + Mostly(random, kDecimals);
        for (int more = random() % 4; more > 0; --more)
            line += Mostly(random, kSeparators) + Mostly(random, kDecimals);
        return line + Mostly(random, kSuffixes);
    }
    case 2:
        return Mostly(random, kNames) + "=\"" + Mostly(random, kContents) + "\"" + Mostly(random, kSuffixes);
    default: { // a few bytes of the characters that matter to the line syntax
        static const char kBytes[] = "[]=\";,-0123456789 \tabAB.'$%";
        std::string line;
        for (int length = random() % 12; length > 0; --length)
            line += kBytes[random() % (sizeof kBytes - 1)];
        return line;
    }
    }
}

TEST(CommonLines, TakeLinesExactlyAsTheStepsDo) {
    std::mt19937 random(20261205);
    Comparison totals;
    for (int k = 0; k < 10000; ++k)
        Compare(RandomLine(random), Mostly(random, kLineEnds), static_cast<int>(random() % 3), &totals);
    // The comparison only means something when a good share of the lines is taken in one pass.
    EXPECT_GT(totals.taken, totals.cases / 6);
}

bool Taken(const std::string& line) {
    Comparison totals;
    Compare(line, "\n", 1, &totals);
    return totals.taken == 1;
}

TEST(CommonLines, LongestLinesAndLongestElements) {
    std::string list = "p=1";
    while (list.size() + 2 < INI_LINE_CAPACITY)
        list += ",1";
    EXPECT_TRUE(Taken(list));         // 16383 characters: the longest line there is
    EXPECT_FALSE(Taken(list + ",1")); // too long for the line record: the steps report it
    EXPECT_FALSE(Taken("[" + std::string(INI_LINE_CAPACITY - 2, 's') + "]"));
    EXPECT_TRUE(Taken("[" + std::string(INI_LINE_CAPACITY - 3, 's') + "]"));
    // Up to seven digits are read in one pass; longer numbers, up to the limit of ten characters, by the
    // steps.
    for (const char* number : {"-9999999", "9999999", "0", "-0"})
        EXPECT_TRUE(Taken(std::string("n=") + number)) << number;
    for (const char* number :
         {"-99999999", "99999999", "2147483647", "-2147483648", "4294967295", "12345678901"})
        EXPECT_FALSE(Taken(std::string("n=") + number)) << number;
}

} // namespace
