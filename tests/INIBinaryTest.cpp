// The binary INI loader: header checks, sections and values, element byte order, and every fault's messages.
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

// A stored value read back through the document: its fields and its element bytes (with the terminator of a
// string).
struct Stored {
    int type = 0;
    int kind = 0;
    int count = 0;
    std::string bytes;
};

Stored ValueIn(CINIFile& file, const char* section, const char* name) {
    Stored stored;
    CINIValue value;
    if (file.SectionGoto(section) != 1 || file.ValueGet(name, &value) != 1)
        return stored;
    stored.type = value.iType;
    stored.kind = value.iKind;
    stored.count = value.iCount;
    size_t bytes =
        size_t(value.iCount) * INIGetTypeSize(value.iType) + (value.iType == INI_TYPE_STRING ? 1 : 0);
    stored.bytes.assign(static_cast<const char*>(value.opData), bytes);
    return stored;
}

std::vector<int32_t> IntsIn(CINIFile& file, const char* section, const char* name) {
    Stored stored = ValueIn(file, section, name);
    std::vector<int32_t> ints(stored.bytes.size() / 4);
    std::memcpy(ints.data(), stored.bytes.data(), ints.size() * 4);
    return ints;
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

} // namespace

TEST_F(BinaryLoadTest, ExampleFileLoadsOneSectionWithOneValue) {
    const unsigned char example[50] = {
        0x49, 0x4E, 0x42, 0x08, 0x0D, 0x01, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x68,
        0x6F, 0x6F, 0x70, 0x73, 0x00, 0x01, 0x01, 0x02, 0x69, 0x64, 0x00, 0x01, 0x03, 0x00, 0x00, 0x00};
    std::string bytes(reinterpret_cast<const char*>(example), sizeof example);
    BinaryIni written;
    written.Section("hoops").Ints("id", {3});
    EXPECT_EQ(written.Bytes(), bytes); // the writer and the hand-spelled file agree

    EXPECT_EQ(Load(bytes), kLoaded);
    EXPECT_EQ(file.GetCount(), 1);
    EXPECT_EQ(file.Root()->iFileType, 1);
    EXPECT_EQ(file.Root()->iVersion, 1);
    Stored id = ValueIn(file, "hoops", "id");
    EXPECT_EQ(id.type, INI_TYPE_INTEGER);
    EXPECT_EQ(id.count, 1);
    EXPECT_EQ(IntsIn(file, "hoops", "id"), std::vector<int32_t>{3});

    std::string header = BinaryIni().Bytes(); // a header alone is an empty document
    ASSERT_EQ(header.size(), 32u);
    EXPECT_EQ(Load(header), kLoaded);
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(file.GetCount(), 0); }), "");
    EXPECT_EQ(file.CurrentSection(), nullptr);
}

TEST_F(BinaryLoadTest, HeaderFieldsAreKeptAndSectionsLoadInFileOrder) {
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
        const SINIFilePool* root = file.Root();
        EXPECT_EQ(root->iVersion, version);
        EXPECT_EQ(root->iTag1, 65408); // a signed tag byte, sign-extended to 16 bits
        EXPECT_EQ(root->iTag2, 127);
        EXPECT_EQ(root->iTag3, 0xBEEF);
        EXPECT_EQ(root->iWord1, 1);
        EXPECT_EQ(root->iWord2, 0x8000);
        EXPECT_EQ(root->iWord3, 0xFFFF);
        EXPECT_EQ(root->iSectionCount, 3);
        EXPECT_STREQ(file.CurrentSection()->caName, "hoops");
        std::string order;
        for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext)
            order += std::string(section->caName) + "(" + std::to_string(section->iValueCount) + ") ";
        EXPECT_EQ(order, "hoops(1) hoops.hoop0(2) hoops.hoop1(1) ");
    }
}

