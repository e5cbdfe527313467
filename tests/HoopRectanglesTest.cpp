// The sew field, inner dimension and outer dimension members, run over all three families.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include <brevant/INIHoop.h>

namespace {
using Edges = std::array<int, 4>; // left, top, right, bottom
constexpr int kKeep = INT_MIN;

struct Family {
    const char* name;
    int (CINIHoop::*getWhole)(int, CRect*);
    int (CINIHoop::*setWhole)(int, const CRect*);
    std::array<int (CINIHoop::*)(int), 4> getEdge;
    std::array<int (CINIHoop::*)(int, int), 4> setEdge;
};

#define HOOP_RECT_FAMILY(Name)                                                                               \
    Family {                                                                                                 \
#Name, &CINIHoop::GetHoop##Name, &CINIHoop::SetHoop##Name,                                           \
            {&CINIHoop::GetHoop##Name##Left, &CINIHoop::GetHoop##Name##Top, &CINIHoop::GetHoop##Name##Right, \
             &CINIHoop::GetHoop##Name##Bottom },                                                             \
             {&CINIHoop::SetHoop##Name##Left, &CINIHoop::SetHoop##Name##Top,                                 \
              &CINIHoop::SetHoop##Name##Right, &CINIHoop::SetHoop##Name##Bottom },                           \
    }
const Family kFamilies[] = {HOOP_RECT_FAMILY(SewField), HOOP_RECT_FAMILY(InnerDim),
                            HOOP_RECT_FAMILY(OuterDim)};

struct HoopRectangles : testing::TestWithParam<Family> {
    CINIHoop handle;
    void SetUp() override {
        ASSERT_EQ(handle.Create(), 1);
        ASSERT_EQ(handle.InsertHoop("first", nullptr), 0);
        ASSERT_EQ(handle.InsertHoop("second", nullptr), 1);
    }
    int Set(int hoop, Edges e) {
        CRect rect(e[0], e[1], e[2], e[3]);
        return (handle.*GetParam().setWhole)(hoop, &rect);
    }
    // One hoop's three rectangles, whole and edge by edge; the two readings must agree.
    std::array<Edges, 3> All(int hoop) {
        std::array<Edges, 3> all;
        for (int f = 0; f < 3; ++f) {
            CRect rect(7, 7, 7, 7);
            EXPECT_EQ((handle.*kFamilies[f].getWhole)(hoop, &rect), 1);
            all[f] = {rect.left, rect.top, rect.right, rect.bottom};
            for (int e = 0; e < 4; ++e)
                EXPECT_EQ((handle.*kFamilies[f].getEdge[e])(hoop), all[f][e]);
        }
        return all;
    }
    std::array<Edges, 3> Only(Edges edges) {
        std::array<Edges, 3> all{};
        for (int f = 0; f < 3; ++f)
            if (kFamilies[f].getWhole == GetParam().getWhole)
                all[f] = edges;
        return all;
    }
};
} // namespace

TEST_P(HoopRectangles, SettersStoreUnorderedEdgesAndKeepTheKeepValue) {
    EXPECT_EQ(All(0), Only({0, 0, 0, 0}));
    EXPECT_EQ(Set(1, {100, 0, -100, 50}), 1);
    EXPECT_EQ(All(1), Only({100, 0, -100, 50}));
    EXPECT_EQ(All(0), Only({0, 0, 0, 0}));
    EXPECT_EQ(Set(1, {5, kKeep, 7, kKeep}), 1);
    EXPECT_EQ(All(1), Only({5, 0, 7, 50}));
    EXPECT_EQ(Set(1, {kKeep, kKeep, kKeep, kKeep}), 1);
    EXPECT_EQ(All(1), Only({5, 0, 7, 50}));
    // Each edge setter changes only its edge.
    for (int e = 0; e < 4; ++e) {
        ASSERT_EQ(Set(0, {-10, 20, 30, -40}), 1);
        Edges expected{-10, 20, 30, -40};
        expected[e] = 250;
        EXPECT_EQ((handle.*GetParam().setEdge[e])(0, 250), 1);
        EXPECT_EQ((handle.*GetParam().setEdge[e])(0, kKeep), 1);
        EXPECT_EQ(All(0), Only(expected)) << "edge " << e;
    }
}

TEST_P(HoopRectangles, FailuresAnswerZeroAndTouchNothing) {
    ASSERT_EQ(Set(0, {1, 2, 3, 4}), 1);
    const Family& family = GetParam();
    CRect rect(9, 9, 9, 9);
    for (int hoop : {-1, 2}) {
        EXPECT_EQ((handle.*family.getWhole)(hoop, &rect), 0);
        EXPECT_EQ((handle.*family.setWhole)(hoop, &rect), 0);
        for (int e = 0; e < 4; ++e) {
            EXPECT_EQ((handle.*family.getEdge[e])(hoop), 0);
            EXPECT_EQ((handle.*family.setEdge[e])(hoop, 5), 0);
        }
    }
    EXPECT_EQ((handle.*family.getWhole)(0, nullptr), 0);
    EXPECT_EQ((handle.*family.setWhole)(0, nullptr), 0);
    EXPECT_EQ(rect, CRect(9, 9, 9, 9));
    EXPECT_EQ(All(0), Only({1, 2, 3, 4}));
    EXPECT_EQ(All(1), Only({0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(HoopFamilies, HoopRectangles, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return info.param.name; });
