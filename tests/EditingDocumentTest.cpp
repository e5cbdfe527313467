// Editing an INI document: every operation's answer, message and effect in each state of a document, the
// value record's own checks, and the missing arguments that every operation of the engine refuses.
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ini/INIText.h"
#include "support/Captured.h"
#include "support/Document.h"

namespace {

enum State { kNone, kEmpty, kFilled }; // not created; created without sections; the sections of kFilledText
const char kFilledText[] = "[hoops][B]Rect 1d:1,;Next 1d:2,;@B";

// A value of `count` elements 7 (or of a single element `first`), held until the next call.
CINIValue* Ints(const char* name, int count = 1, int type = INI_TYPE_INTEGER, int first = 7) {
    static std::vector<int> data;
    static CINIValue value;
    data.assign(100001, 7);
    data[0] = first;
    value.Build(name, type, count, INI_KIND_HEXADECIMAL, data.data());
    return &value;
}

CString* Name() {
    static CString name;
    return &name;
}

struct Row {
    State state;
    std::function<int(CINIFile&)> call;
    int result;
    std::string printed;    // without "\nFailure : CINIFile::" when it begins so
    std::string after = ""; // the document afterwards; empty: as before
};

#define CALL(expression) [](CINIFile& f) { return expression; }

} // namespace

