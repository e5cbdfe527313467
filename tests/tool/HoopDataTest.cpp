// The comparison that decides whether a saved file is safe: what a hoop file cannot carry is accepted, and the
// first field that does not read back is named. (A sound save never differs, so only here does a fault show.)
#include "HoopData.h"

#include <gtest/gtest.h>

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

TEST(FirstDifference, AcceptsWhatTheFileCannotCarry) {
    HoopData first; // the reader gives a first hoop without points its hoop rectangle times four
    first.sewField = {-100, 50, 100, -50};
    first.hoopRect = {-110, -70, 110, 70};
    HoopData saved = first;
    saved.points = {{-440, -280}, {440, -280}, {440, 280}, {-440, 280}, {-440, -280}};
    HoopData turned = TwoMountHoop(); // the file keeps no rotation
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
        {[](HoopData& h) { h.description = "Other"; }, "hoop 1 (Multi): its description \"Multi\" reads back as"},
        {[](HoopData& h) { h.shape = ""; }, "its shape \"rectangle\" reads back as \"\""},
        {[](HoopData& h) { h.sewField.top = 0; }, "its sew field -500,400,500,-400 reads back as -500,0,500,-400"},
        {[](HoopData& h) { h.innerDim.left = 0; }, "its inner dimension -600,500,600,-500 reads back as"},
        {[](HoopData& h) { h.outerDim.bottom = 0; }, "its outer dimension -700,600,700,-600 reads back as"},
        {[](HoopData& h) { h.points.pop_back(); }, "its outline of 4 points reads back as 3 points"},
        {[](HoopData& h) { h.mounts.pop_back(); }, "its 2 mounts read back as 1"},
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

} // namespace
