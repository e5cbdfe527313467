// Loading INI text: reading the lines, sections, the six kinds of value and their element errors,
// replacement, the per-line error reports, and names and numbers that no locale changes.
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
#include "support/Document.h"

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

} // namespace

TEST(LoadingText, WholeTextsLoadAsTheirLinesSay) {
    const char kNul[] = "[s]\nn=1\0junk\n\0[t]\nm=2\n";
    const std::string badName =
        "Errornous symbol <0x5d><']'> in VALUE NAME (only a-z, A-Z, 0-9, '_' & '-' applicable).";
    std::string section(INI_LINE_CAPACITY - 3, 's'), name(INI_LINE_CAPACITY - 3, 'n');
    struct Case {
        std::string text, printed, document;
    } cases[] = {
        {"", Summary(0), "@"},
        {"; note\n   \n  [hoops]  ; comment\n\ntext=1\n\t n \t=\t 2\t\n\t[other.one]\t\nx=2\n", Summary(0),
         "[hoops]text 1d:1,;n 1d:2,;[other.one]x 1d:2,;@hoops"},
        // A repeated header enters the earlier section again.
        {"[hoops]\na=1\n[other]\nb=2\n[Hoops]\nc=3\n", Summary(0),
         "[hoops]a 1d:1,;c 1d:3,;[other]b 1d:2,;@hoops"},
        // Characters between the first and the last "]" stay part of the name.
        {"[s]\nn=5 ; five\nmy_key-2 = 7\nq=3;;\nbracket]=1\n[a]b]\nv=1\n[x] ; y]\n",
         LineError(5, badName) + Summary(1), "[s]n 1d:5,;my_key-2 1d:7,;q 1d:3,;[a]b]v 1d:1,;[x]@s"},
        // CR LF counts as two line ends; errors are counted and the load goes on.
        {"[s]\r\nn=1\r\nbad\r\n=15\r\n",
         LineError(5, "Syntax error.") + LineError(7, "Unexpected symbol <0x3d><'='>.") + Summary(2),
         "[s]n 1d:1,;@s"},
        // A byte order mark is skipped at the start only, and only whole.
        {"\xEF\xBB\xBF[s]\nn=1\nbad\n", LineError(3, "Syntax error.") + Summary(1), "[s]n 1d:1,;@s"},
        {"\xEF\xBB[s]\n", LineError(1, "Syntax error.") + Summary(1), "@"},
        {"[s]\n\xEF\xBB\xBFn=1\n",
         LineError(2, "Errornous symbol <0xffffffef><'\xEF'> in VALUE NAME (only a-z, A-Z, 0-9, '_' & '-' "
                      "applicable).") +
             Summary(1),
         "[s]@s"},
        // An unreadable line ends the load.
        {"[s]\nn=1\nm=2", "\nFailure : INIStringReadLine > kuFile_Read() failed!" + Summary(0),
         "[s]n 1d:1,;@s"},
        {"[s]\n" + std::string(INI_LINE_CAPACITY, 'x') + "\nn=1\n",
         "\nFailure : INIStringReadLine > File line is larger than the arguement string length, failed!" +
             Summary(0),
         "[s]@s"},
        {std::string(kNul, sizeof kNul - 1), Summary(0), "[s]n 1d:1,;m 1d:2,;@s"}, // a NUL byte cuts the line
        {"[" + section + "]\n" + name + "=1\n", Summary(0),
         "[" + section + "]" + name + " 1d:1,;@" + section},
        // A value before any section is dropped without an error.
        {"n=1\n[s]\n",
         "\nFailure : CINIFile::ValueAdd() > No section exist in this INI file!"
         "\nFailure : INISourceStoreDecimalValues() > CINIFile::ValueAdd() failed!" +
             Summary(0),
         "[s]@s"},
    };
    for (const Case& c : cases) {
        LoadedDocument loaded = LoadDocument(c.text);
        EXPECT_EQ(loaded.result, 1) << c.text;
        EXPECT_EQ(loaded.printed, c.printed) << c.text;
        EXPECT_EQ(loaded.text, c.document) << c.text;
    }
}

