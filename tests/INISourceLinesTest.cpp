// Loading INI text: reading the lines, sections, the checks of value lines and the per-line error reports.
#include <gtest/gtest.h>

#include <pthread.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ini/INIText.h"
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
        {"; note\n   \n  [hoops]  ; comment\n\ntext=1\n[other.one]\nx=2\n", Summary(0),
         "[hoops]text=1;[other.one]x=2;@other.one"},
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

TEST_F(SourceLines, InvalidArgumentsFailTheLoad) {
    file.Create();
    const char* invalid = "\nFailure : INISourceLoadData() > Invalid param(s) passed to function!";
    ExpectCall(0, invalid, [&] { return INISourceLoadData(file.Root(), nullptr, &file); });
    FILE* stream = fopen(dir.Write("a.ini", "[s]\n").c_str(), "rb");
    ExpectCall(0, invalid, [&] { return INISourceLoadData(nullptr, stream, &file); });
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
    if (!std::setlocale(LC_ALL, "tr_TR.UTF-8"))
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
