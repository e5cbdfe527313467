// Reading and writing catalogue files: the hoop sections read, the bytes saved, and catalogues that come back
// from a save unchanged but for what the file format cannot carry.
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "support/BinaryIni.h"
#include "support/Captured.h"
#include "support/HoopFields.h"

namespace {

// Two hoops as SaveAs writes them: one with everything, one with no texts, points or mounts.
const char* const kTwoHoops = "[hoops]\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop0]\r\ndescription=\"Small\"\r\nshape=\"Oval\"\r\ntext=\"\"\r\n"
                              "points=-500,0,0,500,500,0\r\n\r\n"
                              "[hoops.hoop0.sewfield]\r\nrect=-400,400,400,-400\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop0.innerdim]\r\nrect=-450,450,450,-450\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop0.outerdim]\r\nrect=-600,600,600,-600\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop0.mounts]\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop0.mounts.mount0]\r\nid=2\r\nlabel=\"Left\"\r\nrotation=90\r\n"
                              "lowhighxy=0,0,-100,100\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop1]\r\ndescription=\"\"\r\nshape=\"\"\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop1.sewfield]\r\nrect=0,0,0,0\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop1.innerdim]\r\nrect=0,0,0,0\r\ntext=\"\"\r\n\r\n"
                              "[hoops.hoop1.outerdim]\r\nrect=0,-1,0,0\r\ntext=\"\"\r\n\r\n";

// The catalogue that a load of the text gives, as its getters show it, or the load's result when it fails.
std::vector<HoopField> Loaded(const std::string& text) {
    CINIHoop hoops;
    return LoadHoops(hoops, text) ? HoopFields(hoops) : std::vector<HoopField>{{"result", "0"}};
}

} // namespace

// The loader's tests show where each key goes; the same bytes saved again show every field written back.
TEST(HoopFile, SaveWritesTheSchemaByteForByte) {
    TempDir dir;
    std::string out = dir.Path("out.ini"), printed;
    CINIHoop hoops, empty;
    ASSERT_EQ(LoadHoops(hoops, kTwoHoops, "in.ini", &printed), 1);
    ASSERT_EQ(printed, "\nLoaded INI file - Errors <0000> Warnings <0000>.");
    ASSERT_EQ(hoops.SaveAs(out.c_str()), 1);
    EXPECT_EQ(ReadFileBytes(out), kTwoHoops);
    EXPECT_EQ(empty.SaveAs(out.c_str()), 0); // no catalogue: the file stays as it was
    EXPECT_EQ(ReadFileBytes(out), kTwoHoops);
    ASSERT_EQ(empty.Create(), 1);
    EXPECT_EQ(empty.SaveAs(nullptr), 0);
    EXPECT_EQ(empty.SaveAs(dir.Path("missing/dir/out.ini").c_str()), 0);
    ASSERT_EQ(empty.SaveAs(out.c_str()), 1);
    EXPECT_EQ(ReadFileBytes(out), "[hoops]\r\ntext=\"\"\r\n\r\n");
}

// A catalogue file's first section is "hoops"; a load that fails lets go of the catalogue held before, but
// for a missing path, which changes nothing.
TEST(HoopFile, LoadsThatFail) {
    TempDir dir;
    CINIHoop hoops;
    for (const char* text :
         {"[other]\n[hoops]\n[hoops.hoop0]\n", "; nothing but a comment\n", "", "missing"}) {
        std::string path = text == std::string("missing") ? dir.Path("none.ini") : dir.Write("a.ini", text);
        ASSERT_EQ(hoops.Create() + hoops.InsertHoop("a", "b"), 1);
        CapturedDiagnostics([&] { EXPECT_EQ(hoops.Load(path.c_str()), 0) << text; });
        EXPECT_EQ(hoops.InsertHoop("x", "y"), -1) << text;
    }
    EXPECT_EQ(hoops.Load(nullptr), 0);
    ASSERT_EQ(hoops.Create(), 1);
    EXPECT_EQ(hoops.Load(nullptr), 0);
    EXPECT_EQ(hoops.InsertHoop("x", "y"), 0);
}

