// The catalogue handle (Create, Release, counted sharing through assignment), appending hoops from another
// catalogue and cloning whole catalogues.
#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <string>
#include <vector>

#include "ini/INIFile.h"
#include "support/HoopFields.h"

namespace {
// Everything a hoop copy carries, read through the public members, with its rotation.
using HoopImage = std::vector<HoopField>;
HoopImage ReadHoop(CINIHoop& handle, int hoop) {
    HoopImage image = HoopFieldsOf(handle, hoop);
    image.push_back({"rotation", std::to_string(handle.GetHoopRotation(hoop))});
    return image;
}

std::vector<HoopImage> ReadAll(CINIHoop& handle) {
    std::vector<HoopImage> hoops;
    for (int hoop = 0; hoop < handle.GetHoopCount(); ++hoop)
        hoops.push_back(ReadHoop(handle, hoop));
    return hoops;
}

bool HasNoCatalogue(CINIHoop& handle) {
    return handle.GetHoopCount() == 0 && handle.InsertHoop("x", "y") == -1;
}

struct HoopCopying : testing::Test {
    CINIHoop source;
    // Three hoops: a full one, a bare one with null texts, and one with several mounts and a null label.
    void SetUp() override {
        ASSERT_EQ(source.Create(), 1);
        ASSERT_EQ(source.InsertHoop("Round 100% cotton", "oval"), 0);
        CRect sew(-100, 50, 100, -50), inner(-120, 70, 120, -70), outer(-140, 90, 140, -90);
        source.SetHoopSewField(0, &sew);
        source.SetHoopInnerDim(0, &inner);
        source.SetHoopOuterDim(0, &outer);
        CArray<POINT, POINT> points;
        for (int i = 0; i < 5; ++i)
            points.Add(POINT{i, -i * i});
        source.SetHoopPoints(0, &points);
        ASSERT_EQ(source.InsertHoopMount(0, "clamp", 1, 90, -10, 10, -20, 20), 0);
        ASSERT_EQ(source.InsertHoopMount(0, "", 2, 0, INT_MIN, 0, 0, INT_MAX), 1);
        ASSERT_EQ(source.InsertHoop(nullptr, nullptr), 1);
        ASSERT_EQ(source.InsertHoop("many", "square"), 2);
        for (int j = 0; j < 4; ++j)
            ASSERT_EQ(source.InsertHoopMount(2, j == 2 ? nullptr : "m", j, j, j, j, j, j), j);
    }
};
} // namespace

TEST_F(HoopCopying, AppendCreatesACatalogueOrFailsWithoutOne) {
    CINIHoop target, empty;
    EXPECT_EQ(target.AppendHoop(nullptr, 0), 0);
    EXPECT_EQ(target.AppendHoop(&source, -1), 0);
    EXPECT_EQ(target.AppendHoop(&source, 3), 0);
    EXPECT_EQ(target.AppendHoop(&empty, 0), 0);
    EXPECT_TRUE(HasNoCatalogue(target));
    EXPECT_EQ(target.AppendHoop(&source, 2), 1);
    EXPECT_EQ(ReadAll(target), std::vector<HoopImage>{ReadHoop(source, 2)});
}

TEST_F(HoopCopying, CopiesDropTheRotationAndRectangleEdgesOfTheKeepValue) {
    ASSERT_EQ(source.SetHoopRotation(0, 90), 1);
    // A turn beyond the 32-bit range leaves -2147483648 in edges, which the rectangle setters cannot store.
    CRect huge(-INT_MAX, -INT_MAX, -INT_MAX, -INT_MAX);
    ASSERT_EQ(source.SetHoopOuterDim(1, &huge), 1);
    ASSERT_EQ(source.SetHoopRotation(1, 45), 1);
    ASSERT_EQ(source.GetHoopOuterDimLeft(1), INT_MIN);

    CINIHoop target;
    ASSERT_EQ(target.AppendHoop(&source, 0), 1);
    ASSERT_EQ(source.CloneTo(&target), 1);
    ASSERT_EQ(target.AppendHoop(&source, 0), 1);
    std::vector<HoopImage> expected = ReadAll(source);
    expected.push_back(expected[0]);
    for (HoopImage& hoop : expected)
        for (HoopField& field : hoop) {
            field.second = field.first == "rotation" ? "0" : field.second;
            if (field.first.rfind("rect", 0) == 0)
                field.second = std::regex_replace(field.second, std::regex("-2147483648"), "0");
        }
    EXPECT_EQ(ReadAll(target), expected);
}

