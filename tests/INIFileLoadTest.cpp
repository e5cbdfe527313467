// Loading a file into a document: the name check, the choice of loader by extension, and what a failed
// load leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "ini/INIFile.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"

namespace {

const std::string kLoaded = "\nBinary INI file loaded.";

struct FileLoadTest : testing::Test {
    TempDir dir;
    CINIFile file;
    void TearDown() override { file.Destroy(); }

    std::string Load(const std::string& name, int expected) {
        return CapturedDiagnostics([&] { EXPECT_EQ(file.Load(name.c_str()), expected) << name; });
    }
    // A created document without sections: GetCount answers 0 without a message.
    void ExpectEmptyCreatedDocument() {
        ASSERT_NE(file.Root(), nullptr);
        ExpectCall(0, "", [&] { return file.GetCount(); });
    }
};

} // namespace

TEST_F(FileLoadTest, ExtensionInbInAnyCaseIsBinaryEverythingElseText) {
    BinaryIni binary;
    binary.Section("hoops").Ints("id", {3});
    for (const char* name : {"a.inb", "b.InB"}) {
        std::string path = dir.Write(name, binary.Bytes());
        EXPECT_EQ(Load(path, 1), kLoaded) << name;
        EXPECT_EQ(file.Root()->iFileType, 1) << name;
        EXPECT_EQ(file.GetCount(), 1) << name;
    }
    for (const char* name : {"e.ini", "h.inbx", "i.inb.ini"}) {
        std::string path = dir.Write(name, "[hoops]\nid = 3\n");
        std::string printed = Load(path, 1);
        EXPECT_EQ(printed.find("Binary"), std::string::npos) << name << printed;
        EXPECT_EQ(file.Root()->iFileType, 0) << name;
    }
}

TEST_F(FileLoadTest, NamesShorterThanFiveCharactersAreRefused) {
    const std::string refused = "\nFailure : CINIFile::Load() > Invalid filename passed to function!";
    for (const char* name : {".inb", "a.in"}) {
        EXPECT_EQ(Load(name, 0), refused) << name;
        ExpectEmptyCreatedDocument();
    }
    ExpectCall(0, refused, [&] { return file.Load(nullptr); });
    ExpectEmptyCreatedDocument();
}

TEST_F(FileLoadTest, UnopenableFileLeavesAnEmptyCreatedDocument) {
    const std::string notOpened = "\nFailure : CINIFile::Load() > _tfopen() failed!";
    std::string path = dir.Write("Catalogue.inb", BinaryIni().Bytes());
    std::string upper = dir.Path("CATALOGUE.INB"); // names are opened as passed, not upper-cased
    for (const std::string& name : {dir.Path("missing.inb"), dir.Path("missing.ini"), upper}) {
        EXPECT_EQ(Load(name, 0), notOpened) << name;
        ExpectEmptyCreatedDocument();
    }
    EXPECT_EQ(Load(path, 1), kLoaded);
}

TEST_F(FileLoadTest, LoadingReplacesTheDocument) {
    int before = INIDocumentCount();
    BinaryIni first;
    first.Section("first").Ints("id", {1});
    first.Section("second").Ints("id", {2});
    BinaryIni other;
    other.Section("other");
    ASSERT_EQ(Load(dir.Write("first.inb", first.Bytes()), 1), kLoaded);
    EXPECT_EQ(INIDocumentCount(), before + 1);
    EXPECT_STREQ(file.CurrentSection()->caName, "first");

    ASSERT_EQ(Load(dir.Write("other.inb", other.Bytes()), 1), kLoaded);
    EXPECT_EQ(INIDocumentCount(), before + 1);
    EXPECT_EQ(file.GetCount(), 1);
    EXPECT_EQ(file.SectionExists("first"), 0);
}
