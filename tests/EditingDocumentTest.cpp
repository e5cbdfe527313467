// Editing an INI document: its sections and the values of its current section.
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

namespace {

struct ValuesTest : testing::Test {
    CINIFile file;
    void SetUp() override {
        ASSERT_EQ(file.Create(), 1);
        ASSERT_EQ(file.SectionAdd("hoops"), 1);
    }
    void TearDown() override { file.Destroy(); }

    int AddInts(const char* name, std::vector<int> ints) {
        CINIValue value(name, INI_TYPE_INTEGER, static_cast<int>(ints.size()), INI_KIND_DECIMAL, ints.data());
        return file.ValueAdd(&value);
    }
    std::string Names() {
        std::string names;
        for (SINIValuePool* v = file.CurrentSection()->opFirstValue; v; v = v->opNext)
            names += std::string(v->caName) + ",";
        return names;
    }
};

} // namespace

TEST(INIValue, BuildChecksItsArgumentsAndNames) {
    int data = 1;
    CINIValue value;
    const std::string badParams = "\nFailure : CINIValue::ValueBuild() > Invalid param(s) passed function!";
    const std::string badName =
        "\nFailure : CINIValue::ValueBuild() > Invalid value name passed to function!";
    ExpectCall(0, badParams, [&] { return value.Build("n", 1, 0, 1, &data); });
    ExpectCall(0, badParams, [&] { return value.Build("n", 1, 1, 1, nullptr); });
    ExpectCall(0, badParams, [&] { return value.Build(nullptr, 1, 1, 1, &data); });
    ExpectCall(0, badName, [&] { return value.Build("", 1, 1, 1, &data); });
    std::string longest(16383, 'v');
    ExpectCall(0, badName, [&] { return value.Build((longest + "v").c_str(), 1, 1, 1, &data); });
    EXPECT_EQ(value.Build(longest.c_str(), 9, -3, 42, &data), 1); // type, kind and sign are not checked here
    EXPECT_EQ(value.iType, 9);
    EXPECT_EQ(value.iKind, 42);
    EXPECT_EQ(value.iCount, -3);
}

TEST_F(ValuesTest, AddedValuesAreOwnCopiesWithinTheElementLimit) {
    std::vector<int> many(100000, 7);
    EXPECT_EQ(AddInts("many", many), 1);
    many.push_back(7);
    ExpectCall(
        0,
        "\nFailure : CINIFile::ValueAdd() > The number of elements <100001> exceeds maximum allowed limit of "
        "<100000>",
        [&] { return AddInts("more", many); });

    int three[] = {1, 2, 3};
    CINIValue negative("neg", INI_TYPE_INTEGER, -3, INI_KIND_DECIMAL, three);
    ASSERT_EQ(file.ValueAdd(&negative), 1);
    three[0] = 99; // the document holds its own copy
    CINIValue read;
    ASSERT_EQ(file.ValueGet("NEG", &read), 1);
    EXPECT_EQ(read.iCount, 3);
    EXPECT_EQ(static_cast<int*>(read.opData)[0], 1);
    EXPECT_STREQ(read.caName, "neg");
}

TEST_F(ValuesTest, NamesAreUniqueWithoutRegardToCase) {
    ASSERT_EQ(AddInts("Rect", {1}), 1);
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(AddInts("RECT", {2}), 0); }),
              "\nFailure : CINIFile::ValueAdd() > The value <RECT> already exists in section <hoops> in this "
              "INI file! "
              "Cannot add two values with the same name to one section!");
    EXPECT_EQ(file.ValueExists("rect"), 1);
    EXPECT_EQ(file.ValueExists("other"), 0);
    CINIValue read;
    EXPECT_EQ(file.ValueGet("rEcT", &read), 1);
    Fails([&] { return file.ValueGet("other", &read); },
          "ValueGet() > Value <other> does not exist in section <hoops>!");
}