// One row per message of a faulty line: the line is reported with its number, counted, and skipped whole, so
// that an earlier value of the same name stays.
TEST(LoadingText, EachFaultyLineHasItsMessage) {
    const std::pair<std::string, std::string> cases[] = {
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
        {"n=12345678901", "Decimal number too large!  Legal limit -- 32bits / 2^32."},
        {"n=1,,2", "Invalid or incomplete decimal value!"},
        {"n=1, ,2", "Unexpected decimal symbol <0x20><' '>!"},
        {"n=1,.", "Invalid or incomplete real value!"},
        {"n=1.5,2 3", "Unexpected real symbol <0x20><' '>!"},
        {"n=123456789.12345", "Real number too large!  Legal limit -- 32bits / 2^32."},
        {"n=$1A,2B", "Errornous, invalid or incomplete hexadecimal symbol <0x32><'2'>!"},
        {"n=$1,,$2",
         std::string("Errornous, invalid or incomplete hexadecimal symbol <0x0><'") + '\0' + "'>!"},
        {"n=$1,$", "Unexpected hexadecimal symbol <0x20><' '>!"},
        {"n=$1.5", "Unexpected hexadecimal symbol <0x2e><'.'>!"},
        {"n=$123456789A", "Hexadecimal number too large!  Legal limit -- 32bits / 2^32."},
        {"n=%1 0", "Unexpected binary symbol <0x20><' '>!"},
        {"n=%1,1", "Errornous, invalid or incomplete binary symbol <0x31><'1'>!"},
        {"n=%1" + std::string(32, '0'), "Binary number too large!  Legal limit -- 32bits / 2^32."},
        {"n='ab'", "Errornous or incomplete character!"},
        {"n='a,'b'", std::string("Errornous character open/close pair <'''><'") + '\0' + "'>!"},
        {"n='a\"", "Errornous character open/close pair <'''><'\"'>!"},
    };
    for (const auto& [line, message] : cases) {
        LoadedDocument loaded = LoadDocument("[s]\nn=7\n" + line + "\n");
        EXPECT_EQ(loaded.printed, LineError(3, message) + Summary(1)) << line;
        EXPECT_EQ(loaded.text, "[s]n 1d:7,;@s") << line;
    }
}

TEST(LoadingText, ListsOfEachKindReadAsTheirSymbolsSay) {
    const std::pair<std::string, std::string> cases[] = {
        {"n=10,20,-30,40", "n 1d:10,20,-30,40,;"},
        {"n=010,-010,09", "n 1d:8,-8,0,;"}, // a leading 0 reads octal
        {"n= 5 , 6 ; six", "n 1d:5,6,;"},
        // Ten digits keep their low 32 bits; so do nine hexadecimal digits.
        {"n=2147483647,2147483648,4294967295,9999999999", "n 1d:2147483647,-2147483648,-1,1410065407,;"},
        {"n=-,--,-5-", "n 1d:0,0,-5,;"}, // no number: 0
        {"n=$1A,$-10", "n 1h:26,-16,;"},
        {"n=$FFFFFFFF,$-FFFFFFFF,$ffffffff", "n 1h:-1,1,-1,;"},
        {"n=$7fffffff,$80000000,$100000001", "n 1h:2147483647,-2147483648,1,;"},
        {"n=%101,%1", "n 1b:5,1,;"},
        {"n=%11111111111111111111111111111111,%10000000000000000000000000000000", "n 1b:-1,-2147483648,;"},
        {"r=1.5,2,1.2.3, .5,-.5,5.,-.,0.1,123456789.0123", "r 3r:1.5,2,1.2,0.5,-0.5,5,0,0.1,123456792,;"},
        {"c='a','b' , ' '\nq=''',';'", "c 2c:ab ;q 2c:';;"},
        {"s=\"a, b; c\"\nt=\"say \"hi\"\" \nu=\"  x=1  \"", "s 5s:a, b; c;t 5s:say \"hi\";u 5s:  x=1  ;"},
        {"a=1\na=\"\"\nc=''\nd='x", "a 1d:1,;"},            // empty values store nothing
        {"a=1\nb=2\nb=3\nc=4", "a 1d:1,;b 1d:3,;c 1d:4,;"}, // the last value replaced, then one more
        // A later line replaces the value and moves it to the end, written as the later line writes it.
        {"a=1\nb=2\nA=$3\nc=4\nB=\"two\"", "A 1h:3,;c 1d:4,;B 5s:two;"},
    };
    for (const auto& [lines, values] : cases) {
        LoadedDocument loaded = LoadDocument("[s]\n" + lines + "\n");
        EXPECT_EQ(loaded.printed, Summary(0)) << lines;
        EXPECT_EQ(loaded.text, "[s]" + values + "@s") << lines;
    }
}