// What the reader takes: hoops probed from 0 to 511 by their plain numbers, keys only of their storage type
// and element count, the default outline for the first hoop only, mounts by ascending index below the number
// of sections, names in any case.
TEST(HoopFile, TheReaderTakesWhatTheSchemaSays) {
    const std::string probed =
        "[hoops]\n[hoops.hoop3]\ndescription=\"three\"\n[hoops.hoop512]\ndescription=\"no\"\n"
        "[hoops.hoop0]\ndescription=\"zero\"\n[hoops.hoop511]\ndescription=\"last\"\n"
        "[hoops.hoop03]\ndescription=\"leading zero\"\n";
    const std::string keys =
        "[Hoops]\n[hoops.hoop0]\npoints=1,2,3\ndescription=7\n[hoops.hoop0.sewfield]\nrect=1,2,3\n"
        "[hoops.hoop0.innerdim]\nrect=$10,$B,$-3,$4\n[hoops.hoop0.outerdim]\nrect=1.5,2,3,4\n"
        "[hoops.hoop1]\npoints=1.0,2.0\n[Hoops.Hoop1.Mounts.Mount0]\nID=4,5\nLowHighXY=$A,$-A,$1,$0\nlabel="
        "\"L\"\n";
    const std::string outline = "[hoops]\n[hoops.hoop2]\n[hoops.hoop2.sewfield]\nrect=-100,50,100,-50\n"
                                "[hoops.hoop2.mounts.mount0]\nlowhighxy=-10,10,-20,20\n[hoops.hoop5]\n";
    const std::string mounts =
        "[hoops]\n[hoops.hoop0]\n[hoops.hoop0.mounts.mount2]\nid=2\n[hoops.hoop0.mounts.mount1]\nid=1\n"
        "[hoops.hoop0.mounts.mount01]\nid=9\n[hoops.hoop0.mounts.mount0x]\nid=9\n[hoops.hoop0.mounts.mount7]"
        "\n";
    const std::vector<std::pair<std::string, std::vector<HoopField>>> cases = {
        {probed,
         {{"hoops", "3"},
          {"hoop 0 description", "zero"},
          {"hoop 1 description", "three"},
          {"hoop 2 description", "last"}}},
        {"[hoops]\n[hoops.hoop512]\n[hoops.hoop1000]\n", {{"hoops", "0"}}},
        {keys,
         {{"hoops", "2"},
          {"hoop 0 description", ""},
          {"hoop 0 rect 0", "0,0,0,0"},
          {"hoop 0 rect 1", "16,11,-3,4"},
          {"hoop 0 rect 2", "0,0,0,0"},
          {"hoop 1 mounts", "1"},
          {"hoop 1 mount 0 id", "0"},
          {"hoop 1 mount 0 limits", "10,-10,1,0"},
          {"hoop 1 points", ""}}},
        {outline,
         {{"hoop 0 points", "-440,-280;440,-280;440,280;-440,280;-440,-280;"}, {"hoop 1 points", ""}}},
        // No mounts: the empty bounding rectangle, wrapped.
        {"[hoops]\n[hoops.hoop0]\n", {{"hoop 0 points", "-4,-4;0,-4;0,0;-4,0;-4,-4;"}}},
        {mounts, {{"hoop 0 mounts", "2"}, {"hoop 0 mount 0 id", "1"}, {"hoop 0 mount 1 id", "2"}}},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<HoopField> loaded = Loaded(text);
        for (const HoopField& field : expected)
            EXPECT_NE(std::find(loaded.begin(), loaded.end(), field), loaded.end()) << field.first << text;
    }
}

