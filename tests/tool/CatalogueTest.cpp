// Loading through the library's diagnostics: faulty lines with their numbers and texts, failures, the binary
// form told by its signature.
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = EngineMessage::Kind;

TEST(LoadCatalogueBytes, SortsTheLoadersDiagnostics) {
    CINIHoop catalogue;
    LoadReport report =
        LoadCatalogueBytes(catalogue, "[hoops]\r\nabc\r\n[hoops.hoop0]\r\nn=1x\r\n[hoops.hoop1]", false);
    ASSERT_TRUE(report.loaded);
    EXPECT_EQ(report.faultyLines, 2);
    ASSERT_GE(report.messages.size(), 4u);
    EXPECT_EQ(report.messages[0].kind, Kind::FaultyLine);
    EXPECT_EQ(report.messages[0].line, 3);
    EXPECT_EQ(report.messages[0].text, "Syntax error.");
    EXPECT_EQ(report.messages[1].line, 7);
    EXPECT_EQ(report.messages[2].kind, Kind::Failure);
    EXPECT_EQ(report.messages[2].text, "INIStringReadLine > kuFile_Read() failed!");
    EXPECT_TRUE(report.HasFaults());
    EXPECT_EQ(catalogue.GetHoopCount(), 1);
}

TEST(LoadCatalogueBytes, SaysWhyALoadFailed) {
    CINIHoop catalogue;
    EXPECT_NE(LoadCatalogueBytes(catalogue, "[other]\n", false).problem.find("not a hoop catalogue"),
              std::string::npos);
    EXPECT_NE(LoadCatalogueBytes(catalogue, "INB\x08\x0D\x01", true).problem.find("binary"),
              std::string::npos);
    EXPECT_TRUE(HasBinarySignature(std::string("INB\x08\x0D\x01\0\0", 8)));
    EXPECT_FALSE(HasBinarySignature("INB\x08\x0D"));
}

} // namespace