// A replacement that runs out of memory names its store, the binary store without the class name.
TEST(LoadingText, FailedReplacementNamesTheStore) {
    CINIFile file;
    file.Create();
    file.SectionAdd("s");
    SINISourceLine* opLine = INISourceLineCreate();
    opLine->opStream = stdin;
    std::string binary = "%1", decimal = "1";
    for (int i = 0; i < 2000; ++i) { // more elements than the document's current block holds
        binary += ",%1";
        decimal += ",1";
    }
    const std::pair<int (*)(SINISourceLine*, CINIFile*), std::string> cases[] = {
        {INISourceStoreBinaryValues, "INISourceStoreBinaryValues() > ValueReplace() failed!"},
        {INISourceStoreDecimalValues, "INISourceStoreDecimalValues() > CINIFile::ValueReplace() failed!"},
    };
    for (const auto& [store, failure] : cases) {
        snprintf(opLine->caValueName, sizeof opLine->caValueName, "n");
        snprintf(opLine->caValue, sizeof opLine->caValue, "%s", store == cases[0].first ? "%1" : "1");
        ASSERT_EQ(store(opLine, &file), 1);
        snprintf(opLine->caValue, sizeof opLine->caValue, "%s",
                 (store == cases[0].first ? binary : decimal).c_str());
        MemFailAt(1);
        ExpectCall(
            0,
            "\nFailure : CINIFile::ValueAdd() > Not enough memory to allocate value elements!\nFailure : "
            "CINIFile::ValueReplace() > CINIFile::ValueAdd() failed!\nFailure : " +
                failure,
            [&] { return store(opLine, &file); });
        MemFailAt(0);
        EXPECT_EQ(opLine->iErrorCount, 0);
    }
    INISourceLineDestroy(opLine);
    file.Destroy();
}

