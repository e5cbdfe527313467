// The loader reads its stream in chunks: lines that cross a chunk, every kind of line end and an unterminated
// last line give the same lines, numbers and diagnostics as reading line by line with INIStringReadLine.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ini/INISource.h"
#include "support/Captured.h"

TEST(SourceChunks, LinesMatchLineByLineReading) {
    const char* ends[] = {"\n", "\r", "\xFF", "\r\n"};
    std::string text = "[s]\n";
    for (int i = 0; i < 12000; ++i)
        text += (i == 9000 ? std::string("bad line") : "v" + std::to_string(i) + "=" + std::to_string(i)) +
                ends[i % 4];
    text += "tail=1"; // no line end
    TempDir dir;
    std::string path = dir.Write("chunks.ini", text);

    // The line of the faulty text, as INIStringReadLine numbers it.
    FILE* stream = fopen(path.c_str(), "rb");
    static char line[INI_LINE_CAPACITY];
    int number = 0, badLine = 0;
    std::string readFailure = CapturedDiagnostics([&] {
        while (INIStringReadLine(stream, line, INI_LINE_CAPACITY, nullptr))
            if (++number && std::string(line) == "bad line")
                badLine = number;
    });
    fclose(stream);
    ASSERT_GT(badLine, 0);

    CINIFile file;
    file.Create();
    stream = fopen(path.c_str(), "rb");
    int result = 0;
    std::string printed =
        CapturedDiagnostics([&] { result = INISourceLoadData(file.Root(), stream, &file); });
    fclose(stream);
    EXPECT_EQ(result, 1);
    char error[64];
    snprintf(error, sizeof error, "\nError : Line <%04d> - Syntax error.", badLine);
    EXPECT_EQ(printed, error + readFailure + "\nLoaded INI file - Errors <0001> Warnings <0000>.");
    ASSERT_TRUE(file.SectionGoto("s"));
    CINIValue value;
    for (int i : {0, 4095, 8191, 11999}) {
        ASSERT_TRUE(file.ValueGet(("v" + std::to_string(i)).c_str(), &value)) << i;
        EXPECT_EQ(*static_cast<int32_t*>(value.opData), i);
    }
    EXPECT_FALSE(file.ValueExists("v9000"));
    EXPECT_FALSE(file.ValueExists("tail"));
    file.Destroy();
}
