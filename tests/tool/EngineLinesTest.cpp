// The loader's line numbers and the editor's: each CR, LF and 0xFF ends a loader line; CR LF is one editor
// line break; 0xFF is none.
#include "EngineLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> texts; // loader lines in order
    std::vector<int> editorLines;   // the editor line of each
    std::string tail;               // characters after the last line end
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class EngineLinesTest : public testing::TestWithParam<LineCase> {};

TEST_P(EngineLinesTest, CutsLikeTheLoaderAndNumbersLikeAnEditor) {
    const LineCase& c = GetParam();
    EngineLines lines(c.bytes);
    ASSERT_EQ(lines.Count(), static_cast<int>(c.texts.size()));
    for (int line = 1; line <= lines.Count(); ++line) {
        EXPECT_EQ(lines.Text(line), c.texts[static_cast<size_t>(line - 1)]) << "loader line " << line;
        EXPECT_EQ(lines.EditorLine(line), c.editorLines[static_cast<size_t>(line - 1)])
            << "loader line " << line;
    }
    EXPECT_EQ(lines.HasUnendedLastLine(), !c.tail.empty());
    EXPECT_EQ(lines.UnendedLastLine(), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EngineLinesTest,
    testing::Values(LineCase{"CrLf", "a\r\nb\r\nc\r\n", {"a", "", "b", "", "c", ""}, {1, 2, 2, 3, 3, 4}, ""},
                    LineCase{"LoneCr", "a\rb\r", {"a", "b"}, {1, 2}, ""},
                    LineCase{"ByteFFIsNoEditorBreak",
                             "a\xFF"
                             "b\nc\n",
                             {"a", "b", "c"},
                             {1, 1, 2},
                             ""},
                    LineCase{"CrLfThenLf", "a\r\n\nb", {"a", "", ""}, {1, 2, 2}, "b"},
                    LineCase{"NoLineEnd", "[hoops]", {}, {}, "[hoops]"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(PrintableLine, EscapesControlCharactersAndCutsLongLines) {
    EXPECT_EQ(PrintableLine("a\x01"
                            "b\tc"),
              "a\\x01b\tc");
    EXPECT_EQ(PrintableLine(std::string(10, 'z'), 4), "zzzz ... (10 characters)");
}

} // namespace
