// Character-list strings and the line utilities of the text loader.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ini/INITextString.h"
#include "support/AllocationFaults.h"
#include "support/Captured.h"

namespace {

// The characters of the list; the links must run both ways and the ends and the count agree with them.
std::string Text(const kuResourceLineString* string) {
    std::string text;
    const kuResourceLineChar* previous = nullptr;
    for (const kuResourceLineChar* next = string->opFirst; next; previous = next, next = next->opNext) {
        EXPECT_EQ(next->opPrev, previous);
        text += next->cChar;
    }
    EXPECT_EQ(string->opLast, previous);
    EXPECT_EQ(string->iCount, static_cast<int>(text.size()));
    return text;
}

} // namespace

TEST(INIString, ListAppendsPopsAndEmpties) {
    kuResourceLineString* string = INISourceStringCreate();
    ASSERT_NE(string, nullptr);
    EXPECT_EQ(INISourceStringAddChar(string, 'x'), 1);
    EXPECT_EQ(INISourceStringSetString(string, "1,2"), 1); // replaces the content
    EXPECT_EQ(INISourceStringPopFirstChar(string), '1');
    EXPECT_EQ(Text(string), ",2");
    EXPECT_EQ(INISourceStringPopFirstChar(string), ',');
    EXPECT_EQ(INISourceStringPopFirstChar(string), '2');
    EXPECT_EQ(INISourceStringPopFirstChar(string), 0); // and keeps answering 0
    EXPECT_EQ(INISourceStringDelFirstChar(string), 1);
    EXPECT_EQ(Text(string), "");
    EXPECT_EQ(INISourceStringSetString(string, "abc"), 1);
    EXPECT_EQ(INISourceStringDelFirstChar(string), 1);
    EXPECT_EQ(Text(string), "bc");
    EXPECT_EQ(INISourceStringDelAllChars(string), 1);
    EXPECT_EQ(Text(string), "");
    EXPECT_EQ(INISourceStringDestroy(string), 1);
}

TEST(INIString, ListRefusesNullAndEmptyTexts) {
    kuResourceLineString* string = INISourceStringCreate();
    INISourceStringSetString(string, "keep");
    const std::string invalid = "() > Invalid param passed to function!";
    const std::string invalids = "INISourceStringSetString() > Invalid param(s) passed to function!";
    const std::pair<std::function<int()>, std::string> cases[] = {
        {[] { return INISourceStringDestroy(nullptr); }, "INISourceStringDestroy" + invalid},
        {[] { return INISourceStringAddChar(nullptr, 'a'); }, "INISourceStringAddChar" + invalid},
        {[] { return INISourceStringDelFirstChar(nullptr); }, "INISourceStringDelFirstChar" + invalid},
        {[] { return INISourceStringDelAllChars(nullptr); }, "INISourceStringDelAllChars" + invalid},
        {[] { return int(INISourceStringPopFirstChar(nullptr)); }, "INISourceStringPopFirstChar" + invalid},
        {[] { return INISourceStringSetString(nullptr, "a"); }, invalids},
        {[&] { return INISourceStringSetString(string, nullptr); }, invalids},
        {[&] { return INISourceStringSetString(string, ""); },
         "INISourceStringSetString() > String is empty!"},
    };
    for (const auto& [call, message] : cases)
        ExpectCall(0, "\nFailure : " + message, call);
    EXPECT_EQ(Text(string), "keep");
    INISourceStringDestroy(string);
}