TEST_F(BinaryLoadTest, ElementsAreLittleEndianInTheFileAndNativeInMemory) {
    BinaryIni values;
    values.Section("values")
        .Value(INI_TYPE_INTEGER, "spelled", 1, "\x04\x03\x02\x01")
        .Ints("ints", {1, -2, 0x01020304})
        .Chars("chars", "xyz")
        .Reals("reals", {1.5f, -0.25f})
        .Raw32("raw", {0xDEADBEEF})
        .String("text", "abcd");
    ASSERT_EQ(Load(values.Bytes()), kLoaded);
    EXPECT_EQ(IntsIn(file, "values", "spelled"), std::vector<int32_t>{0x01020304});
    EXPECT_EQ(IntsIn(file, "values", "ints"), (std::vector<int32_t>{1, -2, 0x01020304}));
    Stored reals = ValueIn(file, "values", "reals");
    float real[2];
    ASSERT_EQ(reals.bytes.size(), sizeof real);
    std::memcpy(real, reals.bytes.data(), sizeof real);
    EXPECT_EQ(real[0], 1.5f);
    EXPECT_EQ(real[1], -0.25f);
    EXPECT_EQ(static_cast<uint32_t>(IntsIn(file, "values", "raw")[0]), 0xDEADBEEFu);
    EXPECT_EQ(ValueIn(file, "values", "chars").bytes, "xyz");
    Stored text = ValueIn(file, "values", "text");
    EXPECT_EQ(text.count, 4);
    EXPECT_EQ(text.bytes, std::string("abcd\0", 5)); // stored zero-terminated

    // Kinds follow the storage type as INI text would give them; raw values have no text form.
    const std::pair<const char*, int> kinds[] = {{"ints", INI_KIND_DECIMAL},
                                                 {"chars", INI_KIND_CHARACTER},
                                                 {"reals", INI_KIND_REAL},
                                                 {"raw", 0},
                                                 {"text", INI_KIND_STRING}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(ValueIn(file, "values", name).kind, kind) << name;
}

TEST_F(BinaryLoadTest, CountZeroStoresOneZeroElementAndLongNamesLoad) {
    BinaryIni odd;
    std::string longest(255, 'n'); // length bytes of 0x80 and above are lengths of 128 to 255
    odd.Section(std::string(200, 's'))
        .Value(INI_TYPE_INTEGER, "none", 0, "")
        .Value(INI_TYPE_STRING, "empty", 0, "");
    odd.Section("names").Ints(longest, {9});
    ASSERT_EQ(Load(odd.Bytes()), kLoaded);
    Stored none = ValueIn(file, std::string(200, 's').c_str(), "none");
    EXPECT_EQ(none.count, 1);
    EXPECT_EQ(none.bytes, std::string(4, '\0'));
    Stored empty = ValueIn(file, std::string(200, 'S').c_str(), "empty");
    EXPECT_EQ(empty.count, 1);
    EXPECT_EQ(empty.bytes, std::string(2, '\0'));
    EXPECT_EQ(IntsIn(file, "names", longest.c_str()), std::vector<int32_t>{9});
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
        {"type 0xFF", [](BinaryIni& f) { f.sections[1].Last().type = 0xFF; }, badType},
        {"repeated value", [](BinaryIni& f) { f.sections[0].Ints("ID", {4}); },
         "\nFailure : CINIFile::ValueAdd() > The value <ID> already exists in section <hoops> in this INI "
         "file! Cannot add two values with the same name to one section!"
         "\nFailure : INIBinaryLoadData() > CINIFile::ValueAdd() failed!"},
        {"cut inside the elements", [](BinaryIni& f) { f.cutTo = f.Bytes().size() - 2; }, kShortRead},
        {"cut inside a section name", [](BinaryIni& f) { f.cutTo = 35; }, kShortRead},
        {"more sections than written", [](BinaryIni& f) { f.sectionCount = 3; }, kShortRead},
        {"more values than written", [](BinaryIni& f) { f.sections[1].valueCount = 3; }, kShortRead},
        {"more elements than written", [](BinaryIni& f) { f.sections[1].Last().count = 5; }, kShortRead},
    };
    int before = INIDocumentCount();
    for (const Fault& fault : faults) {
        BinaryIni damaged = Sample();
        fault.damage(damaged);
        EXPECT_EQ(Load(damaged.Bytes(), 0), fault.printed + kLoadFailed) << fault.what;
        EXPECT_EQ(file.Root(), nullptr) << fault.what;
        EXPECT_EQ(INIDocumentCount(), before) << fault.what;
    }
}

TEST(INIBinaryLoadData, RefusesMissingArguments) {
    CINIFile file;
    ASSERT_EQ(file.Create(), 1);
    TempDir dir;
    FILE* stream = std::fopen(dir.Write("empty.inb", BinaryIni().Bytes()).c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    const std::string invalid = "\nFailure : INIBinaryLoadData() > Invalid param(s) passed to function!";
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(INIBinaryLoadData(nullptr, stream, &file), 0); }), invalid);
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(INIBinaryLoadData(file.Root(), nullptr, &file), 0); }),
              invalid);
    EXPECT_EQ(CapturedDiagnostics([&] { EXPECT_EQ(INIBinaryLoadData(file.Root(), stream, &file), 1); }),
              kLoaded);
    std::fclose(stream);
    file.Destroy();
}
