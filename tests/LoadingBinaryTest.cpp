// The binary INI loader: header checks, sections and values, element byte order, and every fault's messages;
// loading named files of either form.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ini/INIFile.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"

namespace {

const std::string kLoaded = "\nBinary INI file loaded.";
const std::string kLoadFailed = "\nFailure : CINIFile::Load() > INIBinaryLoadData() failed!";
const std::string kShortRead =
    "\nFailure : INIBinaryLoadData() > Binary INI file contains invalid data! Unexpected end of file.";

std::string Element(int type, const char* at) {
    int32_t word = 0;
    float real = 0;
    char text[32] = {*at, 0};
    std::memcpy(&word, at, type == INI_TYPE_CHARACTER || type == INI_TYPE_STRING ? 0 : 4);
    std::memcpy(&real, at, type == INI_TYPE_REAL ? 4 : 0);
    if (type == INI_TYPE_INTEGER)
        snprintf(text, sizeof text, "%d,", word);
    if (type == INI_TYPE_RAW32)
        snprintf(text, sizeof text, "%x,", static_cast<unsigned>(word));
    if (type == INI_TYPE_REAL)
        snprintf(text, sizeof text, "%g,", real);
    return std::string(text, type == INI_TYPE_CHARACTER || type == INI_TYPE_STRING ? 1 : strlen(text));
}

// The document: "[section]" then "name type kind count:elements;" for each value, the elements read in
// native byte order (raw words in hex), a string with "~" for its terminator.
std::string Dump(const CINIFile& file) {
    std::string text;
    for (SINISectionPool* section = file.Root()->opFirstSection; section; section = section->opNext) {
        text += "[" + std::string(section->caName) + "]";
        for (SINIValuePool* v = section->opFirstValue; v; v = v->opNext) {
            text += std::string(v->caName) + " " + std::to_string(v->iType) + " " + std::to_string(v->iKind) +
                    " " + std::to_string(v->iCount) + ":";
            for (int k = 0; k < v->iCount; ++k)
                text += Element(v->iType, static_cast<const char*>(v->opData) + k * INIGetTypeSize(v->iType));
            if (v->iType == INI_TYPE_STRING && static_cast<const char*>(v->opData)[v->iCount] == '\0')
                text += "~";
            text += ";";
        }
    }
    return text;
}

// Two sections as a hoop catalogue has them.
BinaryIni Sample() {
    BinaryIni file;
    file.Section("hoops").Ints("id", {3});
    file.Section("hoops.hoop0").String("description", "Round 100").Ints("rect", {-500, -500, 500, 500});
    return file;
}

struct BinaryLoadTest : testing::Test {
    TempDir dir;
    CINIFile file;
    void TearDown() override { file.Destroy(); }

    // Loads the bytes through CINIFile::Load; answers what was printed.
    std::string Load(const std::string& bytes, int expected = 1) {
        std::string path = dir.Write("catalogue.inb", bytes);
        return CapturedDiagnostics([&] { EXPECT_EQ(file.Load(path.c_str()), expected); });
    }
};

// Loading a named file: the name check, the choice of loader by extension, and what a failed load leaves.
struct FileLoadTest : BinaryLoadTest {
    std::string LoadFile(const std::string& name, int expected) {
        return CapturedDiagnostics([&] { EXPECT_EQ(file.Load(name.c_str()), expected) << name; });
    }
    // A created document without sections: GetCount answers 0 without a message.
    void ExpectEmptyCreatedDocument() {
        ASSERT_NE(file.Root(), nullptr);
        ExpectCall(0, "", [&] { return file.GetCount(); });
    }
};

} // namespace

TEST_F(BinaryLoadTest, ExampleFileLoadsOneSectionWithOneValue) {
    const char example[] = "INB\x08\x0D\x01\0\0\0\x32\0\0\0\0\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0"
                           "\x05hoops\0\x01\x01\x02id\0\x01\x03\0\0";
    EXPECT_EQ(Load(std::string(example, sizeof example)), kLoaded); // with the last zero byte of the element
    EXPECT_EQ(Dump(file), "[hoops]id 1 1 1:3,;");

    EXPECT_EQ(Load(BinaryIni().Bytes()), kLoaded); // a header alone is an empty document
    ExpectCall(0, "", [&] { return file.GetCount(); });
    EXPECT_EQ(file.CurrentSection(), nullptr);
}

