// Loading INI text: the six kinds of value, their element errors, replacement, and locale-proof conversions.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ini/INISource.h"
#include "ini/INISourceConvert.h"
#include "platform/Memory.h"
#include "support/Captured.h"

namespace {

const char kSummary[] = "\nLoaded INI file - Errors <0000> Warnings <0000>.";
const char kOneError[] = "\nLoaded INI file - Errors <0001> Warnings <0000>.";

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

    void Get(const char* name, int type, int kind, CINIValue* value) {
        EXPECT_EQ(file.ValueGet(name, value), 1) << name;
        EXPECT_EQ(value->iType, type) << name;
        EXPECT_EQ(value->iKind, kind) << name;
    }
    std::vector<int> Integers(const char* name, int kind) {
        CINIValue value;
        Get(name, INI_TYPE_INTEGER, kind, &value);
        const int* data = static_cast<const int*>(value.opData);
        return std::vector<int>(data, data + value.iCount);
    }
    std::vector<float> Reals(const char* name) {
        CINIValue value;
        Get(name, INI_TYPE_REAL, INI_KIND_REAL, &value);
        const float* data = static_cast<const float*>(value.opData);
        return std::vector<float>(data, data + value.iCount);
    }
    std::string Characters(const char* name, int type, int kind) {
        CINIValue value;
        Get(name, type, kind, &value);
        return std::string(static_cast<const char*>(value.opData), value.iCount);
    }
    std::string Names() {
        std::string names;
        for (SINIValuePool* value = file.CurrentSection()->opFirstValue; value; value = value->opNext)
            names += std::string(value->caName) + ",";
        return names;
    }
};

struct IntegerCase {
    const char* value;
    int kind;
    std::vector<int> elements;
};

} // namespace

TEST_F(SourceValues, IntegerLists) {
    const IntegerCase cases[] = {
        {"10,20,-30,40", INI_KIND_DECIMAL, {10, 20, -30, 40}},
        {"010,-010,09", INI_KIND_DECIMAL, {8, -8, 0}}, // a leading 0 reads octal
        {"1-2", INI_KIND_DECIMAL, {1}},
        {" 5 , 6 ; six", INI_KIND_DECIMAL, {5, 6}},
        {"2147483647,-214748364", INI_KIND_DECIMAL, {INT_MAX, -214748364}},
        {"2147483648,4294967295,9999999999", INI_KIND_DECIMAL, {INT_MIN, -1, 1410065407}}, // the low 32 bits
        {"-,--,-5-", INI_KIND_DECIMAL, {0, 0, -5}},                                        // no number: 0
        {"$1A,$-10", INI_KIND_HEXADECIMAL, {26, -16}},
        {"$FFFFFFFF,$-FFFFFFFF,$ffffffff", INI_KIND_HEXADECIMAL, {-1, 1, -1}},
        {"$7fffffff,$80000000", INI_KIND_HEXADECIMAL, {INT_MAX, INT_MIN}},
        {"$100000001", INI_KIND_HEXADECIMAL, {1}}, // nine digits keep their low 32 bits
        {"$1-2,$-,$--5", INI_KIND_HEXADECIMAL, {1, 0, 0}},
        {"$ 1a ,  $0", INI_KIND_HEXADECIMAL, {26, 0}},
        {"%101,%1", INI_KIND_BINARY, {5, 1}},
        {"%0, % 11", INI_KIND_BINARY, {0, 3}},
        {"%11111111111111111111111111111111", INI_KIND_BINARY, {-1}},
        {"%10000000000000000000000000000000", INI_KIND_BINARY, {INT_MIN}},
    };
    for (const IntegerCase& c : cases) {
        Load(std::string("n=") + c.value + "\n");
        EXPECT_EQ(printed, kSummary) << c.value;
        EXPECT_EQ(Integers("n", c.kind), c.elements) << c.value;
    }
}

