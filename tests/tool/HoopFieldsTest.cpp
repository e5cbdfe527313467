// Setting a hoop's fields by name: each name reaches its own field and no other, and what cannot be stored is
// refused with nothing changed.
#include "HoopFields.h"
#include "HoopData.h"

#include <gtest/gtest.h>

namespace {

// One hoop with every field distinct, so that a field set by the wrong name shows.
void MakeHoop(CINIHoop& catalogue) {
    catalogue.Create();
    int hoop = catalogue.InsertHoop("Oval", "oval");
    CRect sew(-1, 2, 3, -4), inner(-11, 12, 13, -14), outer(-21, 22, 23, -24);
    catalogue.SetHoopSewField(hoop, &sew);
    catalogue.SetHoopInnerDim(hoop, &inner);
    catalogue.SetHoopOuterDim(hoop, &outer);
    catalogue.InsertHoopMount(hoop, "A", 1, 2, 3, 4, 5, 6);
}

TEST(SetHoopField, EachNameReachesItsOwnField) {
    const struct {
        const char* field;
        const char* value;
        void (*change)(HoopData&);
    } rows[] = {
        {"description", "Round", [](HoopData& h) { h.description = "Round"; }},
        {"SHAPE", "", [](HoopData& h) { h.shape = ""; }},
        {"points", "1,2, -3,4",
         [](HoopData& h) {
             h.points = {{1, 2}, {-3, 4}};
         }},
        {"sewfield", "10,20,30,-40",
         [](HoopData& h) {
             h.sewField = {10, 20, 30, -40};
         }},
        {"innerDim.top", "99", [](HoopData& h) { h.innerDim.top = 99; }},
        {"outerdim.right", "-7", [](HoopData& h) { h.outerDim.right = -7; }},
        {"sewfield.bottom", "0", [](HoopData& h) { h.sewField.bottom = 0; }},
        {"mounts.0.label", "Top", [](HoopData& h) { h.mounts[0].label = "Top"; }},
        {"mounts.0.id", "9", [](HoopData& h) { h.mounts[0].id = 9; }},
        {"mounts.0.rotation", "90", [](HoopData& h) { h.mounts[0].rotation = 90; }},
        {"mounts.0.lowX", "-30", [](HoopData& h) { h.mounts[0].lowX = -30; }},
        {"mounts.0.highx", "31", [](HoopData& h) { h.mounts[0].highX = 31; }},
        {"mounts.0.lowy", "-50", [](HoopData& h) { h.mounts[0].lowY = -50; }},
        {"mounts.0.highy", "51", [](HoopData& h) { h.mounts[0].highY = 51; }},
        {"mounts.0.lowhighxy", "7,8,9,10",
         [](HoopData& h) {
             h.mounts[0].lowX = 7, h.mounts[0].highX = 8, h.mounts[0].lowY = 9, h.mounts[0].highY = 10;
         }},
    };
    for (const auto& row : rows) {
        CINIHoop catalogue;
        MakeHoop(catalogue);
        HoopData expected = ReadHoops(catalogue)[0];
        row.change(expected);
        EXPECT_EQ(SetHoopField(catalogue, 0, row.field, row.value), "") << row.field;
        EXPECT_EQ(FirstDifference({expected}, ReadHoops(catalogue)), "") << row.field;
    }
}

TEST(SetHoopField, RefusesWhatCannotBeStoredAndChangesNothing) {
    const struct {
        const char* field;
        const char* value;
        const char* problem;
    } rows[] = {
        {"sewfield", "1,2,3", "takes 4 numbers"},
        {"sewfield", "1,2,3,-2147483648", "cannot be stored"},
        {"sewfield.middle", "1", "edges are left, top, right and bottom"},
        {"innerdim.left", "010x", "not a decimal whole number"},
        {"outerdim.top", "", "empty value"},
        {"points", "1,2,3", "no whole pairs"},
        {"mounts.1.label", "B", "its mounts are 0 to 0"},
        {"mounts.x.id", "1", "has no mount"},
        {"mounts.0.speed", "1", "unknown field"},
        {"mounts.0.lowy", "-2147483648", "cannot be stored"},
        {"mounts.0", "1", "unknown field"},
        {"rotation", "90", "brevant rotate"},
        {"colour", "red", "unknown field \"colour\""},
    };
    for (const auto& row : rows) {
        CINIHoop catalogue;
        MakeHoop(catalogue);
        std::vector<HoopData> before = ReadHoops(catalogue);
        std::string problem = SetHoopField(catalogue, 0, row.field, row.value);
        EXPECT_NE(problem.find(row.problem), std::string::npos) << row.field << ": " << problem;
        EXPECT_EQ(FirstDifference(before, ReadHoops(catalogue)), "") << row.field;
    }
}

} // namespace