TEST_F(BinaryLoadTest, HeaderFieldsAreReadAndSectionsLoadInFileOrder) {
    for (uint16_t version : {0, 1}) {
        BinaryIni header = Sample();
        header.Section("hoops.hoop1").Ints("id", {7});
        header.version = version;
        header.tag1 = 0x80;
        header.tag2 = 0x7F;
        header.tag3 = 0xBEEF;
        header.word1 = 1;
        header.word2 = 0x8000;
        header.word3 = 0xFFFF;
        header.reserved = "reserved";
        header.trailing = "bytes after the last value are not read";
        ASSERT_EQ(Load(header.Bytes()), kLoaded);
        EXPECT_EQ(file.Root()->iSectionCount, 3);
        EXPECT_STREQ(file.CurrentSection()->caName, "hoops");
        EXPECT_EQ(Dump(file), "[hoops]id 1 1 1:3,;[hoops.hoop0]description 5 5 9:Round 100~;rect 1 1 "
                              "4:-500,-500,500,500,;[hoops.hoop1]id 1 1 1:7,;");
    }
}

// Elements are little-endian in the file and native in memory; kinds follow the storage type as INI text
// would give them, raw values have none. A count of 0 stores one zero element; name lengths of 0x80 and
// above are lengths of 128 to 255.
TEST_F(BinaryLoadTest, ElementsCountsAndNamesLoadAsWritten) {
    BinaryIni values;
    values.Section("values")
        .Value(INI_TYPE_INTEGER, "spelled", 1, "\x04\x03\x02\x01")
        .Ints("ints", {1, -2, 0x01020304})
        .Chars("chars", "xyz")
        .Reals("reals", {1.5f, -0.25f})
        .Raw32("raw", {0xDEADBEEF})
        .String("text", "abcd");
    std::string longest(255, 'n');
    values.Section(std::string(200, 's'))
        .Value(INI_TYPE_INTEGER, "none", 0, "")
        .Value(INI_TYPE_STRING, "empty", 0, "");
    values.Section("names").Ints(longest, {9});
    ASSERT_EQ(Load(values.Bytes()), kLoaded);
    EXPECT_EQ(Dump(file),
              "[values]spelled 1 1 1:16909060,;ints 1 1 3:1,-2,16909060,;chars 2 4 3:xyz;reals 3 6 "
              "2:1.5,-0.25,;raw 4 0 1:deadbeef,;text 5 5 4:abcd~;[" +
                  std::string(200, 's') + "]none 1 1 1:0,;empty 5 5 1:" + std::string(1, '\0') + "~;[names]" +
                  longest + " 1 1 1:9,;");
}

// Each fault: how the sample is damaged, and what the loader prints before CINIFile::Load's own message.
TEST_F(BinaryLoadTest, FaultsFailTheLoadWithTheirMessagesAndLeaveNothing) {
    const std::string invalid = "\nFailure : INIBinaryLoadData() > Binary INI file contains invalid data! ";
    const std::string badType = "\nFailure : INIGetTypeSize() > Invalid type!"
                                "\nFailure : INIBinaryLoadData() > Invalid value type detected, load failed!";
    const std::string corruptedName = "\nFailure : INIBinaryLoadData() > Corrupted value name!";
    const std::string noSection =
        "\nFailure : INIBinaryLoadData() > Could not load a section from the Binary INI file!";
    struct Fault {
        const char* what;
        std::function<void(BinaryIni&)> damage;
        std::string printed;
    };
    const Fault faults[] = {
        {"31 bytes", [](BinaryIni& f) { f.cutTo = 31; },
         "\nFailure : INIBinaryLoadData() > The Binary INI file has invalid size!"},
        {"DESC0", [](BinaryIni& f) { f.desc0 = "INC"; }, invalid + "Errornous DESC0."},
        {"DESC1 as text", [](BinaryIni& f) { f.desc1 = "INB"; }, invalid + "Errornous DESC1."},
        {"isize + 1", [](BinaryIni& f) { f.isizeDelta = 1; }, invalid + "Errornous isize."},
        {"isize - 1", [](BinaryIni& f) { f.isizeDelta = -1; }, invalid + "Errornous isize."},
        {"version 2", [](BinaryIni& f) { f.version = 2; },
         "\nFailure : CINIFile::LoadBinaryData() > Binary INI file  VERSION is incompatible! "
         "Binary File Version <2> / INI Loader Version <1>."},
        {"section name length 0", [](BinaryIni& f) { f.sections[1].nameLength = 0; },
         "\nFailure : CINIFile::LoadBinaryData() > invalid section name found in Binary INI file!"},
        {"section name starting with a zero byte",
         [](BinaryIni& f) { f.sections[1].name.insert(0, 1, '\0'); },
         "\nFailure : CINIFile::SectionAdd() > Invalid name passed to function!" + noSection},
        {"repeated section", [](BinaryIni& f) { f.Section("HOOPS"); },
         "\nFailure : CINIFile::SectionAdd() > The section <HOOPS> already exists in this INI file!" +
             noSection},
        {"value name length 0", [](BinaryIni& f) { f.sections[1].Last().nameLength = 0; }, corruptedName},
        {"value name starting with a zero byte",
         [](BinaryIni& f) { f.sections[1].Last().name.insert(0, 1, '\0'); }, corruptedName},
        {"type 0", [](BinaryIni& f) { f.sections[1].Last().type = 0; }, badType},
        {"type 6", [](BinaryIni& f) { f.sections[1].Last().type = 6; }, badType},
        {"repeated value", [](BinaryIni& f) { f.sections[0].Ints("ID", {4}); },
         "\nFailure : CINIFile::ValueAdd() > The value <ID> already exists in section <hoops> in this INI "
         "file! Cannot add two values with the same name to one section!"
         "\nFailure : INIBinaryLoadData() > CINIFile::ValueAdd() failed!"},
        {"cut inside the elements", [](BinaryIni& f) { f.cutTo = f.Bytes().size() - 2; }, kShortRead},
        {"more sections than written", [](BinaryIni& f) { f.sectionCount = 3; }, kShortRead},
        {"more values than written", [](BinaryIni& f) { f.sections[1].valueCount = 3; }, kShortRead},
        {"more elements than written", [](BinaryIni& f) { f.sections[1].Last().count = 5; }, kShortRead},
    };
    for (const Fault& fault : faults) {
        BinaryIni damaged = Sample();
        fault.damage(damaged);
        EXPECT_EQ(Load(damaged.Bytes(), 0), fault.printed + kLoadFailed) << fault.what;
        EXPECT_EQ(file.Root(), nullptr) << fault.what;
    }
}