TEST_F(HoopCopying, CopiesAreIndependentOfTheirSource) {
    CINIHoop appended, cloned;
    ASSERT_EQ(appended.AppendHoop(&source, 0), 1);
    ASSERT_EQ(source.CloneTo(&cloned), 1);
    std::vector<HoopImage> before = ReadAll(source);
    source.SetHoop(0, "changed", "changed");
    source.SetHoopMountLabel(0, 0, "changed");
    source.SetHoopSewFieldLeft(0, 1);
    source.RemoveHoop(2);
    source.Release();
    EXPECT_EQ(ReadHoop(appended, 0), before[0]);
    EXPECT_EQ(ReadAll(cloned), before);
}

TEST_F(HoopCopying, AppendToItselfCopiesOnlyTheMountsThatWereThere) {
    EXPECT_EQ(source.AppendHoop(&source, 2), 1);
    ASSERT_EQ(source.GetHoopCount(), 4);
    EXPECT_EQ(ReadHoop(source, 3), ReadHoop(source, 2));
}

TEST_F(HoopCopying, CloneReplacesTheTargetsCatalogueEvenWhenShared) {
    CINIHoop target, empty;
    target = source;
    std::vector<HoopImage> before = ReadAll(source);
    EXPECT_EQ(source.CloneTo(&target), 1);
    target.RemoveHoop(0);
    EXPECT_EQ(ReadAll(source), before);
    EXPECT_EQ(empty.CloneTo(&target), 1);
    EXPECT_EQ(target.GetHoopCount(), 0);
    EXPECT_EQ(source.CloneTo(&source), 1);
    EXPECT_EQ(source.GetHoopCount(), 0);
    EXPECT_EQ(source.CloneTo(nullptr), 0);
}

TEST(HoopLifecycle, CreateOwnsOneDocumentUntilReleaseOrDestruction) {
    {
        CINIHoop handle;
        EXPECT_EQ(handle.Release(), 1);
        ASSERT_EQ(handle.Create(), 1);
        ASSERT_EQ(handle.InsertHoop("a", "b"), 0);
        ASSERT_EQ(handle.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6), 0);
        ASSERT_EQ(handle.Create(), 1); // releases the filled catalogue first
        EXPECT_EQ(handle.GetHoopCount(), 0);
        EXPECT_EQ(handle.Release(), 1);
        EXPECT_TRUE(HasNoCatalogue(handle));
        ASSERT_EQ(handle.Create(), 1);
    }
}

TEST(HoopLifecycle, AssignedHandlesShareTheCatalogueUntilTheLastLetsGo) {
    CINIHoop a, b, c;
    ASSERT_EQ(a.Create(), 1);
    ASSERT_EQ(b.Create(), 1);
    b = a; // frees b's own catalogue
    EXPECT_EQ(b.InsertHoop("through b", nullptr), 0);
    EXPECT_EQ(a.GetHoopCount(), 1);
    EXPECT_EQ(a.RemoveHoop(0), 1);
    EXPECT_EQ(b.GetHoopCount(), 0);
    EXPECT_EQ(a.InsertHoop("kept", nullptr), 0);

    // Self-assignment and assignment between sharing handles change nothing.
    CINIHoop& same = a;
    a = same;
    a = b;
    c = b;
    a.Release(); // a was the owner: the catalogue lives on in b and c
    EXPECT_TRUE(HasNoCatalogue(a));
    EXPECT_EQ(c.GetHoopCount(), 1);
    b = a;
    EXPECT_EQ(c.GetHoopCount(), 1);
    c = CINIHoop();
}