TEST_F(ValuesTest, ReplaceAppendsAndKeepsTheCount) {
    for (const char* name : {"a", "b", "c"})
        ASSERT_EQ(AddInts(name, {1}), 1);
    int two = 2;
    CINIValue b("B", INI_TYPE_INTEGER, 1, INI_KIND_HEXADECIMAL, &two);
    EXPECT_EQ(file.ValueReplace("B", &b), 1);
    EXPECT_EQ(Names(), "a,c,B,");
    EXPECT_EQ(file.CurrentSection()->iValueCount, 3);
    CINIValue d("d", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &two);
    EXPECT_EQ(file.ValueReplace("d", &d), 1); // a name not present is simply added
    EXPECT_EQ(Names(), "a,c,B,d,");
    EXPECT_EQ(file.CurrentSection()->opCurrentValue,
              file.CurrentSection()->opFirstValue->opNext->opNext->opNext);
}

TEST_F(ValuesTest, RemoveUnlinksAndKeepsTheListWhole) {
    for (const char* name : {"a", "b", "c", "d"})
        ASSERT_EQ(AddInts(name, {1}), 1);
    EXPECT_EQ(file.ValueRemove("A"), 1);
    EXPECT_EQ(file.ValueRemove("c"), 1);
    EXPECT_EQ(file.ValueRemove("d"), 1);
    EXPECT_EQ(Names(), "b,");
    EXPECT_EQ(file.CurrentSection()->opCurrentValue, file.CurrentSection()->opFirstValue);
    ExpectCall(
        0,
        "\nFailure : CINIFile::ValueRemove() > Value <d> in section <hoops> does not exist in this INI "
        "file!",
        [&] { return file.ValueRemove("d"); });
    EXPECT_EQ(file.ValueRemove("b"), 1);
    EXPECT_EQ(file.CurrentSection()->iValueCount, 0);
    EXPECT_EQ(file.CurrentSection()->opCurrentValue, nullptr);
}

TEST(INIValues, FailuresOfTheValueOperationsInOrder) {
    CINIFile file;
    int one = 1;
    CINIValue value("n", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &one);
    Fails([&] { return file.ValueAdd(&value); }, "ValueAdd() > Invalid param(s) passed to function!");
    Fails([&] { return file.ValueGet("n", &value); }, "ValueGet() > Instance has not been created!");
    ASSERT_EQ(file.Create(), 1);
    Fails([&] { return file.ValueAdd(&value); }, "ValueAdd() > No section exist in this INI file!");
    Fails([&] { return file.ValueGet("n", nullptr); },
          "ValueGet() > Invalid CINIValue object passed to function!");
    Fails([&] { return file.ValueGet("", &value); }, "ValueGet() > Invalid value name passed to function!");
    Fails([&] { return file.ValueGet("n", &value); }, "ValueGet() > No sections exist this INI file!");
    Fails([&] { return file.ValueRemove("n"); },
          "ValueRemove() > Cannot remove value from section as no sections exist!");
    Fails([&] { return file.ValueReplace("n", &value); },
          "ValueReplace() > No sections exist in this INI file!");
    Fails([&] { return file.ValueReplace("", &value); },
          "ValueReplace() > Invalid param(s) passed to function!");
    Fails([&] { return file.ValueExists(nullptr); }, "ValueExists() > Invalid param(s) passed to function!");
    ExpectCall(0, "", [&] { return file.ValueExists("n"); });

    ASSERT_EQ(file.SectionAdd("s"), 1);
    value.iType = 6; // the binary loader's tests take type 0
    const std::string badType = "\nFailure : INIGetTypeSize() > Invalid type!\nFailure : "
                                "CINIFile::ValueAdd() > INIGetTypeSize() failed!";
    ExpectCall(0, badType, [&] { return file.ValueAdd(&value); });
    ExpectCall(0, badType + "\nFailure : CINIFile::ValueReplace() > CINIFile::ValueAdd() failed!",
               [&] { return file.ValueReplace("n", &value); });
    EXPECT_EQ(file.CurrentSection()->iValueCount, 0);
    EXPECT_EQ(INIGetTypeSize(INI_TYPE_RAW32), 4);
    EXPECT_EQ(INIGetTypeSize(INI_TYPE_CHARACTER), 1);
    file.Destroy();
}
