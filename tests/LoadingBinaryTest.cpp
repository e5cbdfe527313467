// The binary INI loader: header checks, sections and values, element byte order, and every fault's messages;
// loading named files of either form.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ini/INIFile.h"
#include "support/BinaryIni.h"
#include "support/Captured.h"
#include "support/Document.h"

namespace {

const std::string kLoaded = "\nBinary INI file loaded.";
const std::string kLoadFailed = "\nFailure : CINIFile::Load() > INIBinaryLoadData() failed!";
const std::string kShortRead =
    "\nFailure : INIBinaryLoadData() > Binary INI file contains invalid data! Unexpected end of file.";

// Two sections as a hoop catalogue has them.
BinaryIni Sample() {
    BinaryIni file;
    file.Section("hoops").Ints("id", {3});
    file.Section("hoops.hoop0").String("description", "Round 100").Ints("rect", {-500, -500, 500, 500});
    return file;
}

LoadedDocument Load(const std::string& bytes) {
    return LoadDocument(bytes, "catalogue.inb");
}

} // namespace

// A file spelled out byte by byte; a header alone; header fields that the loader stores as read, whatever
// their values (version 0 included), sections in file order and bytes after the last value left unread.
TEST(LoadingBinary, HeaderFieldsAreReadAndSectionsLoadInFileOrder) {
    const char example[] = "INB\x08\x0D\x01\0\0\0\x32\0\0\0\0\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0"
                           "\x05hoops\0\x01\x01\x02id\0\x01\x03\0\0";
    LoadedDocument loaded =
        Load(std::string(example, sizeof example)); // with the last zero byte of the element
    EXPECT_EQ(loaded.printed + loaded.text, kLoaded + "[hoops]id 1d:3,;@hoops");
    loaded = Load(BinaryIni().Bytes());
    EXPECT_EQ(loaded.printed + loaded.text, kLoaded + "@");
    BinaryIni header = Sample();
    header.Section("hoops.hoop1").Ints("id", {7});
    header.tag1 = 0x80;
    header.tag2 = 0x7F;
    header.tag3 = 0xBEEF;
    header.word1 = 1;
    header.word2 = 0x8000;
    header.word3 = 0xFFFF;
    header.reserved = "reserved";
    header.trailing = "bytes after the last value are not read";
    for (uint16_t version : {0, 1}) {
        header.version = version;
        loaded = Load(header.Bytes());
        EXPECT_EQ(loaded.printed + loaded.text,
                  kLoaded + "[hoops]id 1d:3,;[hoops.hoop0]description 5s:Round 100;"
                            "rect 1d:-500,-500,500,500,;[hoops.hoop1]id 1d:7,;@hoops");
    }
}

// Elements are little-endian in the file and native in memory; kinds follow the storage type as INI text
// would give them, raw values have none. A count of 0 stores one zero element; name lengths of 0x80 and
// above are lengths of 128 to 255.
TEST(LoadingBinary, ElementsCountsAndNamesLoadAsWritten) {
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
    LoadedDocument loaded = Load(values.Bytes());
    EXPECT_EQ(loaded.printed, kLoaded);
    EXPECT_EQ(loaded.text,
              "[values]spelled 1d:16909060,;ints 1d:1,-2,16909060,;chars 2c:xyz;reals 3r:1.5,-0.25,;"
              "raw 4?:deadbeef,;text 5s:abcd;[" +
                  std::string(200, 's') + "]none 1d:0,;empty 5s:" + std::string(1, '\0') + ";[names]" +
                  longest + " 1d:9,;@values");
}

// Each fault: how the sample is damaged, and what the loader prints before CINIFile::Load's own message.
TEST(LoadingBinary, FaultsFailTheLoadWithTheirMessagesAndLeaveNothing) {
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
        LoadedDocument loaded = Load(damaged.Bytes());
        EXPECT_EQ(loaded.result, 0) << fault.what;
        EXPECT_EQ(loaded.printed + loaded.text, fault.printed + kLoadFailed + "(none)") << fault.what;
    }
}

// Named files: the form chosen by the extension in any letter case, names too short and files that do not
// open refused. One document takes every load: each load replaces what the last one left, and a failed one
// leaves it created and empty.
TEST(LoadingBinary, NamedFilesLoadByTheirExtension) {
    TempDir dir;
    BinaryIni binary;
    binary.Section("hoops").Ints("id", {3});
    const std::string text = "[hoops]\nid = 3\n",
                      summary = "\nLoaded INI file - Errors <0000> Warnings <0000>.";
    const std::string refused = "\nFailure : CINIFile::Load() > Invalid filename passed to function!";
    const std::string notOpened = "\nFailure : CINIFile::Load() > _tfopen() failed!";
    dir.Write("Catalogue.inb", binary.Bytes());
    const std::pair<std::string, std::string> cases[] = {
        {dir.Write("a.inb", binary.Bytes()), kLoaded},
        {dir.Write("b.InB", binary.Bytes()), kLoaded},
        {dir.Write("e.ini", text), summary},
        {dir.Write("h.inbx", text), summary},
        {dir.Write("i.inb.ini", text), summary},
        {".inb", refused},
        {"a.in", refused},
        {dir.Path("missing.inb"), notOpened},
        {dir.Path("missing.ini"), notOpened},
#ifndef _WIN32
        {dir.Path("CATALOGUE.INB"), notOpened}, // names are opened as passed, not upper-cased
#endif
    };
    CINIFile file;
    for (const auto& [path, printed] : cases) {
        int result = printed == summary || printed == kLoaded;
        ExpectCall(result, printed, [&] { return file.Load(path.c_str()); });
        EXPECT_EQ(DocumentText(file), result ? "[hoops]id 1d:3,;@hoops" : "@") << path;
    }
    ExpectCall(0, refused, [&] { return file.Load(nullptr); });
    file.Destroy();
}
