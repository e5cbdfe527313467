// The document, its sections and the registry of live documents.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ini/INIFile.h"
#include "support/Captured.h"

namespace {

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
    struct Case {
        std::function<int()> call;
        const char* message;
    } cases[] = {
        {[&] { return file.GetCount(); },
         "\nFailure : CINIFile::GetCount() > Instance has not been created!"},
        {[&] { return file.SectionGoto("a"); },
         "\nFailure : CINIFile::SectionGoto() > Instance has not been created!"},
        {[&] { return file.SectionGetName(&name); },
         "\nFailure : CINIFile::SectionGetName() > Instance has not been created!"},
        {[&] { return file.SectionGetName(nullptr); },
         "\nFailure : CINIFile::SectionGetName() > Invalid param passed to function!"},
        {[&] { return file.SectionFirst(); },
         "\nFailure : CINIFile::SectionFirst() > Instance has not been created!"},
        {[&] { return file.SectionAdd("a"); },
         "\nFailure : CINIFile::SectionAdd() > Instance has not been created!"},
        {[&] { return file.SectionRemove("a"); },
         "\nFailure : CINIFile::SectionRemove() > Instance has not been created!"},
        {[&] { return file.SectionExists("a"); },
         "\nFailure : CINIFile::SectionExists() > Instance has not been created!"},
    };
    for (auto& c : cases) {
        int result = -1;
        EXPECT_EQ(CapturedDiagnostics([&] { result = c.call(); }), c.message);
        EXPECT_EQ(result, 0) << c.message;
    }
    EXPECT_EQ(file.Destroy(), 1);
}

TEST_F(DocumentTest, EmptyDocumentAnswersWithoutSections) {
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.GetCount(), 0); }), "");
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionFirst(), 0); }),
              "\nFailure : CINIFile::SectionFirst() > No sections exist in this INI file!");
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionGoto("hoops"), 0); }),
              "\nFailure : CINIFile::SectionGoto() > No sections exist in this INI file!");
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionRemove("hoops"), 0); }),
              "\nFailure : CINIFile::SectionRemove() > No section exist in this INI file!");
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionExists("hoops"), 0); }), "");
    EXPECT_EQ(CINIFile::GetSectionByName(file.Root(), "hoops"), nullptr);
}

TEST_F(DocumentTest, SectionsKeepOrderAndCaseAndAreFoundInAnyCase) {
    ASSERT_EQ(file.SectionAdd("hoops"), 1);
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionAdd("HOOPS"), 0); }),
              "\nFailure : CINIFile::SectionAdd() > The section <HOOPS> already exists in this INI file!");
    ASSERT_EQ(file.SectionAdd("B"), 1);
    ASSERT_EQ(file.SectionAdd("C"), 1);
    EXPECT_EQ(file.GetCount(), 3);
    EXPECT_EQ(CurrentName(file), "C");
    EXPECT_EQ(file.SectionGoto("HoOpS"), 1);
    EXPECT_EQ(CurrentName(file), "hoops");
    EXPECT_EQ(file.SectionExists("c"), 1);
    EXPECT_EQ(file.SectionFirst(), 1);
    EXPECT_EQ(CurrentName(file), "hoops");
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionGoto("D"), 0); }),
              "\nFailure : CINIFile::SectionGoto() > Section <D> in this INI file does not exist!");
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
        EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionAdd(bad), 0); }),
                  "\nFailure : CINIFile::SectionAdd() > Invalid name passed to function!");
        EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionGoto(bad), 0); }),
                  "\nFailure : CINIFile::SectionGoto() > Invalid name passed to function!");
        EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionRemove(bad), 0); }),
                  "\nFailure : CINIFile::SectionRemove() > Invalid name passed to function!");
        EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionExists(bad), 0); }),
                  "\nFailure : CINIFile::SectionExists() > Invalid name passed to function!");
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
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.SectionRemove("C"), 0); }),
              "\nFailure : CINIFile::SectionRemove() > section <C> does not exist in this INI file!");
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

TEST_F(DocumentTest, ManySectionsAreFoundByTheirIndex) {
    const int count = 5000;
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(file.SectionAdd(("hoops.hoop" + std::to_string(i)).c_str()), 1);
    for (int i = 0; i < count; i += 2)
        ASSERT_EQ(file.SectionRemove(("HOOPS.HOOP" + std::to_string(i)).c_str()), 1);
    EXPECT_EQ(file.GetCount(), count / 2);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(file.SectionExists(("Hoops.Hoop" + std::to_string(i)).c_str()), i % 2) << i;
    int walked = 0;
    for (SINISectionPool* s = file.Root()->opFirstSection; s; s = s->opNext, walked += 2)
        ASSERT_EQ(std::string(s->caName), "hoops.hoop" + std::to_string(walked + 1));
    EXPECT_EQ(walked, count);
}

TEST(INIDocument, RegistryCountsLiveDocumentsNewestFirst) {
    int before = INIDocumentCount();
    CINIFile older, newer;
    ASSERT_EQ(older.Create(), 1);
    ASSERT_EQ(newer.Create(), 1);
    EXPECT_EQ(INIDocumentCount(), before + 2);
    EXPECT_EQ(INIDocumentRegistryHead(), newer.Root());
    EXPECT_EQ(newer.Root()->opNext, older.Root());
    EXPECT_EQ(newer.Root()->iFileType, 1);
    EXPECT_EQ(newer.Root()->iVersion, 1);
    older.Destroy();
    EXPECT_EQ(INIDocumentCount(), before + 1);
    EXPECT_EQ(INIDocumentRegistryHead(), newer.Root());
    EXPECT_EQ(older.Destroy(), 1); // harmless twice
    ASSERT_EQ(newer.Create(), 1);  // a new document replaces the old one of the same object
    EXPECT_EQ(INIDocumentCount(), before + 1);
    newer.Destroy();
    EXPECT_EQ(INIDocumentCount(), before);
}
