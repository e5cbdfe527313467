// Reading and writing catalogue files: the hoop sections read, the bytes saved, and catalogues that come back
// from a save unchanged but for what the file format cannot carry.
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

const char* const kSmallOval = "[hoops]\r\ntext=\"\"\r\n\r\n"
                               "[hoops.hoop0]\r\ndescription=\"Small\"\r\nshape=\"Oval\"\r\ntext=\"\"\r\n"
                               "points=-500,0,0,500,500,0\r\n\r\n"
                               "[hoops.hoop0.sewfield]\r\nrect=-400,400,400,-400\r\ntext=\"\"\r\n\r\n"
                               "[hoops.hoop0.innerdim]\r\nrect=-450,450,450,-450\r\ntext=\"\"\r\n\r\n"
                               "[hoops.hoop0.outerdim]\r\nrect=-600,600,600,-600\r\ntext=\"\"\r\n\r\n"
                               "[hoops.hoop0.mounts]\r\ntext=\"\"\r\n\r\n"
                               "[hoops.hoop0.mounts.mount0]\r\nid=2\r\nlabel=\"Left\"\r\nrotation=90\r\n"
                               "lowhighxy=0,0,-100,100\r\ntext=\"\"\r\n\r\n";

struct HoopFileTest : testing::Test {
    TempDir dir;
    CINIHoop hoops;

    // Loads INI text and answers Load's result; the diagnostics go to `printed`.
    int LoadText(const std::string& text, const char* name = "hoops.ini") {
        std::string path = dir.Write(name, text);
        int result = 0;
        printed = CapturedDiagnostics([&] { result = hoops.Load(path.c_str()); });
        return result;
    }
    std::string Description(int hoop) { return Field("hoop " + std::to_string(hoop) + " description"); }
    std::string Field(const std::string& name) {
        for (const HoopField& field : HoopFields(hoops))
            if (field.first == name)
                return field.second;
        return "<none>";
    }
    std::string printed;
};

} // namespace

// The loader's tests show where each key goes; the same bytes saved again show every field written back.
TEST_F(HoopFileTest, SaveWritesTheSchemaByteForByte) {
    ASSERT_EQ(LoadText(kSmallOval), 1);
    EXPECT_EQ(printed, "\nLoaded INI file - Errors <0000> Warnings <0000>.");
    EXPECT_EQ(Field("hoop 0 mount 0 limits"), "0,0,-100,100");
    std::string path = dir.Path("out.ini");
    ASSERT_EQ(hoops.SaveAs(path.c_str()), 1);
    EXPECT_EQ(ReadFileBytes(path), kSmallOval);

    CINIHoop empty;
    EXPECT_EQ(empty.SaveAs(path.c_str()), 0); // no catalogue: the file stays as it was
    EXPECT_EQ(ReadFileBytes(path), kSmallOval);
    ASSERT_EQ(empty.Create(), 1);
    EXPECT_EQ(empty.SaveAs(nullptr), 0);
    EXPECT_EQ(empty.SaveAs(dir.Path("missing/dir/out.ini").c_str()), 0);
    ASSERT_EQ(empty.SaveAs(path.c_str()), 1);
    EXPECT_EQ(ReadFileBytes(path), "[hoops]\r\ntext=\"\"\r\n\r\n");
}

TEST_F(HoopFileTest, SaveWritesPointlessHoopsNullTextsAndEveryMount) {
    ASSERT_EQ(hoops.Create(), 1);
    hoops.InsertHoop(nullptr, "100% cotton");
    int second = hoops.InsertHoop("Two", nullptr);
    CArray<POINT, POINT> one;
    one.Add(POINT{-7, 8});
    hoops.SetHoopPoints(second, &one);
    hoops.InsertHoopMount(second, nullptr, -1, 0, 1, 2, 3, 4);
    hoops.InsertHoopMount(second, "B", 5, 6, 7, 8, 9, 10);
    std::string path = dir.Path("out.ini");
    ASSERT_EQ(hoops.SaveAs(path.c_str()), 1);
    std::string bytes = ReadFileBytes(path);
    for (const char* part :
         {"[hoops.hoop0]\r\ndescription=\"\"\r\nshape=\"100% cotton\"\r\ntext=\"\"\r\n\r\n[",
          "text=\"\"\r\npoints=-7,8\r\n\r\n", "mount0]\r\nid=-1\r\nlabel=\"\"\r\nrotation=0\r\n",
          "[hoops.hoop1.mounts.mount1]\r\nid=5\r\nlabel=\"B\""})
        EXPECT_NE(bytes.find(part), std::string::npos) << part;
    EXPECT_EQ(bytes.find("[hoops.hoop0.mounts]"), std::string::npos);
}

