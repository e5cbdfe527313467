// The JSON form of a catalogue: what goes out comes back, and a wrong field is named by its path.
#include "JsonCodec.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The end-to-end tests take the sample catalogue through JSON and back; this hoop adds a rotation, a point
// list and the extremes of the coordinates.
TEST(JsonCodec, HoopsComeBackFromTheirFormattedJson) {
    std::vector<HoopData> hoops(2);
    hoops[0].rotation = 30;
    hoops[0].points = {{-2000, -1234}, {1900, 1234}};
    hoops[0].mounts = {{"Top", 3, 90, 0, 0, 1000, 1000}, {"", -1, 0, -2147483647 - 1, 2147483647, 0, 0}};
    std::vector<HoopData> back;
    std::string error;
    ASSERT_TRUE(HoopsFromJson(nlohmann::json::parse(FormatJson(HoopsToJson(hoops))), back, error)) << error;
    EXPECT_EQ(FirstDifference(hoops, back), "");
    EXPECT_EQ(back[0].rotation, 30);
}

TEST(JsonCodec, TextsThatAreNotUtf8GoOutAsLatin1) {
    HoopData hoop;
    hoop.description = "Caf\xE9";
    EXPECT_EQ(HoopsToJson({hoop})["hoops"][0]["description"], "Caf\xC3\xA9");
    EXPECT_EQ(ToUtf8("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_FALSE(IsUtf8("\xC3"));
}

struct WrongField {
    const char* json;
    const char* error;
};

void PrintTo(const WrongField& c, std::ostream* out) {
    *out << c.json;
}

class JsonCodecErrorTest : public testing::TestWithParam<WrongField> {};

TEST_P(JsonCodecErrorTest, NamesTheFieldByItsPath) {
    std::vector<HoopData> hoops;
    std::string error;
    EXPECT_FALSE(HoopsFromJson(nlohmann::json::parse(GetParam().json), hoops, error));
    EXPECT_EQ(error.substr(0, std::string(GetParam().error).size()), GetParam().error) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, JsonCodecErrorTest,
    testing::Values(
        WrongField{"[]", "the document: expected an object"}, WrongField{"{}", "hoops: missing"},
        WrongField{R"({"hoops": {}})", "hoops: expected an array of hoops"},
        WrongField{R"({"hoops": [{}, {"description": 5}]})", "hoops[1].description: expected a string"},
        WrongField{R"({"hoops": [{"sewField": {"left": 1}}]})", "hoops[0].sewField.top: missing"},
        WrongField{R"({"hoops": [{"outerDim": {"left": -2147483648, "top": 0, "right": 0, "bottom": 0}}]})",
                   "hoops[0].outerDim.left: -2147483648 cannot be stored"},
        WrongField{R"({"hoops": [{"points": {}}]})", "hoops[0].points: expected an array"}),
    [](const testing::TestParamInfo<WrongField>& info) { return "Document" + std::to_string(info.index); });

} // namespace
