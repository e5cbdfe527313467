// Loading INI text: reading the lines, sections, the six kinds of value and their element errors,
// replacement, the per-line error reports, names matched without regard to ASCII case, and conversions that
// no locale changes.
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <pthread.h>
#include <random>
#include <string>
#include <vector>

#include "ini/INIFileNameHash.h"
#include "ini/INIText.h"
#include "ini/INITextConvert.h"
#include "platform/NoCase.h"
#include "support/AllocationFaults.h"
#include "support/Captured.h"
#include <brevant/CString.h>

namespace {

std::string Summary(int errors) {
    char text[64];
    snprintf(text, sizeof text, "\nLoaded INI file - Errors <%04d> Warnings <0000>.", errors);
    return text;
}

std::string LineError(int line, const std::string& message) {
    char prefix[32];
    snprintf(prefix, sizeof prefix, "\nError : Line <%04d> - ", line);
    return prefix + message;
}

struct SourceLines : testing::Test {
    TempDir dir;
    CINIFile file;
    std::string printed;

    void TearDown() override { file.Destroy(); }

    // Loads the text into a fresh document; the diagnostics land in `printed`.
    int Load(const std::string& text) {
        file.Create();
        FILE* stream = fopen(dir.Write("source.ini", text).c_str(), "rb");
        int result = 0;
        printed = CapturedDiagnostics([&] { result = INISourceLoadData(file.Root(), stream, &file); });
        fclose(stream);
        return result;
    }

    // Each section with its values (the first element as an integer), then "@" and the current section.
    std::string Dump() {
        std::string listed;
        for (SINISectionPool* section = file.Root()->opFirstSection; section; section = section->opNext) {
            listed += "[" + std::string(section->caName) + "]";
            for (SINIValuePool* value = section->opFirstValue; value; value = value->opNext)
                listed += std::string(value->caName) + "=" +
                          std::to_string(*static_cast<int*>(value->opData)) + ";";
        }
        return listed + "@" + (file.CurrentSection() ? file.CurrentSection()->caName : "");
    }
};

} // namespace