// A host may load from a thread with a small stack: the loader keeps its large buffers on the heap.
TEST(LoadingText, LoadsOnAThreadWithA256KiBStack) {
    std::string text = "[s]\nd=1,2\nh=$1A\nb=%101\nc='a'\nt=\"text\"\nr=1.5\n[t]\nbad\n";
    for (int i = 0; i < 2000; ++i)
        text += "d=" + std::to_string(i) + "\n";
    std::pair<std::string, LoadedDocument> job{text, {}};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    auto load = [](void* argument) -> void* {
        auto* work = static_cast<std::pair<std::string, LoadedDocument>*>(argument);
        work->second = LoadDocument(work->first);
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, load, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(job.second.printed, LineError(9, "Syntax error.") + Summary(1));
    EXPECT_EQ(job.second.text, "[s]d 1d:1,2,;h 1h:26,;b 1b:5,;c 2c:a;t 5s:text;r 3r:1.5,;[t]d 1d:1999,;@s");
}

// The loader reads its stream in chunks: lines that cross a chunk, every kind of line end and an unterminated
// last line give the same lines, numbers and diagnostics as reading line by line.
TEST(LoadingText, ChunkedReadingMatchesLineByLineReading) {
    const char* ends[] = {"\n", "\r", "\xFF", "\r\n"};
    std::string text = "[s]\n";
    int badLine = 2; // each line end ends one line, so CR LF ends a line and an empty one
    for (int i = 0; i < 12000; ++i) {
        text += (i == 9000 ? std::string("bad line") : "v" + std::to_string(i) + "=" + std::to_string(i)) +
                ends[i % 4];
        badLine += i < 9000 ? 1 + (i % 4 == 3) : 0;
    }
    LoadedDocument loaded = LoadDocument(text + "tail=1"); // no line end
    EXPECT_EQ(loaded.printed, LineError(badLine, "Syntax error.") +
                                  "\nFailure : INIStringReadLine > kuFile_Read() failed!" + Summary(1));
    for (int i : {0, 4095, 8191, 11999}) {
        std::string value = "v" + std::to_string(i) + " 1d:" + std::to_string(i) + ",;";
        EXPECT_NE(loaded.text.find(value), std::string::npos) << i;
    }
    EXPECT_EQ(loaded.text.find("v9000 "), std::string::npos);
    EXPECT_EQ(loaded.text.find("tail"), std::string::npos);
}

// The conversions give what the C runtime's formatted scans give in the C locale, for texts of the element
// symbols of each kind.
TEST(LoadingText, ConversionsMatchTheFormattedScansOfTheCLocale) {
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

// Names fold the ASCII letters only and numbers read as in the C locale, whatever the host's locale: a
// Turkish one would fold I to a dotless i, German and French ones write a decimal comma.
TEST(LoadingText, NamesAndNumbersReadTheSameUnderAnyLocale) {
    const std::string text = "[HOOPS]\nINDEX=1\n[hoops]\nindex=2\n[Liste]\nid=3\n[LISTE]\nID=4\nr=1.5,-2.25,"
                             "0.1\nn=010,-7\nh=$-1A\n";
    const std::string expected =
        "[HOOPS]index 1d:2,;[Liste]ID 1d:4,;r 3r:1.5,-2.25,0.1,;n 1d:8,-7,;h 1h:-26,;@HOOPS";
    // Names of every length, so that the last bytes of a name count in both ways of reading them.
    const std::string upper = "HOOPS.HOOP12.MOUNTS.MOUNT7", lower = "hoops.hoop12.mounts.mount7";
    const char* locales[][2] = {{"C", "C"},
                                {"tr_TR.UTF-8", "Turkish_Turkey.1254"},
                                {"de_DE.UTF-8", "German_Germany.1252"},
                                {"fr_FR.UTF-8", "French_France.1252"}};
    for (const auto& names : locales) {
        if (!UseLocale(names[0], names[1]))
            continue;
        LoadedDocument loaded = LoadDocument(text);
        float localised = ScanRealElement("3.75");
        EXPECT_EQ(CompareNoCase("I", "i"), 0);
        EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0); // bytes above 0x7F are not folded
        for (size_t length = 1; length <= upper.size(); ++length) {
            std::string name = lower.substr(0, length);
            EXPECT_EQ(HashNoCase(upper.substr(0, length).c_str()), HashNoCase(name.c_str()));
            for (char& byte : name) { // every byte counts
                byte ^= 1;
                EXPECT_NE(HashNoCase(name.c_str()), HashNoCase(lower.substr(0, length).c_str())) << name;
                byte ^= 1;
            }
        }
        std::setlocale(LC_ALL, "C");
        EXPECT_EQ(loaded.printed + loaded.text, Summary(0) + expected) << names[0];
        EXPECT_EQ(localised, 3.75f) << names[0];
    }
}