TEST_F(HoopFileTest, TheFirstSectionMustBeHoops) {
    EXPECT_EQ(LoadText("[HOOPS]\n[hoops.hoop0]\ndescription=\"A\"\n"), 1);
    EXPECT_EQ(hoops.GetHoopCount(), 1);
    for (const char* text : {"[other]\n[hoops]\n[hoops.hoop0]\n", "; nothing but a comment\n", ""}) {
        ASSERT_EQ(hoops.Create(), 1);
        EXPECT_EQ(LoadText(text), 0) << text;
        EXPECT_EQ(hoops.GetHoopCount(), 0); // the earlier catalogue is gone too
        EXPECT_EQ(hoops.InsertHoop("x", "y"), -1);
    }
    EXPECT_EQ(hoops.Load(nullptr), 0);
    ASSERT_EQ(hoops.Create(), 1);
    EXPECT_EQ(hoops.Load(nullptr), 0); // a null path leaves the handle as it was
    EXPECT_EQ(hoops.InsertHoop("x", "y"), 0);
    EXPECT_EQ(LoadText("", "missing/none.ini"), 0);
    EXPECT_EQ(hoops.GetHoopCount(), 0);
}

TEST_F(HoopFileTest, HoopsAreProbedFrom0To511WithGaps) {
    ASSERT_EQ(LoadText("[hoops]\n[hoops.hoop3]\ndescription=\"three\"\n[hoops.hoop512]\ndescription=\"no\"\n"
                       "[hoops.hoop0]\ndescription=\"zero\"\n[hoops.hoop511]\ndescription=\"last\"\n"
                       "[hoops.hoop03]\ndescription=\"leading zero\"\n"),
              1);
    ASSERT_EQ(hoops.GetHoopCount(), 3);
    EXPECT_EQ(Description(0), "zero");
    EXPECT_EQ(Description(1), "three");
    EXPECT_EQ(Description(2), "last");
    ASSERT_EQ(LoadText("[hoops]\n[hoops.hoop512]\n[hoops.hoop1000]\n"), 1);
    EXPECT_EQ(hoops.GetHoopCount(), 0);
}

TEST_F(HoopFileTest, KeysCountOnlyWithTheirTypeAndElementCount) {
    ASSERT_EQ(
        LoadText(
            "[hoops]\n[hoops.hoop0]\npoints=1,2,3\ndescription=7\n[hoops.hoop0.sewfield]\nrect=1,2,3\n"
            "[hoops.hoop0.innerdim]\nrect=$10,$B,$-3,$4\n[hoops.hoop0.outerdim]\nrect=1.5,2,3,4\n"
            "[hoops.hoop1]\npoints=1.0,2.0\n[Hoops.Hoop1.Mounts.Mount0]\nID=4,5\nLowHighXY=$A,$-A,$1,$0\n"
            "label=\"L\"\n"),
        1);
    EXPECT_EQ(Description(0), "");
    EXPECT_EQ(Field("hoop 0 rect 0"), "0,0,0,0");
    EXPECT_EQ(Field("hoop 0 rect 1"), "16,11,-3,4");
    EXPECT_EQ(Field("hoop 0 rect 2"), "0,0,0,0");
    EXPECT_EQ(Field("hoop 1 mounts"), "1");
    EXPECT_EQ(Field("hoop 1 mount 0 id"), "0");
    EXPECT_EQ(Field("hoop 1 mount 0 limits"), "10,-10,1,0");
    EXPECT_EQ(Field("hoop 1 points"), ""); // not the first hoop: no default outline
}

TEST_F(HoopFileTest, OnlyTheFirstHoopReadGetsTheDefaultOutline) {
    ASSERT_EQ(LoadText("[hoops]\n[hoops.hoop2]\n[hoops.hoop2.sewfield]\nrect=-100,50,100,-50\n"
                       "[hoops.hoop2.mounts.mount0]\nlowhighxy=-10,10,-20,20\n[hoops.hoop5]\n"),
              1);
    EXPECT_EQ(Field("hoop 0 points"), "-440,-280;440,-280;440,280;-440,280;-440,-280;");
    EXPECT_EQ(Field("hoop 1 points"), "");
    ASSERT_EQ(LoadText("[hoops]\n[hoops.hoop0]\n"), 1); // no mounts: the empty bounding rectangle, wrapped
    EXPECT_EQ(Field("hoop 0 points"), "-4,-4;0,-4;0,0;-4,0;-4,-4;");
}

TEST_F(HoopFileTest, MountIndexesMustStayBelowTheSectionCount) {
    ASSERT_EQ(LoadText("[hoops]\n[hoops.hoop0]\n[hoops.hoop0.mounts.mount5]\nid=5\n"), 1);
    EXPECT_EQ(hoops.GetHoopMountCount(0), 0);
    ASSERT_EQ(
        LoadText(
            "[hoops]\n[hoops.hoop0]\n[hoops.hoop0.mounts.mount2]\nid=2\n[hoops.hoop0.mounts.mount1]\nid=1\n"
            "[hoops.hoop0.mounts.mount01]\nid=9\n[hoops.hoop0.mounts.mount0x]\nid=9\n"),
        1);
    ASSERT_EQ(hoops.GetHoopMountCount(0), 2);
    EXPECT_EQ(hoops.GetHoopMountID(0, 0), 1); // ascending j, whatever the file order
    EXPECT_EQ(hoops.GetHoopMountID(0, 1), 2);
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
