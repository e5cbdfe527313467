// Catching and reading what the library prints while it loads a catalogue.
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = EngineMessage::Kind;

TEST(ParseEngineMessages, SortsTheLoadersMessages) {
    std::vector<EngineMessage> messages = ParseEngineMessages(
        "\nError : Line <0005> - Syntax error.\nError : Line <12345> - Errornous symbol <0x3e><'>'> in "
        "decimal value!"
        "\nFailure : INIStringReadLine > kuFile_Read() failed!\nLoaded INI file - Errors <0002> Warnings "
        "<0000>."
        "\nINISourceStringCreate() > Could not allocate opLink instance of kuResourceLineString!");
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].kind, Kind::FaultyLine);
    EXPECT_EQ(messages[0].line, 5);
    EXPECT_EQ(messages[0].text, "Syntax error.");
    EXPECT_EQ(messages[1].line, 12345);
    EXPECT_EQ(messages[1].text, "Errornous symbol <0x3e><'>'> in decimal value!");
    EXPECT_EQ(messages[2].kind, Kind::Failure);
    EXPECT_EQ(messages[2].text, "INIStringReadLine > kuFile_Read() failed!");
    EXPECT_EQ(messages[3].kind, Kind::Summary);
    EXPECT_EQ(messages[4].kind, Kind::Other);
}

} // namespace
