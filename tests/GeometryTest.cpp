// Turning hoops, span direction, the hoop rectangle and outline points.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

#include "hoop/HoopGeometry.h"
#include "support/AllocationFaults.h"
#include <brevant/INIHoop.h>

namespace {
using Edges = std::array<int, 4>;  // left, top, right, bottom
using Limits = std::array<int, 4>; // low x, high x, low y, high y

Edges EdgesOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

struct HoopGeometry : testing::Test {
    CINIHoop handle;
    void SetUp() override { Reset({0, 0, 0, 0}, {}); }
    void Reset(Edges sewField, const std::vector<Limits>& mounts) {
        ASSERT_EQ(handle.Create(), 1);
        ASSERT_EQ(handle.InsertHoop("hoop", nullptr), 0);
        CRect rect(sewField[0], sewField[1], sewField[2], sewField[3]);
        ASSERT_EQ(handle.SetHoopSewField(0, &rect), 1);
        for (const Limits& l : mounts)
            ASSERT_GE(handle.InsertHoopMount(0, "m", 3, 45, l[0], l[1], l[2], l[3]), 0);
    }
    Edges Get(int (CINIHoop::*get)(int, CRect*)) {
        CRect rect;
        EXPECT_EQ((handle.*get)(0, &rect), 1);
        return EdgesOf(rect);
    }
    Limits MountLimits(int mount) {
        Limits l;
        EXPECT_EQ(handle.GetHoopMount(0, mount, nullptr, nullptr, nullptr, &l[0], &l[1], &l[2], &l[3]), 1);
        return l;
    }
};
} // namespace