TEST(INIString, ListReportsExhaustedMemory) {
    MemFailAt(1);
    std::string printed = CapturedDiagnostics([] { EXPECT_EQ(INISourceStringCreate(), nullptr); });
    EXPECT_EQ(printed,
              "\nINISourceStringCreate() > Could not allocate opLink instance of kuResourceLineString!");

    kuResourceLineString* string = INISourceStringCreate();
    INISourceStringSetString(string, "xy");
    MemFailAt(3); // the third character of the new text
    printed = CapturedDiagnostics([&] { EXPECT_EQ(INISourceStringSetString(string, "abcd"), 0); });
    MemFailAt(0);
    EXPECT_EQ(printed,
              "\nFailure : INISourceStringAddChar() > Could not allocate opLink instance of "
              "kuResourceLineChar!\nFailure : INISourceStringSetString() > INISourceStringAddChar() failed!");
    EXPECT_EQ(Text(string), ""); // emptied again
    INISourceStringDestroy(string);
}

TEST(INIString, IndexOfFirstAndLast) {
    EXPECT_EQ(INIStringIndexOfFirst("a;b;c", ';'), 1);
    EXPECT_EQ(INIStringIndexOfLast("a;b;c", ';'), 3);
    EXPECT_EQ(INIStringIndexOfLast("a;b;c", 'a'), 0);
    EXPECT_EQ(INIStringIndexOfFirst("a;b;c", 'A'), -1); // case matters
    EXPECT_EQ(INIStringIndexOfLast("", ';'), -1);
    ExpectCall(-1, "\nFailure : INIStringIndexOfFirst() > Invalid param passed to function!",
               [] { return INIStringIndexOfFirst(nullptr, ';'); });
    ExpectCall(-1, "\nFailure : INIStringIndexOfLast() > Invalid param passed to function!",
               [] { return INIStringIndexOfLast(nullptr, ';'); });
}

TEST(INIString, StripRemovesSpacesAndTabsOnly) {
    char text[] = "\t x\ny \t", blank[] = " \t";
    EXPECT_EQ(INIStringStripPrePostSpace(text), 1);
    EXPECT_STREQ(text, "x\ny");
    EXPECT_EQ(INIStringStripPrePostSpace(blank), 0); // nothing but blanks: left as it was
    EXPECT_STREQ(blank, " \t");
    std::string tooLong = " " + std::string(INI_LINE_CAPACITY - 1, 'x');
    std::string before = tooLong;
    ExpectCall(0, "\nFailure : INIStringStripPrePostSpace() > String too big!",
               [&] { return INIStringStripPrePostSpace(&tooLong[0]); });
    EXPECT_EQ(tooLong, before);
    ExpectCall(0, "\nFailure : INIStringStripPrePostSpace() > Invalid param passed to function!",
               [] { return INIStringStripPrePostSpace(nullptr); });
}

// The loader's tests cover CR LF, NUL bytes, 0xFF, unterminated and overlong lines through whole loads.
TEST(INIString, ReadLineContinuesWhereTheLastCallStopped) {
    TempDir dir;
    FILE* stream = fopen(dir.Write("lines.txt", "one\ntwo\n").c_str(), "rb");
    char buffer[8];
    EXPECT_EQ(INIStringReadLine(stream, buffer, sizeof buffer, nullptr), 1);
    EXPECT_EQ(ftell(stream), 4);
    EXPECT_EQ(INIStringReadLine(stream, buffer, sizeof buffer, nullptr), 1);
    EXPECT_STREQ(buffer, "two");
    EXPECT_EQ(INIStringReadLine(stream, buffer, sizeof buffer, nullptr), 0);
    EXPECT_EQ(INIStringReadLine(stream, buffer, sizeof buffer, nullptr), 0);
    const char* invalid = "\nFailure : INIStringReadLine > Invalid param(s) passed to function!";
    EXPECT_EQ(CapturedDiagnostics([&] { INIStringReadLine(nullptr, buffer, 8, nullptr); }), invalid);
    EXPECT_EQ(CapturedDiagnostics([&] { INIStringReadLine(stream, nullptr, 8, nullptr); }), invalid);
    EXPECT_EQ(CapturedDiagnostics([&] { INIStringReadLine(stream, buffer, 0, nullptr); }), invalid);
    fclose(stream);
}