TEST(INIDocument, EachOperationInEachState) {
    const std::string longest(16383, 'n'), tooLong(16384, 'n');
    std::string many;
    for (int k = 0; k < 100000; ++k)
        many += "7,";
    const std::string noSections = "() > No sections exist in this INI file!";
    const std::string exists = "The value <RECT> already exists in section <B> in this INI file! Cannot add "
                               "two values with the same name to one section!";
    const std::string badType =
        "\nFailure : INIGetTypeSize() > Invalid type!\nFailure : CINIFile::ValueAdd() > "
        "INIGetTypeSize() failed!";
    const Row rows[] = {
        {kNone, CALL(f.GetCount()), 0, "GetCount() > Instance has not been created!"},
        {kNone, CALL(f.SectionGetName(Name())), 0, "SectionGetName() > Instance has not been created!"},
        {kNone, CALL(f.SectionFirst()), 0, "SectionFirst() > Instance has not been created!"},
        {kNone, CALL(f.SectionAdd("a")), 0, "SectionAdd() > Instance has not been created!"},
        {kNone, CALL(f.ValueAdd(Ints("a"))), 0, "ValueAdd() > Invalid param(s) passed to function!"},
        {kNone, CALL(f.ValueReplace("a", Ints("a"))), 0,
         "ValueReplace() > Invalid param(s) passed to function!"},
        {kNone, CALL(f.Destroy() + f.Destroy()), 2, ""},
        {kNone, CALL(f.Create()), 1, "", "@"},
        {kEmpty, CALL(f.GetCount()), 0, ""},
        {kEmpty, CALL(f.SectionGetName(Name())), 0, "SectionGetName" + noSections},
        {kEmpty, CALL(f.SectionFirst()), 0, "SectionFirst" + noSections},
        {kEmpty, CALL(f.ValueAdd(Ints("a"))), 0, "ValueAdd() > No section exist in this INI file!"},
        {kEmpty, CALL(f.ValueReplace("a", Ints("a"))), 0, "ValueReplace" + noSections},
        {kEmpty, CALL(f.Destroy()), 1, "", "(none)"},
        // Sections keep their order and the case they were added with; names have 1 to 16383 characters.
        {kFilled, CALL(f.GetCount()), 2, ""},
        {kFilled, CALL(f.SectionAdd("C") + f.SectionAdd("d") + f.GetCount()), 6, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;[C][d]@d"},
        {kFilled, CALL(f.SectionAdd("HOOPS")), 0,
         "SectionAdd() > The section <HOOPS> already exists in this INI file!"},
        {kFilled, CALL(f.SectionFirst()), 1, "", "[hoops][B]Rect 1d:1,;Next 1d:2,;@hoops"},
        {kFilled,
         [](CINIFile& f) {
             CString name;
             return f.SectionGetName(&name) && name == "B";
         },
         1, ""},
        {kFilled, [&](CINIFile& f) { return f.SectionAdd(longest.c_str()); }, 1, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;[" + longest + "]@" + longest},
        {kFilled, [&](CINIFile& f) { return f.SectionAdd(tooLong.c_str()); }, 0,
         "SectionAdd() > Invalid name passed to function!"},
        {kFilled, CALL(f.SectionAdd("")), 0, "SectionAdd() > Invalid name passed to function!"},
        {kFilled, CALL(f.ValueReplace("", Ints("a"))), 0,
         "ValueReplace() > Invalid param(s) passed to function!"},
        // Values: names unique in any case, own copies of their elements, at most 100000 of them.
        {kFilled, CALL(f.ValueAdd(Ints("RECT"))), 0, "ValueAdd() > " + exists},
        {kFilled, CALL(f.ValueAdd(Ints("many", 100000))), 1, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;many 1h:" + many + ";@B"},
        {kFilled, CALL(f.ValueAdd(Ints("more", 100001))), 0,
         "ValueAdd() > The number of elements <100001> exceeds maximum allowed limit of <100000>"},
        {kFilled, CALL(f.ValueAdd(Ints("neg", -3, INI_TYPE_INTEGER, 5))), 1, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;neg 1h:5,7,7,;@B"},
        {kFilled, CALL(f.ValueAdd(Ints("text", 3, INI_TYPE_STRING, 'a' * 0x01010101))), 1, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;text 5h:aaa;@B"},
        {kFilled, CALL(f.ValueAdd(Ints("t", 1, 6))), 0, badType},
        {kFilled, CALL(f.ValueAdd(Ints("t", 1, 0))), 0, badType},
        // A replaced value goes to the end under its new spelling, the list kept linked whichever value goes;
        // a failed replace loses the old value.
        {kFilled, CALL(f.ValueReplace("RECT", Ints("RECT"))), 1, "", "[hoops][B]Next 1d:2,;RECT 1h:7,;@B"},
        {kFilled, CALL(f.ValueReplace("next", Ints("next")) + f.ValueAdd(Ints("z"))), 2, "",
         "[hoops][B]Rect 1d:1,;next 1h:7,;z 1h:7,;@B"},
        {kFilled, CALL(f.ValueReplace("new", Ints("new"))), 1, "",
         "[hoops][B]Rect 1d:1,;Next 1d:2,;new 1h:7,;@B"},
        {kFilled, CALL(f.ValueReplace("Rect", Ints("Rect", 1, 6))), 0,
         badType + "\nFailure : CINIFile::ValueReplace() > CINIFile::ValueAdd() failed!",
         "[hoops][B]Next 1d:2,;@B"},
    };
    for (const Row& row : rows) {
        CINIFile file;
        if (row.state != kNone) {
            file.Create();
        }
        if (row.state == kFilled) {
            int one = 1, two = 2;
            CINIValue rect("Rect", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &one);
            CINIValue next("Next", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &two);
            ASSERT_TRUE(file.SectionAdd("hoops") && file.SectionAdd("B") && file.ValueAdd(&rect) &&
                        file.ValueAdd(&next));
        }
        const std::string before = DocumentText(file);
        const std::string printed = row.printed.empty() || row.printed[0] == '\n'
                                        ? row.printed
                                        : "\nFailure : CINIFile::" + row.printed;
        ExpectCall(row.result, printed, [&] { return row.call(file); });
        EXPECT_EQ(DocumentText(file), row.after.empty() ? before : row.after) << printed;
        file.Destroy();
    }
}

TEST(INIValue, BuildChecksItsArgumentsAndNames) {
    int data = 1;
    CINIValue value;
    const std::string badParams = "\nFailure : CINIValue::ValueBuild() > Invalid param(s) passed function!";
    const std::string badName =
        "\nFailure : CINIValue::ValueBuild() > Invalid value name passed to function!";
    std::string longest(16383, 'v');
    ExpectCall(0, badParams, [&] { return value.Build("n", 1, 0, 1, &data); });
    ExpectCall(0, badParams, [&] { return value.Build("n", 1, 1, 1, nullptr); });
    ExpectCall(0, badParams, [&] { return value.Build(nullptr, 1, 1, 1, &data); });
    ExpectCall(0, badName, [&] { return value.Build("", 1, 1, 1, &data); });
    ExpectCall(0, badName, [&] { return value.Build((longest + "v").c_str(), 1, 1, 1, &data); });
    EXPECT_EQ(value.Build(longest.c_str(), 9, -3, 42, &data), 1); // type, kind and sign are not checked here
    EXPECT_EQ(std::vector<int>({value.iType, value.iKind, value.iCount}), std::vector<int>({9, 42, -3}));
    EXPECT_EQ(value.opData, &data);
    CINIValue copy;
    copy = value;
    EXPECT_EQ(std::string(copy.caName) + std::to_string(copy.iCount), longest + "-3");
}

// Every operation of the engine that takes a pointer refuses a missing one (and the steps of the text loader
// a record that belongs to no load) with its message and its failure value.
TEST(INIEngine, MissingArgumentsAreRefused) {
    CINIFile file;
    file.Create();
    file.SectionAdd("s");
    TempDir dir;
    FILE* stream = fopen(dir.Write("a.ini", "[s]\n").c_str(), "rb");
    SINISourceLine* unprepared = INISourceLineCreate(); // no stream
    using Step = std::function<int(SINISourceLine*)>;
    const std::pair<Step, std::string> steps[] = {
        {[&](SINISourceLine* l) { return INISourceCheckIsSection(l, &file) + 1; }, "INISourceCheckIsSection"},
        {INISourceCheckIntegrity, "CINIFile::INISourceCheckIntegrity"},
        {INISourceSplitLine, "CINIFile::INISourceSplitLine"},
        {INISourceCheckValidity, "CINIFile::INISourceCheckValidity"},
        {INISourceClasifyValue, "CINIFile::INISourceClasifyValue"},
        {INISourceCheckValueSymbols, "CINIFile::INISourceCheckValueSymbols"},
        {[&](SINISourceLine* l) { return INISourceStoreValues(l, &file); }, "INISourceStoreValues"},
        {[&](SINISourceLine* l) { return INISourceStoreDecimalValues(l, &file); },
         "INISourceStoreDecimalValues"},
        {[&](SINISourceLine* l) { return INISourceStoreStringValues(l, &file); },
         "INISourceStoreStringValues"},
        {[&](SINISourceLine* l) { return INISourceStoreBinaryValues(l, &file); },
         "INISourceStoreBinaryValues"},
    };
    std::vector<std::pair<std::function<int()>, std::string>> calls = {
        {[&] { return INISourceLoadData(file.Root(), nullptr, &file); },
         "INISourceLoadData() > Invalid param(s)"},
        {[&] { return INISourceLoadData(nullptr, stream, &file); }, "INISourceLoadData() > Invalid param(s)"},
        {[&] { return INIBinaryLoadData(file.Root(), nullptr, &file); },
         "INIBinaryLoadData() > Invalid param(s)"},
        {[&] { return INIBinaryLoadData(nullptr, stream, &file); }, "INIBinaryLoadData() > Invalid param(s)"},
        {[] { return INISourceProcess(nullptr, nullptr); }, "CINIFile::INISourceProcess() > Invalid param"},
        {[&] { return file.SectionGetName(nullptr); }, "CINIFile::SectionGetName() > Invalid param"},
        {[&] { return file.ValueAdd(nullptr); }, "CINIFile::ValueAdd() > Invalid param(s)"},
    };
    for (const auto& [step, name] : steps) {
        calls.push_back({[&step = step] { return step(nullptr); }, name + "() > Invalid param"});
        calls.push_back({[&step = step, unprepared] { return step(unprepared); },
                         name + "() > opLine has not been initialized correctly!"});
    }
    for (const auto& [call, message] : calls) {
        const std::string ending = message.back() == '!' ? "" : " passed to function!";
        ExpectCall(0, "\nFailure : " + message + ending, call);
    }
    INISourceLineDestroy(unprepared);
    fclose(stream);
    file.Destroy();
}
