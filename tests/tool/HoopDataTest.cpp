// Hoops copied out of a catalogue and back, and the comparison that decides whether a saved file is safe.
#include "HoopData.h"
#include "Units.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

HoopData TwoMountHoop() {
    HoopData hoop;
    hoop.description = "Multi";
    hoop.shape = "rectangle";
    hoop.sewField = {-500, 400, 500, -400};
    hoop.innerDim = {-600, 500, 600, -500};
    hoop.outerDim = {-700, 600, 700, -600};
    hoop.points = {{-600, 500}, {600, 500}, {600, -500}, {-600, -500}};
    hoop.mounts = {{"Low", 1, 0, 0, 0, -300, -300}, {"High", 2, 90, 0, 0, 300, 300}};
    return hoop;
}

TEST(HoopData, HoopsGoIntoACatalogueAndComeOutTheSame) {
    CINIHoop catalogue;
    ASSERT_TRUE(catalogue.Create());
    HoopData hoop = TwoMountHoop();
    hoop.rotation = 90; // not applied: the values are stored already turned
    ASSERT_EQ(AddHoops(catalogue, {hoop, HoopData{}}), "");
    std::vector<HoopData> back = ReadHoops(catalogue);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].rotation, 0);
    EXPECT_EQ(FirstDifference({hoop, HoopData{}}, back), "");
    EXPECT_EQ(back[0].spanDir, 2);
    EXPECT_EQ(back[0].hoopRect, (HoopRect{-500, -700, 500, 700}));
}

TEST(FirstDifference, AcceptsWhatTheFileCannotCarry) {
    HoopData first;
    first.sewField = {-100, 50, 100, -50};
    first.mounts = {{"", 0, 0, -10, 10, -20, 20}};
    first.hoopRect = {-110, -70, 110, 70};
    HoopData saved = first;
    saved.points = {{-440, -280}, {440, -280}, {440, 280}, {-440, 280}, {-440, -280}};
    HoopData turned = TwoMountHoop();
    HoopData unturned = turned;
    turned.rotation = 45;
    EXPECT_EQ(FirstDifference({first, turned}, {saved, unturned}), "");
}

TEST(FirstDifference, NamesTheFirstFieldThatDoesNotReadBack) {
    HoopData hoop = TwoMountHoop();
    struct Change {
        void (*apply)(HoopData&);
        const char* words;
    } changes[] = {
        {[](HoopData& h) { h.description = "Other"; },
         "hoop 1 (Multi): its description \"Multi\" reads back as"},
        {[](HoopData& h) { h.points.pop_back(); }, "its outline of 4 points reads back as 3 points"},
        {[](HoopData& h) { h.mounts[1].label = "x"; }, "mount 1 label \"High\" reads back as \"x\""},
        {[](HoopData& h) { h.mounts[0].highY = 7; }, "mount 0 does not read back"},
    };
    for (const Change& change : changes) {
        HoopData saved = hoop;
        change.apply(saved);
        std::string difference = FirstDifference({HoopData{}, hoop}, {HoopData{}, saved});
        EXPECT_NE(difference.find(change.words), std::string::npos) << difference;
    }
    // Only the first hoop read without points is given an outline by the reader.
    HoopData bare;
    HoopData outlined = bare;
    outlined.points = {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}};
    EXPECT_NE(FirstDifference({hoop, bare}, {hoop, outlined}), "");
    EXPECT_EQ(FirstDifference({hoop}, {hoop, hoop}), "1 hoop read back as 2");
}

TEST(Units, MillimetresFromTenths) {
    EXPECT_EQ(FormatMm(int64_t{1005}), "100.5");
    EXPECT_EQ(FormatMm(int64_t{-5}), "-0.5");
    EXPECT_EQ(FormatMmShort(1000), "100");
    EXPECT_EQ(Extent(INT_MIN, INT_MAX), 4294967295LL);
    EXPECT_EQ(FormatSizeMm(1300, 1800), "130.0 x 180.0");
}

} // namespace
