// Loading INI text: the six kinds of value, their element errors, replacement, and locale-proof conversions.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ini/INIText.h"
#include "ini/INITextConvert.h"
#include "support/AllocationFaults.h"
#include "support/Captured.h"

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
        ASSERT_EQ(ScanHexadecimalElement(hexadecimal.c_str() + 2), number) << hexadecimal;
    }
}

TEST_F(SourceValues, NumbersReadTheSameUnderAnyLocale) {
    const char* lines = "r=1.5,-2.25,0.1\nn=010,-7\nh=$-1A\n";
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (!std::setlocale(LC_ALL, name)) {
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