TEST_F(FileLoadTest, ExtensionInbInAnyCaseIsBinaryEverythingElseText) {
    BinaryIni binary;
    binary.Section("hoops").Ints("id", {3});
    for (const char* name : {"a.inb", "b.InB"}) {
        std::string path = dir.Write(name, binary.Bytes());
        EXPECT_EQ(LoadFile(path, 1), kLoaded) << name;
        EXPECT_EQ(file.GetCount(), 1) << name;
    }
    for (const char* name : {"e.ini", "h.inbx", "i.inb.ini"}) {
        std::string path = dir.Write(name, "[hoops]\nid = 3\n");
        std::string printed = LoadFile(path, 1);
        EXPECT_EQ(printed.find("Binary"), std::string::npos) << name << printed;
        EXPECT_EQ(file.GetCount(), 1) << name;
    }
}

TEST_F(FileLoadTest, NamesShorterThanFiveCharactersAreRefused) {
    const std::string refused = "\nFailure : CINIFile::Load() > Invalid filename passed to function!";
    for (const char* name : {".inb", "a.in"}) {
        EXPECT_EQ(LoadFile(name, 0), refused) << name;
        ExpectEmptyCreatedDocument();
    }
    ExpectCall(0, refused, [&] { return file.Load(nullptr); });
    ExpectEmptyCreatedDocument();
}

TEST_F(FileLoadTest, UnopenableFileLeavesAnEmptyCreatedDocument) {
    const std::string notOpened = "\nFailure : CINIFile::Load() > _tfopen() failed!";
    std::string path = dir.Write("Catalogue.inb", BinaryIni().Bytes());
    std::vector<std::string> names = {dir.Path("missing.inb"), dir.Path("missing.ini")};
#ifndef _WIN32
    names.push_back(
        dir.Path("CATALOGUE.INB")); // names are opened as passed, not upper-cased (Windows folds case)
#endif
    for (const std::string& name : names) {
        EXPECT_EQ(LoadFile(name, 0), notOpened) << name;
        ExpectEmptyCreatedDocument();
    }
    EXPECT_EQ(LoadFile(path, 1), kLoaded);
}

TEST_F(FileLoadTest, LoadingReplacesTheDocument) {
    BinaryIni first, other;
    first.Section("first").Ints("id", {1});
    other.Section("other");
    ASSERT_EQ(LoadFile(dir.Write("first.inb", first.Bytes()), 1), kLoaded);
    ASSERT_EQ(LoadFile(dir.Write("other.inb", other.Bytes()), 1), kLoaded);
    EXPECT_EQ(file.GetCount(), 1);
    EXPECT_EQ(file.SectionExists("first"), 0);
}
