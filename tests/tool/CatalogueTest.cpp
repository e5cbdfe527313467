// Catching and reading what the library prints while it loads a catalogue.
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using Kind = EngineMessage::Kind;

TEST(CaptureStandardError, CatchesWhatIsPrintedAndGivesStandardErrorBack) {
    std::string caught = CaptureStandardError([] { std::fprintf(stderr, "\nFailure : X > y!"); });
    EXPECT_EQ(caught, "\nFailure : X > y!");
    testing::internal::CaptureStderr();
    std::fprintf(stderr, "after");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "after");
}

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

TEST(IsBinaryCatalogueName, TakesTheExtensionInAnyCase) {
    EXPECT_TRUE(IsBinaryCatalogueName("hoops.inb"));
    EXPECT_TRUE(IsBinaryCatalogueName("dir/HOOPS.INB"));
    EXPECT_FALSE(IsBinaryCatalogueName("hoops.ini"));
    EXPECT_FALSE(IsBinaryCatalogueName("inb"));
}

class LoadCatalogueTest : public testing::Test {
  protected:
    std::string Write(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary) << bytes;
        return path_;
    }
    void TearDown() override { std::remove(path_.c_str()); }

  private:
    std::string path_ = testing::TempDir() + "brevant_tool_catalogue_test.ini";
};

TEST_F(LoadCatalogueTest, CountsFaultyLinesAndKeepsThemOffTheTerminal) {
    CINIHoop catalogue;
    testing::internal::CaptureStderr();
    LoadReport report = LoadCatalogue(catalogue, Write("[hoops]\nabc\n[hoops.hoop0]\nn=+5\n"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(report.loaded);
    EXPECT_EQ(report.faultyLines, 2);
    EXPECT_TRUE(report.HasFaults());
    EXPECT_EQ(catalogue.GetHoopCount(), 1);
}

TEST_F(LoadCatalogueTest, TellsWhyAFileIsNoCatalogue) {
    CINIHoop catalogue;
    LoadReport report = LoadCatalogue(catalogue, Write("[other]\n[hoops]\n"));
    EXPECT_FALSE(report.loaded);
    EXPECT_NE(report.problem.find("first section is not [hoops]"), std::string::npos) << report.problem;
    report = LoadCatalogue(catalogue, testing::TempDir() + "no_such_catalogue.ini");
    EXPECT_FALSE(report.loaded);
    EXPECT_EQ(report.problem, "No such file or directory");
}

} // namespace