TEST_F(SourceLines, WholeTextsLoadAsTheirLinesSay) {
    const char kNul[] = "[s]\nn=1\0junk\n\0[t]\nm=2\n";
    const std::string badName =
        "Errornous symbol <0x5d><']'> in VALUE NAME (only a-z, A-Z, 0-9, '_' & '-' applicable).";
    std::string section(INI_LINE_CAPACITY - 3, 's'), name(INI_LINE_CAPACITY - 3, 'n');
    struct Case {
        std::string text, printed, dump;
    } cases[] = {
        {"", Summary(0), "@"},
        {"; note\n   \n  [hoops]  ; comment\n\ntext=1\n\t n \t=\t 2\t\n\t[other.one]\t\nx=2\n", Summary(0),
         "[hoops]text=1;n=2;[other.one]x=2;@other.one"},
        // A repeated header enters the earlier section again.
        {"[hoops]\na=1\n[other]\nb=2\n[Hoops]\nc=3\n", Summary(0), "[hoops]a=1;c=3;[other]b=2;@hoops"},
        // Characters between the first and the last "]" stay part of the name.
        {"[s]\nn=5 ; five\nmy_key-2 = 7\nq=3;;\nbracket]=1\n[a]b]\nv=1\n[x] ; y]\n",
         LineError(5, badName) + Summary(1), "[s]n=5;my_key-2=7;q=3;[a]b]v=1;[x]@x"},
        // CR LF counts as two line ends; errors are counted and the load goes on.
        {"[s]\r\nn=1\r\nbad\r\n=15\r\n",
         LineError(5, "Syntax error.") + LineError(7, "Unexpected symbol <0x3d><'='>.") + Summary(2),
         "[s]n=1;@s"},
        // A byte order mark is skipped at the start only, and only whole.
        {"\xEF\xBB\xBF[s]\nn=1\nbad\n", LineError(3, "Syntax error.") + Summary(1), "[s]n=1;@s"},
        {"\xEF\xBB[s]\n", LineError(1, "Syntax error.") + Summary(1), "@"},
        {"[s]\n\xEF\xBB\xBFn=1\n",
         LineError(2, "Errornous symbol <0xffffffef><'\xEF'> in VALUE NAME (only a-z, A-Z, 0-9, '_' & '-' "
                      "applicable).") +
             Summary(1),
         "[s]@s"},
        // An unreadable line ends the load.
        {"[s]\nn=1\nm=2", "\nFailure : INIStringReadLine > kuFile_Read() failed!" + Summary(0), "[s]n=1;@s"},
        {"[s]\n" + std::string(INI_LINE_CAPACITY, 'x') + "\nn=1\n",
         "\nFailure : INIStringReadLine > File line is larger than the arguement string length, failed!" +
             Summary(0),
         "[s]@s"},
        {std::string(kNul, sizeof kNul - 1), Summary(0), "[s]n=1;m=2;@s"}, // a NUL byte cuts the line short
        {"[" + section + "]\n" + name + "=1\n", Summary(0), "[" + section + "]" + name + "=1;@" + section},
        // A value before any section is dropped without an error.
        {"n=1\n[s]\n",
         "\nFailure : CINIFile::ValueAdd() > No section exist in this INI file!"
         "\nFailure : INISourceStoreDecimalValues() > CINIFile::ValueAdd() failed!" +
             Summary(0),
         "[s]@s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Load(c.text), 1) << c.text;
        EXPECT_EQ(printed, c.printed) << c.text;
        EXPECT_EQ(Dump(), c.dump) << c.text;
    }
    Load("[a]\n[b]\n[A]\n");
    EXPECT_EQ(Dump(), "[a][b]@a"); // the section entered last stays current
}

TEST_F(SourceLines, FaultyLinesAreReportedAndSkipped) {
    struct Case {
        std::string line;
        std::string message;
    } cases[] = {
        {"[hoops]x", "Errornous or incomplete section name!"},
        {"[]", "Errornous or incomplete section name!"},
        {"[a;b]", "Errornous or incomplete section name!"},
        {"[ho ops]", "Bad symbol encountered in section name <0x20><' '>!"},
        {"[h\x80]", "Bad symbol encountered in section name <0xffffff80><'\x80'>!"},
        {"ab", "Syntax error."},
        {"=5", "Syntax error."},
        {"=15", "Unexpected symbol <0x3d><'='>."},
        {"abc=", "No value given!"},
        {"n=+5", "Errornous, incomplete or incompatible value!"},
        {"n=;", "Errornous or incomplete value!"},
        {"n=1x", "Errornous symbol <0x78><'x'> in decimal value!"},
        {"n=1.5e3", "Errornous symbol <0x65><'e'> in real value!"},
        {"n=$", "Value incomplete!"},
        {"n=$1G", "Errornous symbol <0x47><'G'> in hex value!"},
        {"n=%12", "Errornous symbol <0x32><'2'> in binary value!"},
        {"n='", "Errornous or incomplete character value!"},
        {"n=\"abc", "Errornous or incomplete string value!"},
        {"n=\"a;b\" ; comment", "Errornous or incomplete string value!"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Load("[s]\n" + c.line + "\nok=1\n"), 1);
        EXPECT_EQ(printed, LineError(2, c.message) + Summary(1)) << c.line;
        EXPECT_EQ(Dump(), "[s]ok=1;@s") << c.line;
    }
}

// Both loaders refuse a missing document or stream.
TEST_F(SourceLines, LoadersRefuseMissingArguments) {
    file.Create();
    FILE* stream = fopen(dir.Write("a.ini", "[s]\n").c_str(), "rb");
    const std::string invalid = "() > Invalid param(s) passed to function!";
    using Loader = int (*)(SINIFilePool*, FILE*, CINIFile*);
    for (auto [load, name] : {std::pair<Loader, std::string>{INISourceLoadData, "INISourceLoadData"},
                              {INIBinaryLoadData, "INIBinaryLoadData"}}) {
        ExpectCall(0, "\nFailure : " + name + invalid, [&] { return load(file.Root(), nullptr, &file); });
        ExpectCall(0, "\nFailure : " + name + invalid, [&] { return load(nullptr, stream, &file); });
    }
    fclose(stream);
}

TEST_F(SourceLines, StepsRefuseAMissingOrUnpreparedRecord) {
    file.Create();
    SINISourceLine* unprepared = INISourceLineCreate(); // no stream
    using Step = std::function<int(SINISourceLine*)>;
    struct Case {
        Step step;
        const char* name;
        int failure;
    } cases[] = {
        {[&](SINISourceLine* l) { return INISourceCheckIsSection(l, &file); }, "INISourceCheckIsSection", -1},
        {INISourceCheckIntegrity, "CINIFile::INISourceCheckIntegrity", 0},
        {INISourceSplitLine, "CINIFile::INISourceSplitLine", 0},
        {INISourceCheckValidity, "CINIFile::INISourceCheckValidity", 0},
        {INISourceClasifyValue, "CINIFile::INISourceClasifyValue", 0},
        {INISourceCheckValueSymbols, "CINIFile::INISourceCheckValueSymbols", 0},
        {[&](SINISourceLine* l) { return INISourceStoreValues(l, &file); }, "INISourceStoreValues", 0},
        {[&](SINISourceLine* l) { return INISourceStoreDecimalValues(l, &file); },
         "INISourceStoreDecimalValues", 0},
        {[&](SINISourceLine* l) { return INISourceStoreStringValues(l, &file); },
         "INISourceStoreStringValues", 0},
        {[&](SINISourceLine* l) { return INISourceStoreBinaryValues(l, &file); },
         "INISourceStoreBinaryValues", 0},
    };
    for (const Case& c : cases) {
        int result = 1;
        EXPECT_EQ(CapturedDiagnostics([&] { result = c.step(nullptr); }),
                  std::string("\nFailure : ") + c.name + "() > Invalid param passed to function!");
        EXPECT_EQ(result, c.failure);
        EXPECT_EQ(CapturedDiagnostics([&] { result = c.step(unprepared); }),
                  std::string("\nFailure : ") + c.name + "() > opLine has not been initialized correctly!");
        EXPECT_EQ(result, c.failure);
    }
    ExpectCall(0, "\nFailure : CINIFile::INISourceProcess() > Invalid param passed to function!",
               [] { return INISourceProcess(nullptr, nullptr); });
    INISourceLineDestroy(unprepared);
}

// A host may load from a thread with a small stack: the loader keeps its large buffers on the heap.
TEST_F(SourceLines, LoadsOnAThreadWithA256KiBStack) {
    std::string text = "[s]\nd=1,2\nh=$1A\nb=%101\nc='a'\nt=\"text\"\nr=1.5\n[t]\nbad\n";
    for (int i = 0; i < 2000; ++i)
        text += "d=" + std::to_string(i) + "\n";
    struct Job {
        SourceLines* fixture;
        std::string text;
        int result;
    } job{this, text, 0};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    auto load = [](void* argument) -> void* {
        Job* work = static_cast<Job*>(argument);
        work->result = work->fixture->Load(work->text);
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, load, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(job.result, 1);
    EXPECT_EQ(file.GetCount(), 2);
    EXPECT_EQ(printed, LineError(9, "Syntax error.") + Summary(1));
}

TEST_F(SourceLines, NamesFoldAsciiOnlyUnderATurkishLocale) {
    if (!UseLocale("tr_TR.UTF-8", "Turkish_Turkey.1254"))
        GTEST_SKIP() << "tr_TR.UTF-8 is not installed";
    Load("[HOOPS]\nINDEX=1\n[hoops]\nindex=2\n[Liste]\nid=3\n[LISTE]\nID=4\n");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(printed, Summary(0));
    EXPECT_EQ(Dump(), "[HOOPS]index=2;[Liste]ID=4;@Liste");
}

// The loader reads its stream in chunks: lines that cross a chunk, every kind of line end and an unterminated
// last line give the same lines, numbers and diagnostics as reading line by line.
TEST_F(SourceLines, ChunkedReadingMatchesLineByLineReading) {
    const char* ends[] = {"\n", "\r", "\xFF", "\r\n"};
    std::string text = "[s]\n";
    for (int i = 0; i < 12000; ++i)
        text += (i == 9000 ? std::string("bad line") : "v" + std::to_string(i) + "=" + std::to_string(i)) +
                ends[i % 4];
    text += "tail=1"; // no line end
    std::string path = dir.Write("chunks.ini", text);

    // Each line end ends one line, so CR LF ends a line and an empty one.
    int badLine = 2;
    for (int i = 0; i < 9000; ++i)
        badLine += i % 4 == 3 ? 2 : 1;
    const std::string readFailure = "\nFailure : INIStringReadLine > kuFile_Read() failed!";
    EXPECT_EQ(Load(text), 1);
    EXPECT_EQ(printed, LineError(badLine, "Syntax error.") + readFailure + Summary(1));
    ASSERT_TRUE(file.SectionGoto("s"));
    CINIValue value;
    for (int i : {0, 4095, 8191, 11999}) {
        ASSERT_TRUE(file.ValueGet(("v" + std::to_string(i)).c_str(), &value)) << i;
        EXPECT_EQ(*static_cast<int32_t*>(value.opData), i);
    }
    EXPECT_FALSE(file.ValueExists("v9000"));
    EXPECT_FALSE(file.ValueExists("tail"));
}

namespace {

const char kSummary[] = "\nLoaded INI file - Errors <0000> Warnings <0000>.";
const char kOneError[] = "\nLoaded INI file - Errors <0001> Warnings <0000>.";

std::string Reals(std::initializer_list<float> reals) {
    std::string text;
    char number[32];
    for (float real : reals) {
        snprintf(number, sizeof number, "%.9g", real);
        text += (text.empty() ? "" : ",") + std::string(number);
    }
    return text;
}

struct SourceValues : testing::Test {
    TempDir dir;
    CINIFile file;
    std::string printed;

    void TearDown() override { file.Destroy(); }

    // Loads the lines into the section "s" of a fresh document.
    void Load(const std::string& lines) {
        file.Create();
        FILE* stream = fopen(dir.Write("values.ini", "[s]\n" + lines).c_str(), "rb");
        printed = CapturedDiagnostics([&] { EXPECT_EQ(INISourceLoadData(file.Root(), stream, &file), 1); });
        fclose(stream);
    }

    // The values of the current section in order: "name type kind-letter:elements;" (strings must be stored
    // zero-terminated).
    std::string Dump() {
        std::string text;
        for (SINIValuePool* v = file.CurrentSection()->opFirstValue; v; v = v->opNext) {
            text += std::string(v->caName) + " " + std::to_string(v->iType) + " dhbcsr"[v->iKind % 7] + ":";
            std::string elements;
            for (int k = 0; k < v->iCount && v->iType == INI_TYPE_INTEGER; ++k)
                elements += (k ? "," : "") + std::to_string(static_cast<int*>(v->opData)[k]);
            for (int k = 0; k < v->iCount && v->iType == INI_TYPE_REAL; ++k)
                elements += (k ? "," : "") + Reals({static_cast<float*>(v->opData)[k]});
            if (v->iType == INI_TYPE_CHARACTER || v->iType == INI_TYPE_STRING)
                elements.assign(static_cast<const char*>(v->opData), v->iCount);
            EXPECT_TRUE(v->iType != INI_TYPE_STRING ||
                        static_cast<const char*>(v->opData)[v->iCount] == '\0');
            text += elements + ";";
        }
        return text;
    }
};

} // namespace

TEST_F(SourceValues, ListsOfEachKindReadAsTheirSymbolsSay) {
    const std::pair<std::string, std::string> cases[] = {
        {"n=10,20,-30,40", "n 1d:10,20,-30,40;"},
        {"n=010,-010,09", "n 1d:8,-8,0;"}, // a leading 0 reads octal
        {"n= 5 , 6 ; six", "n 1d:5,6;"},
        {"n=2147483647,-214748364", "n 1d:2147483647,-214748364;"},
        {"n=2147483648,4294967295,9999999999", "n 1d:-2147483648,-1,1410065407;"}, // the low 32 bits
        {"n=-,--,-5-", "n 1d:0,0,-5;"},                                            // no number: 0
        {"n=$1A,$-10", "n 1h:26,-16;"},
        {"n=$FFFFFFFF,$-FFFFFFFF,$ffffffff", "n 1h:-1,1,-1;"},
        {"n=$7fffffff,$80000000", "n 1h:2147483647,-2147483648;"},
        {"n=$100000001", "n 1h:1;"}, // nine digits keep their low 32 bits
        {"n=%101,%1", "n 1b:5,1;"},
        {"n=%11111111111111111111111111111111", "n 1b:-1;"},
        {"n=%10000000000000000000000000000000", "n 1b:-2147483648;"},
        {"r=1.5,2", "r 3r:1.5,2;"},
        {"q=1.2.3, .5,-.5,5.,-.", "q 3r:" + Reals({1.2f, 0.5f, -0.5f, 5.0f, 0.0f}) + ";"},
        {"z=0.1,123456789.0123", "z 3r:" + Reals({0.1f, 123456789.0123f}) + ";"},
        {"c='a','b' , ' '\nq=''',';'", "c 2c:ab ;q 2c:';;"},
        {"s=\"a, b; c\"\nt=\"say \"hi\"\" \nu=\"  x=1  \"", "s 5s:a, b; c;t 5s:say \"hi\";u 5s:  x=1  ;"},
        {"a=1\na=\"\"\nc=''\nd='x", "a 1d:1;"}, // empty values store nothing
        // A later line replaces the value and moves it to the end, written as the later line writes it.
        {"a=1\nb=2\nA=$3\nc=4\nB=\"two\"", "A 1h:3;c 1d:4;B 5s:two;"},
    };
    for (const auto& [lines, dump] : cases) {
        Load(lines + "\n");
        EXPECT_EQ(printed, kSummary) << lines;
        EXPECT_EQ(Dump(), dump) << lines;
    }
    EXPECT_EQ(file.CurrentSection()->iValueCount, 3);
}

TEST_F(SourceValues, FaultyElementDropsTheWholeValue) {
    struct Case {
        std::string value;
        std::string message;
    } cases[] = {
        {"12345678901", "Decimal number too large!  Legal limit -- 32bits / 2^32."},
        {"1,,2", "Invalid or incomplete decimal value!"},
        {"1, ,2", "Unexpected decimal symbol <0x20><' '>!"},
        {"1,.", "Invalid or incomplete real value!"},
        {"1.5,2 3", "Unexpected real symbol <0x20><' '>!"},
        {"123456789.12345", "Real number too large!  Legal limit -- 32bits / 2^32."},
        {"$1A,2B", "Errornous, invalid or incomplete hexadecimal symbol <0x32><'2'>!"},
        {"$1,,$2", std::string("Errornous, invalid or incomplete hexadecimal symbol <0x0><'") + '\0' + "'>!"},
        {"$1,$", "Unexpected hexadecimal symbol <0x20><' '>!"},
        {"$1.5", "Unexpected hexadecimal symbol <0x2e><'.'>!"},
        {"$123456789A", "Hexadecimal number too large!  Legal limit -- 32bits / 2^32."},
        {"%1 0", "Unexpected binary symbol <0x20><' '>!"},
        {"%1,1", "Errornous, invalid or incomplete binary symbol <0x31><'1'>!"},
        {"%1" + std::string(32, '0'), "Binary number too large!  Legal limit -- 32bits / 2^32."},
        {"'ab'", "Errornous or incomplete character!"},
        {"'a,'b'", std::string("Errornous character open/close pair <'''><'") + '\0' + "'>!"},
        {"'a\"", "Errornous character open/close pair <'''><'\"'>!"},
    };
    for (const Case& c : cases) {
        Load("n=7\nn=" + c.value + "\n");
        EXPECT_EQ(printed, "\nError : Line <0003> - " + c.message + kOneError) << c.value;
        EXPECT_EQ(Dump(), "n 1d:7;") << c.value;
    }
}

TEST_F(SourceValues, FailedReplacementNamesTheStore) {
    Load("b=%1\nd=1\n");
    SINISourceLine* opLine = INISourceLineCreate();
    opLine->opStream = stdin;
    std::string binary = "%1", decimal = "1";
    for (int i = 0; i < 2000; ++i) { // more elements than the document's current block holds
        binary += ",%1";
        decimal += ",1";
    }
    struct Case {
        int (*store)(SINISourceLine*, CINIFile*);
        const char* name;
        std::string value;
        const char* failure;
    } cases[] = {
        {INISourceStoreBinaryValues, "b", binary, "INISourceStoreBinaryValues() > ValueReplace() failed!"},
        {INISourceStoreDecimalValues, "d", decimal,
         "INISourceStoreDecimalValues() > CINIFile::ValueReplace() failed!"},
    };
    for (auto& c : cases) {
        snprintf(opLine->caValueName, sizeof opLine->caValueName, "%s", c.name);
        snprintf(opLine->caValue, sizeof opLine->caValue, "%s", c.value.c_str());
        MemFailAt(1);
        std::string failed = CapturedDiagnostics([&] { EXPECT_EQ(c.store(opLine, &file), 0); });
        MemFailAt(0);
        EXPECT_EQ(failed,
                  std::string("\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate value "
                              "elements!\nFailure : CINIFile::ValueReplace() > CINIFile::ValueAdd() "
                              "failed!\nFailure : ") +
                      c.failure);
        EXPECT_EQ(opLine->iErrorCount, 0);
    }
    INISourceLineDestroy(opLine);
}

// The conversions give what the C runtime's formatted scans give in the C locale, for texts of the element
// symbols of each kind.
TEST(SourceConvert, ConversionsMatchTheFormattedScansOfTheCLocale) {
    std::mt19937 random(20240601);
    auto text = [&](const char* symbols, int longest) {
        std::string made(1 + random() % longest, ' ');
        for (char& character : made)
            character = symbols[random() % strlen(symbols)];
        return made;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string real = text("-0123456789.", 14);
        float scanned = 0.0f;
        if (sscanf(real.c_str(), "%f", &scanned) != 1)
            scanned = 0.0f;
        ASSERT_EQ(std::memcmp(&scanned, &(const float&)ScanRealElement(real.c_str()), sizeof scanned), 0)
            << real;

        std::string decimal = text("-0123456789", 9);
        int integer = 0;
        if (sscanf(decimal.c_str(), "%i", &integer) != 1)
            integer = 0;
        ASSERT_EQ(ScanDecimalElement(decimal.c_str()), integer) << decimal;

        std::string hexadecimal = "0x" + text("-0123456789abcdefABCDEF", 9);
        unsigned number = 0;
        if (sscanf(hexadecimal.c_str(), "%x", &number) != 1)
            number = 0;
#ifdef _WIN32
        // The Windows runtime clamps a hexadecimal scan beyond 32 bits, where glibc keeps the low 32 bits as
        // the library does on every system: such texts are compared on Linux only.
        if (std::strtoull(hexadecimal.c_str(), nullptr, 16) > 0xFFFFFFFFull)
            continue;
#endif
        ASSERT_EQ(ScanHexadecimalElement(hexadecimal.c_str() + 2), number) << hexadecimal;
    }
}

TEST_F(SourceValues, NumbersReadTheSameUnderAnyLocale) {
    const char* lines = "r=1.5,-2.25,0.1\nn=010,-7\nh=$-1A\n";
    const char* kCommaLocales[][2] = {{"de_DE.UTF-8", "German_Germany.1252"},
                                      {"fr_FR.UTF-8", "French_France.1252"}};
    for (const auto& names : kCommaLocales) {
        const char* name = names[0];
        if (!UseLocale(names[0], names[1])) {
            std::setlocale(LC_ALL, "C");
            GTEST_SKIP() << name << " is not installed";
        }
        Load(lines);
        float localised = ScanRealElement("3.75");
        std::setlocale(LC_ALL, "C");
        EXPECT_EQ(printed, kSummary) << name;
        EXPECT_EQ(Dump(), "r 3r:" + Reals({1.5f, -2.25f, 0.1f}) + ";n 1d:8,-7;h 1h:-26;") << name;
        EXPECT_EQ(localised, 3.75f) << name;
    }
}

TEST(Platform, NoCaseFoldsAsciiOnlyUnderAnyLocale) {
    const char* turkish = UseLocale("tr_TR.UTF-8", "Turkish_Turkey.1254");
    EXPECT_EQ(CompareNoCase("HOOPS.Hoop1", "hoops.hoop1"), 0);
    EXPECT_EQ(CompareNoCase("I", "i"), 0); // no dotless i under a Turkish locale
    EXPECT_LT(CompareNoCase("a", "b"), 0);
    EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0); // bytes above 0x7F are not folded
    // Names of every length, so that the last bytes of a name count in both ways of reading them.
    std::string upper = "HOOPS.HOOP12.MOUNTS.MOUNT7", lower = "hoops.hoop12.mounts.mount7";
    for (size_t length = 1; length <= upper.size(); ++length) {
        EXPECT_EQ(HashNoCase(upper.substr(0, length).c_str()), HashNoCase(lower.substr(0, length).c_str()));
        std::string other = lower.substr(0, length);
        other.back() ^= 1;
        EXPECT_NE(HashNoCase(other.c_str()), HashNoCase(lower.substr(0, length).c_str())) << other;
    }
    std::setlocale(LC_ALL, "C");
    if (!turkish)
        GTEST_SKIP() << "tr_TR.UTF-8 is not installed";
}