// Halves go away from zero, the sum is rounded as a double before it is truncated, and the range is clamped;
// a turn moves the corner points about the origin without reordering the edges.
TEST(HoopTurning, RoundingAndCornerPoints) {
    const double values[] = {2.5,          -2.5,  2.4999,        0.5,   -0.5, -0.4, 0.49999999999999994,
                             2147483647.4, 3.0e9, -2147483648.4, -3.0e9};
    const int32_t rounded[] = {3, -3, 2, 1, -1, 0, 1, INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(HoopRoundDouble(values[k]), rounded[k]) << values[k];
    RECT in{1, 0, 0, 1}, out{7, 7, 7, 7};
    EXPECT_EQ(HoopRotateRect(&out, &in, 90.0), 1);
    EXPECT_EQ(EdgesOf(out), (Edges{0, -1, 1, 0}));
    in = {INT_MAX, INT_MAX, INT_MIN, INT_MIN}; // beyond the 32-bit range the results are clamped
    EXPECT_EQ(HoopRotateRect(&out, &in, 45.0), 1);
    EXPECT_EQ(EdgesOf(out), (Edges{INT_MAX, 0, INT_MIN, 0}));
    EXPECT_EQ(HoopRotateRect(nullptr, &in, 90.0) + HoopRotateRect(&out, nullptr, 90.0), 0);
}

// The angle of a turn is the new rotation itself, and a rotation equal to the stored one changes nothing.
TEST_F(HoopGeometry, EachRotationTurnsTheStoredRectanglesByTheNewAngle) {
    struct Case {
        Edges sewField;
        std::vector<int> rotations;
        Edges turned;
    } cases[] = {
        {{-100, 50, 100, -50}, {90}, {-50, 100, 50, -100}},
        {{-100, 50, 100, -50}, {45}, {-35, 106, 35, -106}},
        {{0, 10, 20, 0}, {90, 180}, {-10, 20, 0, 0}},
        {{20, 0, 0, 10}, {360}, {0, 10, 20, 0}},
        {{-100, 50, 100, -50}, {90, 90}, {-50, 100, 50, -100}},
    };
    for (const Case& c : cases) {
        Reset(c.sewField, {});
        for (int rotation : c.rotations)
            EXPECT_EQ(handle.SetHoopRotation(0, rotation), 1);
        EXPECT_EQ(Get(&CINIHoop::GetHoopSewField), c.turned);
        EXPECT_EQ(handle.GetHoopRotation(0), c.rotations.back());
    }
}

// Every rotation turns the rectangles and the mount limits by the new angle; the rectangles are then put in
// order, the limits are not, and neither the mounts' own rotations nor the outline points change.
TEST_F(HoopGeometry, RotationTurnsRectanglesAndLimitsButNotPoints) {
    Reset({20, 0, 0, 10}, {{20, 0, 0, 10}, {-5, 5, 0, 0}});
    CRect rect(20, 0, 0, 10);
    handle.SetHoopInnerDim(0, &rect);
    handle.SetHoopOuterDim(0, &rect);
    CArray<POINT, POINT> points;
    points.Add(POINT{1, 2});
    ASSERT_EQ(handle.SetHoopPoints(0, &points), 1);
    EXPECT_EQ(handle.SetHoopRotation(0, 360), 1);
    for (auto get : {&CINIHoop::GetHoopSewField, &CINIHoop::GetHoopInnerDim, &CINIHoop::GetHoopOuterDim})
        EXPECT_EQ(Get(get), (Edges{0, 10, 20, 0}));
    EXPECT_EQ(MountLimits(0), (Limits{20, 0, 0, 10}));
    EXPECT_EQ(handle.SetHoopRotation(0, 90), 1);
    EXPECT_EQ(MountLimits(1), (Limits{0, 0, 5, -5}));
    EXPECT_EQ(handle.GetHoopMountRotation(0, 1), 45);
    ASSERT_EQ(handle.GetHoopPoints(0, &points), 1);
    EXPECT_EQ(points.GetSize() * 100 + points[0].y, 102);
}

// The span direction collects the limits in use; the hoop rectangle covers the sew field over every mount.
TEST_F(HoopGeometry, SpanDirectionAndHoopRectangleFollowTheMounts) {
    struct Case {
        Edges sewField;
        std::vector<Limits> mounts;
        int span;
        Edges bounds;
    } cases[] = {
        {{-100, 50, 100, -50}, {}, 0, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}},
        {{-100, 50, 100, -50}, {{0, 0, 0, 0}}, 0, {-100, -50, 100, 50}},
        {{-100, 50, 100, -50}, {{-10, 0, 0, 0}}, 1, {-110, -50, 100, 50}},
        {{-100, 50, 100, -50}, {{0, 0, 0, 3}}, 2, {-100, -50, 100, 53}},
        {{-100, 50, 100, -50}, {{0, 10, 0, 0}, {0, 0, -3, 0}}, 3, {-100, -53, 110, 50}},
        {{-100, 50, 100, -50}, {{-10, 10, -20, 20}, {0, 30, 0, 0}}, 3, {-110, -70, 130, 70}},
        {{0, 0, 201, -201}, {{-10, 10, -20, 20}}, 3, {-110, -120, 110, 120}}, // halves toward zero
        {{201, -201, 0, 0}, {{-10, 10, -20, 20}}, 3, {90, 80, -90, -80}},
        // Beyond the 32-bit range the arithmetic wraps.
        {{-100, 0, 100, 0}, {{INT_MIN, INT_MAX, 0, 0}}, 1, {INT_MAX - 99, 0, INT_MIN + 99, 0}},
        {{INT_MIN + 1, INT_MAX, INT_MAX, INT_MIN + 1}, {{0, 0, 0, 0}}, 0, {1, 1, -1, -1}},
    };
    for (const Case& c : cases) {
        Reset(c.sewField, c.mounts);
        EXPECT_EQ(handle.GetHoopSpanDir(0), c.span);
        EXPECT_EQ(Get(&CINIHoop::GetHoopRect), c.bounds);
    }
}

TEST_F(HoopGeometry, PointsFailOrEmpty) {
    CArray<POINT, POINT> points, read, none;
    points.Add(POINT{-70, INT_MAX});
    points.Add(POINT{3, INT_MIN});
    for (bool fail : {true, false}) { // a failed copy and an empty array both leave the hoop without points
        ASSERT_EQ(handle.SetHoopPoints(0, &points), 1);
        MemFailAt(fail ? 1 : 0);
        EXPECT_EQ(handle.SetHoopPoints(0, fail ? &points : &none), fail ? 0 : 1);
        MemFailAt(0);
        ASSERT_EQ(handle.GetHoopPoints(0, &read), 1);
        EXPECT_EQ(read.GetSize(), 0);
    }
}