TEST_F(SourceValues, RealLists) {
    Load("r=1.5,2\nq=1.2.3, .5,-.5,5.,-.\np=1,2.5\nz=0.1,123456789.0123\n");
    EXPECT_EQ(printed, kSummary);
    EXPECT_EQ(Reals("r"), (std::vector<float>{1.5f, 2.0f}));
    EXPECT_EQ(Reals("q"), (std::vector<float>{1.2f, 0.5f, -0.5f, 5.0f, 0.0f}));
    EXPECT_EQ(Reals("p"), (std::vector<float>{1.0f, 2.5f})); // one full stop makes the whole list real
    EXPECT_EQ(Reals("z"), (std::vector<float>{0.1f, 123456789.0123f}));
}

TEST_F(SourceValues, CharacterAndStringValues) {
    Load("c='a','b' , ' '\nq=''',';'\ns=\"a, b; c\"\nt=\"say \"hi\"\" \nu=\"  x=1  \"\n");
    EXPECT_EQ(printed, kSummary);
    EXPECT_EQ(Characters("c", INI_TYPE_CHARACTER, INI_KIND_CHARACTER), "ab ");
    EXPECT_EQ(Characters("q", INI_TYPE_CHARACTER, INI_KIND_CHARACTER), "';");
    EXPECT_EQ(Characters("s", INI_TYPE_STRING, INI_KIND_STRING), "a, b; c");
    EXPECT_EQ(Characters("t", INI_TYPE_STRING, INI_KIND_STRING), "say \"hi\"");
    CINIValue value;
    Get("u", INI_TYPE_STRING, INI_KIND_STRING, &value);
    EXPECT_EQ(value.iCount, 7);
    EXPECT_STREQ(static_cast<const char*>(value.opData), "  x=1  "); // stored zero-terminated
}

TEST_F(SourceValues, EmptyValuesStoreNothing) {
    Load("a=1\na=\"\"\nc=''\nd='x\n");
    EXPECT_EQ(printed, kSummary);
    EXPECT_EQ(Names(), "a,");
    EXPECT_EQ(Integers("a", INI_KIND_DECIMAL), std::vector<int>{1});
}

TEST_F(SourceValues, FaultyElementDropsTheWholeValue) {
    struct Case {
        std::string value;
        std::string message;
    } cases[] = {
        {"12345678901", "Decimal number too large!  Legal limit -- 32bits / 2^32."},
        {"1,,2", "Invalid or incomplete decimal value!"},
        {"1,2,", "Invalid or incomplete decimal value!"},
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
        {"'a','b'x", "Errornous or incomplete character!"},
        {"'a,'b'", std::string("Errornous character open/close pair <'''><'") + '\0' + "'>!"},
        {"'a\"", "Errornous character open/close pair <'''><'\"'>!"},
    };
    for (const Case& c : cases) {
        Load("n=7\nn=" + c.value + "\n");
        EXPECT_EQ(printed, "\nError : Line <0003> - " + c.message + kOneError) << c.value;
        EXPECT_EQ(Integers("n", INI_KIND_DECIMAL), std::vector<int>{7}) << c.value;
    }
}

TEST_F(SourceValues, LaterLineReplacesAndMovesToTheEnd) {
    Load("a=1\nb=2\nA=$3\nc=4\nB=\"two\"\n");
    EXPECT_EQ(printed, kSummary);
    EXPECT_EQ(Names(), "A,c,B,"); // written as the later line writes them
    EXPECT_EQ(file.CurrentSection()->iValueCount, 3);
    EXPECT_EQ(Integers("a", INI_KIND_HEXADECIMAL), std::vector<int>{3});
    EXPECT_EQ(Characters("b", INI_TYPE_STRING, INI_KIND_STRING), "two");
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
        EXPECT_EQ(Reals("r"), (std::vector<float>{1.5f, -2.25f, 0.1f})) << name;
        EXPECT_EQ(Integers("n", INI_KIND_DECIMAL), (std::vector<int>{8, -7})) << name;
        EXPECT_EQ(Integers("h", INI_KIND_HEXADECIMAL), std::vector<int>{-26}) << name;
        EXPECT_EQ(localised, 3.75f) << name;
    }
}