TEST(HoopSample, BothFormsOfTheSampleGiveTheSameCatalogue) {
    CINIHoop text, binary;
    std::string base = std::string(BREVANT_SOURCE_DIR) + "/examples/hoops";
    std::string printed = CapturedDiagnostics([&] {
        ASSERT_EQ(text.Load((base + ".ini").c_str()), 1);
        ASSERT_EQ(binary.Load((base + ".inb").c_str()), 1);
    });
    EXPECT_EQ(printed, "\nLoaded INI file - Errors <0000> Warnings <0000>.\nBinary INI file loaded.");
    EXPECT_GE(text.GetHoopCount(), 12);
    TempDir dir;
    ASSERT_EQ(text.SaveAs(dir.Path("text.ini").c_str()), 1);
    ASSERT_EQ(binary.SaveAs(dir.Path("binary.ini").c_str()), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path("text.ini")), ReadFileBytes(dir.Path("binary.ini")));
    EXPECT_EQ(ReadFileBytes(dir.Path("text.ini")),
              ReadFileBytes(base + ".ini")); // the sample is in saved form
}

namespace {

// What a save and a load give back of a field: a number of more than ten characters drops its whole list
// (points become none, the other lists zeros), and the first hoop without points gets the default outline.
std::vector<HoopField> Expected(std::vector<HoopField> fields, CINIHoop& loaded) {
    static const std::regex kNumbers(" rect \\d$| id$|rotation$|limits$|points$"), kTooLong("[^,;]{11}");
    for (auto& [name, text] : fields) {
        bool points = name.find("points") != std::string::npos;
        if (std::regex_search(name, kNumbers) && std::regex_search(text, kTooLong))
            text = points ? ""
                   : name.find("rotation") != std::string::npos || name.find(" id") != std::string::npos
                       ? "0"
                       : "0,0,0,0";
        if (name == "hoop 0 points" && text.empty())
            text = DefaultOutline(loaded);
    }
    return fields;
}

} // namespace

TEST(HoopRoundTrip, RandomCataloguesComeBackAsTheFormatAllows) {
    TempDir dir;
    std::string path = dir.Path("round.ini");
    std::mt19937 random;
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // Mostly small coordinates, sometimes the extremes of the type and numbers of ten and eleven characters.
    auto number = [&] {
        const int extremes[] = {INT_MAX, INT_MIN, INT_MIN + 1, -1000000000, -999999999, 999999999};
        return between(0, 2) ? between(-5000, 5000) : extremes[between(0, 5)];
    };
    // Texts of any single-byte character but those that end a line; sometimes null or empty.
    std::string texts[3];
    auto text = [&](int slot) -> const char* {
        int kind = between(0, 9);
        texts[slot].clear();
        for (int n = kind < 2 ? 0 : between(1, 30); n > 0; --n) {
            char c = static_cast<char>(between(1, 252));
            texts[slot] += c == '\r' || c == '\n' ? '\xFD' : c;
        }
        return kind == 0 ? nullptr : texts[slot].c_str();
    };
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE(seed);
        random.seed(seed);
        CINIHoop original, loaded;
        ASSERT_EQ(original.Create(), 1);
        for (int i = 0; i < static_cast<int>(seed % 7); ++i) {
            int hoop = original.InsertHoop(text(0), text(1));
            CArray<POINT, POINT> points;
            for (int k = between(0, 3) == 0 ? 0 : between(1, 40); k > 0; --k)
                points.Add(POINT{number(), number()});
            original.SetHoopPoints(hoop, &points);
            CRect sew(number(), number(), number(), number()), inner(number(), number(), number(), number()),
                outer(number(), number(), number(), number());
            original.SetHoopSewField(hoop, &sew);
            original.SetHoopInnerDim(hoop, &inner);
            original.SetHoopOuterDim(hoop, &outer);
            for (int j = between(0, 4); j > 0; --j)
                original.InsertHoopMount(hoop, text(2), number(), number(), number(), number(), number(),
                                         number());
            original.SetHoopRotation(hoop, between(0, 1) ? 0 : between(-720, 720));
        }
        ASSERT_EQ(original.SaveAs(path.c_str()), 1);
        int result = 0;
        std::string printed = CapturedDiagnostics([&] { result = loaded.Load(path.c_str()); });
        ASSERT_EQ(result, 1) << printed;
        EXPECT_EQ(Expected(HoopFields(original), loaded), HoopFields(loaded));
        for (int i = 0; i < loaded.GetHoopCount(); ++i)
            EXPECT_EQ(loaded.GetHoopRotation(i), 0);
        if (HasFailure())
            break;
    }
}
