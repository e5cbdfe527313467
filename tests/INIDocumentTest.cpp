// The document, its sections and the registry of live documents.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ini/INIFile.h"
#include "support/Captured.h"

namespace {

// Expects the call to answer 0 and to print the one failure of the CINIFile member.
void Fails(const std::function<int()>& call, const std::string& member) {
    ExpectCall(0, "\nFailure : CINIFile::" + member, call);
}

std::string CurrentName(CINIFile& file) {
    CString name;
    EXPECT_EQ(file.SectionGetName(&name), 1);
    return name.GetString();
}

struct DocumentTest : testing::Test {
    CINIFile file;
    void SetUp() override { ASSERT_EQ(file.Create(), 1); }
    void TearDown() override { file.Destroy(); }
};

} // namespace

TEST(INIDocument, OperationsBeforeCreateFailWithTheirMessages) {
    CINIFile file;
    CString name;
    const std::string none = "() > Instance has not been created!";
    Fails([&] { return file.GetCount(); }, "GetCount" + none);
    Fails([&] { return file.SectionGoto("a"); }, "SectionGoto" + none);
    Fails([&] { return file.SectionGetName(&name); }, "SectionGetName" + none);
    Fails([&] { return file.SectionGetName(nullptr); },
          "SectionGetName() > Invalid param passed to function!");
    Fails([&] { return file.SectionFirst(); }, "SectionFirst" + none);
    Fails([&] { return file.SectionAdd("a"); }, "SectionAdd" + none);
    Fails([&] { return file.SectionRemove("a"); }, "SectionRemove" + none);
    Fails([&] { return file.SectionExists("a"); }, "SectionExists" + none);
    EXPECT_EQ(file.Destroy(), 1);
}

TEST_F(DocumentTest, EmptyDocumentAnswersWithoutSections) {
    ExpectCall(0, "", [&] { return file.GetCount(); });
    Fails([&] { return file.SectionFirst(); }, "SectionFirst() > No sections exist in this INI file!");
    Fails([&] { return file.SectionGoto("hoops"); }, "SectionGoto() > No sections exist in this INI file!");
    Fails([&] { return file.SectionRemove("hoops"); },
          "SectionRemove() > No section exist in this INI file!");
    ExpectCall(0, "", [&] { return file.SectionExists("hoops"); });
    EXPECT_EQ(CINIFile::GetSectionByName(file.Root(), "hoops"), nullptr);
}

TEST_F(DocumentTest, SectionsKeepOrderAndCaseAndAreFoundInAnyCase) {
    ASSERT_EQ(file.SectionAdd("hoops"), 1);
    Fails([&] { return file.SectionAdd("HOOPS"); },
          "SectionAdd() > The section <HOOPS> already exists in this INI file!");
    ASSERT_EQ(file.SectionAdd("B"), 1);
    ASSERT_EQ(file.SectionAdd("C"), 1);
    EXPECT_EQ(file.GetCount(), 3);
    EXPECT_EQ(CurrentName(file), "C");
    EXPECT_EQ(file.SectionGoto("HoOpS"), 1);
    EXPECT_EQ(CurrentName(file), "hoops");
    EXPECT_EQ(file.SectionExists("c"), 1);
    EXPECT_EQ(file.SectionFirst(), 1);
    EXPECT_EQ(CurrentName(file), "hoops");
    Fails([&] { return file.SectionGoto("D"); },
          "SectionGoto() > Section <D> in this INI file does not exist!");
    EXPECT_EQ(CurrentName(file), "hoops");

    std::string order;
    for (SINISectionPool* s = file.Root()->opFirstSection; s; s = s->opNext)
        order += std::string(s->caName) + (s->opNext && s->opNext->opPrev != s ? "!" : ",");
    EXPECT_EQ(order, "hoops,B,C,");
}

TEST_F(DocumentTest, NamesOfOneTo16383CharactersAreValid) {
    std::string longest(16383, 'n'), tooLong(16384, 'n');
    EXPECT_EQ(file.SectionAdd(longest.c_str()), 1);
    EXPECT_EQ(file.SectionExists(longest.c_str()), 1);
    for (const char* bad : {"", tooLong.c_str(), static_cast<const char*>(nullptr)}) {
        Fails([&] { return file.SectionAdd(bad); }, "SectionAdd() > Invalid name passed to function!");
        Fails([&] { return file.SectionGoto(bad); }, "SectionGoto() > Invalid name passed to function!");
        Fails([&] { return file.SectionRemove(bad); }, "SectionRemove() > Invalid name passed to function!");
        Fails([&] { return file.SectionExists(bad); }, "SectionExists() > Invalid name passed to function!");
    }
    EXPECT_EQ(
        CapturedDiagnostics([&] { EXPECT_EQ(CINIFile::GetSectionByName(file.Root(), nullptr), nullptr); }),
        "\nFailure : CINIFile::GetSectionByName() > Invalid params passed to function!");
}

TEST_F(DocumentTest, RemovingSectionsMovesTheCurrentSectionToALiveOne) {
    for (const char* name : {"A", "B", "C"})
        ASSERT_EQ(file.SectionAdd(name), 1);
    file.SectionFirst();
    EXPECT_EQ(file.SectionRemove("a"), 1); // first and current: its successor takes over
    EXPECT_EQ(CurrentName(file), "B");
    file.SectionGoto("C");
    EXPECT_EQ(file.SectionRemove("C"), 1); // current but not first: its predecessor takes over
    EXPECT_EQ(CurrentName(file), "B");
    Fails([&] { return file.SectionRemove("C"); },
          "SectionRemove() > section <C> does not exist in this INI file!");
    EXPECT_EQ(file.SectionAdd("C"), 1); // a removed name can come back, at the tail
    EXPECT_EQ(file.SectionRemove("B"), 1);
    EXPECT_EQ(file.SectionRemove("C"), 1);
    EXPECT_EQ(file.GetCount(), 0);
    EXPECT_EQ(file.Root()->opFirstSection, nullptr);
    EXPECT_EQ(CapturedDiagnostics([&] {
                  CString name;
                  EXPECT_EQ(file.SectionGetName(&name), 0);
              }),
              "\nFailure : CINIFile::SectionGetName() > No sections exist in this INI file!");
}

TEST(INIDocument, RegistryCountsLiveDocuments) {
    CINIFile older, newer;
    ASSERT_EQ(older.Create(), 1);
    ASSERT_EQ(newer.Create(), 1);
    older.Destroy();
    EXPECT_EQ(older.Destroy(), 1); // harmless twice
    ASSERT_EQ(newer.Create(), 1);  // a new document replaces the old one of the same object
    newer.Destroy();
}
