// Editing a catalogue: the handle's lifecycle, hoops and their texts, the rectangles, the mounts, and copying
// hoops between catalogues.
#include <array>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "ini/INIFile.h"
#include "support/AllocationFaults.h"
#include "support/HoopFields.h"
#include <brevant/INIHoop.h>

namespace {
using Texts = std::vector<std::string>; // description, shape of each hoop in order

struct HoopEntries : testing::Test {
    CINIHoop handle;
    void SetUp() override { ASSERT_EQ(handle.Create(), 1); }
    Texts All() {
        Texts texts;
        for (int hoop = 0; hoop < handle.GetHoopCount(); ++hoop) {
            CString description("old"), shape("old");
            EXPECT_EQ(handle.GetHoop(hoop, &description, &shape), 1);
            texts.insert(texts.end(), {description.GetString(), shape.GetString()});
        }
        return texts;
    }
};
} // namespace

TEST_F(HoopEntries, InsertAppendsAndTextsReadBackLiterally) {
    EXPECT_EQ(handle.InsertHoop(nullptr, nullptr), 0);
    EXPECT_EQ(handle.InsertHoop("50% off %s %n", ""), 1);
    EXPECT_EQ(handle.InsertHoop("c", "d"), 2);
    EXPECT_EQ(All(), (Texts{"", "", "50% off %s %n", "", "c", "d"}));
    EXPECT_EQ(handle.GetHoop(1, nullptr, nullptr), 1);
}

TEST_F(HoopEntries, SetHoopReplacesOnlyTheGivenTexts) {
    ASSERT_EQ(handle.InsertHoop("description", "shape"), 0);
    EXPECT_EQ(handle.SetHoop(0, "new", nullptr), 1);
    EXPECT_EQ(handle.SetHoop(0, nullptr, nullptr), 1);
    EXPECT_EQ(All(), (Texts{"new", "shape"}));
    EXPECT_EQ(handle.SetHoop(0, nullptr, ""), 1);
    EXPECT_EQ(All(), (Texts{"new", ""}));
}

TEST_F(HoopEntries, RemoveShiftsLaterHoopsDownAndKeepsTheListLinked) {
    for (const char* text : {"a", "b", "c", "d"})
        handle.InsertHoop(text, nullptr);
    ASSERT_EQ(handle.InsertHoopMount(1, "mount", 1, 2, 3, 4, 5, 6), 0);
    EXPECT_EQ(handle.RemoveHoop(1), 1); // inner (with a mount), last, first
    EXPECT_EQ(handle.RemoveHoop(2), 1);
    EXPECT_EQ(handle.RemoveHoop(0), 1);
    EXPECT_EQ(handle.InsertHoop("e", nullptr), 1);
    EXPECT_EQ(All(), (Texts{"c", "", "e", ""}));
    while (handle.GetHoopCount() > 0)
        ASSERT_EQ(handle.RemoveHoop(0), 1);
    EXPECT_EQ(handle.InsertHoop("again", nullptr), 0);
}

TEST_F(HoopEntries, FailedAllocations) {
    MemFailAt(1); // the record: nothing is appended
    EXPECT_EQ(handle.InsertHoop("a", "b"), -1);
    MemFailAt(2); // the description: the hoop comes without it
    EXPECT_EQ(handle.InsertHoop("lost", "kept"), 0);
    MemFailAt(1); // a replacing text: the old one is gone all the same
    EXPECT_EQ(handle.SetHoop(0, nullptr, "lost too"), 1);
    MemFailAt(0);
    EXPECT_EQ(All(), (Texts{"", ""}));
}

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

INSTANTIATE_TEST_SUITE_P(HoopFamilies, HoopRectangles, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return info.param.name; });

namespace {
using Numbers = std::array<int, 6>; // id, rotation, low x, high x, low y, high y

using Mount = std::pair<std::string, Numbers>; // label and numbers

struct NumberField {
    int (CINIHoop::*get)(int, int);
    int (CINIHoop::*set)(int, int, int);
};
const NumberField kNumberFields[] = {
    {&CINIHoop::GetHoopMountID, &CINIHoop::SetHoopMountID},
    {&CINIHoop::GetHoopMountRotation, &CINIHoop::SetHoopMountRotation},
    {&CINIHoop::GetHoopMountLowX, &CINIHoop::SetHoopMountLowX},
    {&CINIHoop::GetHoopMountHighX, &CINIHoop::SetHoopMountHighX},
    {&CINIHoop::GetHoopMountLowY, &CINIHoop::SetHoopMountLowY},
    {&CINIHoop::GetHoopMountHighY, &CINIHoop::SetHoopMountHighY},
};

struct HoopMounts : testing::Test {
    CINIHoop handle;
    void SetUp() override {
        ASSERT_EQ(handle.Create(), 1);
        ASSERT_EQ(handle.InsertHoop("a", nullptr), 0);
        ASSERT_EQ(handle.InsertHoop("b", nullptr), 1);
    }
    int Insert(int hoop, const char* label, Numbers n) {
        return handle.InsertHoopMount(hoop, label, n[0], n[1], n[2], n[3], n[4], n[5]);
    }
    int Set(int mount, const char* label, Numbers n) {
        return handle.SetHoopMount(0, mount, label, n[0], n[1], n[2], n[3], n[4], n[5]);
    }
    std::vector<Mount> All(int hoop) {
        std::vector<Mount> mounts;
        for (int j = 0; j < handle.GetHoopMountCount(hoop); ++j) {
            CString label("unset");
            Numbers n;
            EXPECT_EQ(handle.GetHoopMount(hoop, j, &label, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]), 1);
            mounts.emplace_back(label.GetString(), n);
        }
        return mounts;
    }
};
} // namespace

TEST_F(HoopMounts, InsertAppendsAndSetKeepsFieldsGivenTheKeepValue) {
    EXPECT_EQ(Insert(1, "first", {1, 2, 3, 4, 5, 6}), 0);
    EXPECT_EQ(Insert(1, nullptr, {kKeep, kKeep, kKeep, kKeep, kKeep, kKeep}), 1);
    EXPECT_EQ(handle.GetHoopMountCount(0), 0);
    EXPECT_EQ(All(1), (std::vector<Mount>{{"first", {1, 2, 3, 4, 5, 6}},
                                          {"", {kKeep, kKeep, kKeep, kKeep, kKeep, kKeep}}}));
    ASSERT_EQ(Insert(0, "m", {1, 2, 3, 4, 5, 6}), 0); // set keeps fields given the keep value or a null label
    EXPECT_EQ(Set(0, nullptr, {7, kKeep, kKeep, kKeep, kKeep, kKeep}), 1);
    EXPECT_EQ(All(0)[0], (Mount{"m", {7, 2, 3, 4, 5, 6}}));
    EXPECT_EQ(Set(0, "", {kKeep, 0, -1, kKeep + 1, kKeep, 9}), 1);
    EXPECT_EQ(All(0)[0], (Mount{"", {7, 0, -1, kKeep + 1, 5, 9}}));
    EXPECT_EQ(handle.SetHoopMountLabel(0, 0, "%s label"), 1);
    EXPECT_EQ(handle.SetHoopMountLabel(0, 0, nullptr), 1);
    EXPECT_EQ(All(0)[0].first, "%s label");
}

TEST_F(HoopMounts, EachSingleFieldMemberReachesOnlyItsField) {
    const Numbers start{1, 2, 3, 4, 5, 6};
    ASSERT_EQ(Insert(0, "m", start), 0);
    for (int field = 0; field < 6; ++field) {
        const NumberField& f = kNumberFields[field];
        ASSERT_EQ(Insert(0, "n", start), 1);
        Mount expected{"n", start};
        expected.second[field] = -77;
        EXPECT_EQ((handle.*f.set)(0, 1, -77), 1);
        EXPECT_EQ((handle.*f.set)(0, 1, kKeep), 1);
        EXPECT_EQ(All(0), (std::vector<Mount>{{"m", start}, expected})) << "field " << field;
        EXPECT_EQ((handle.*f.get)(0, 1), -77) << "field " << field;
        ASSERT_EQ(handle.RemoveHoopMount(0, 1), 1);
    }
}

TEST_F(HoopMounts, RemoveShiftsLaterMountsDownAndKeepsTheListLinked) {
    for (int id : {10, 11, 12, 13})
        Insert(1, nullptr, {id, 0, 0, 0, 0, 0});
    EXPECT_EQ(handle.RemoveHoopMount(1, 1), 1); // inner, last, first
    EXPECT_EQ(handle.RemoveHoopMount(1, 2), 1);
    EXPECT_EQ(handle.RemoveHoopMount(1, 0), 1);
    EXPECT_EQ(Insert(1, "added", {14, 0, 0, 0, 0, 0}), 1);
    EXPECT_EQ(All(1), (std::vector<Mount>{{"", {12, 0, 0, 0, 0, 0}}, {"added", {14, 0, 0, 0, 0, 0}}}));
    while (handle.GetHoopMountCount(1) > 0)
        ASSERT_EQ(handle.RemoveHoopMount(1, 0), 1);
    EXPECT_EQ(Insert(1, "again", {0, 0, 0, 0, 0, 0}), 0);
}

TEST_F(HoopMounts, FailedAllocations) {
    MemFailAt(1); // the record
    EXPECT_EQ(Insert(0, "record", {1, 2, 3, 4, 5, 6}), -1);
    MemFailAt(2); // the label: the mount comes without it
    EXPECT_EQ(Insert(0, "label", {1, 2, 3, 4, 5, 6}), 0);
    MemFailAt(0);
    ASSERT_EQ(handle.SetHoopMountLabel(0, 0, "kept"), 1);
    MemFailAt(1); // a replacing label: the old one is gone all the same
    EXPECT_EQ(handle.SetHoopMountLabel(0, 0, "replacement"), 1);
    MemFailAt(0);
    EXPECT_EQ(All(0), (std::vector<Mount>{{"", {1, 2, 3, 4, 5, 6}}}));
}

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
}

// Every member refuses a hoop or mount index out of range and a missing argument, and so does every member of
// a handle without a catalogue: each answers its failure value and changes nothing.
TEST(HoopRefusals, BadIndexesAndMissingArgumentsChangeNothing) {
    CINIHoop handle, empty;
    ASSERT_EQ(handle.Create(), 1);
    ASSERT_EQ(handle.InsertHoop("a", "b"), 0);
    ASSERT_EQ(handle.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6), 0);
    CRect rect(1, 2, 3, 4);
    CArray<POINT, POINT> points;
    points.Add(POINT{5, 6});
    ASSERT_EQ(handle.SetHoopPoints(0, &points), 1);
    for (const Family& f : kFamilies)
        ASSERT_EQ((handle.*f.setWhole)(0, &rect), 1);
    const std::vector<HoopField> before = HoopFields(handle);
    CString text("untouched");
    int n = 99;
    using Call = std::function<int(CINIHoop&, int hoop, int mount)>;
    std::vector<std::pair<Call, int>> hoopCalls = {
        {[&](CINIHoop& h, int i, int) { return h.GetHoop(i, &text, &text); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoop(i, "x", "y"); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.RemoveHoop(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopRotation(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoopRotation(i, 90); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopRect(i, &rect); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopPoints(i, &points); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoopPoints(i, &points); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopMountCount(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.InsertHoopMount(i, "x", 0, 0, 0, 0, 0, 0); }, -1},
    };
    for (const Family& f : kFamilies) {
        hoopCalls.push_back({[&](CINIHoop& h, int i, int) { return (h.*f.getWhole)(i, &rect); }, 0});
        hoopCalls.push_back({[&](CINIHoop& h, int i, int) { return (h.*f.setWhole)(i, &rect); }, 0});
        for (int e = 0; e < 4; ++e) {
            hoopCalls.push_back({[&f, e](CINIHoop& h, int i, int) { return (h.*f.getEdge[e])(i); }, 0});
            hoopCalls.push_back({[&f, e](CINIHoop& h, int i, int) { return (h.*f.setEdge[e])(i, 5); }, 0});
        }
    }
    std::vector<std::pair<Call, int>> mountCalls = {
        {[&](CINIHoop& h, int i, int j) { return h.GetHoopMount(i, j, &text, &n, &n, &n, &n, &n, &n); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.SetHoopMount(i, j, "x", 0, 0, 0, 0, 0, 0); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.RemoveHoopMount(i, j); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.GetHoopMountLabel(i, j, &text); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.SetHoopMountLabel(i, j, "x"); }, 0},
    };
    for (const NumberField& f : kNumberFields) {
        mountCalls.push_back({[&f](CINIHoop& h, int i, int j) { return (h.*f.get)(i, j); }, 0});
        mountCalls.push_back({[&f](CINIHoop& h, int i, int j) { return (h.*f.set)(i, j, 7); }, 0});
    }
    for (size_t k = 0; k < hoopCalls.size(); ++k)
        for (auto [h, i] : {std::pair{&handle, -1}, {&handle, 1}, {&empty, 0}})
            EXPECT_EQ(hoopCalls[k].first(*h, i, 0), hoopCalls[k].second)
                << "hoop member " << k << " at " << i;
    for (size_t k = 0; k < mountCalls.size(); ++k)
        for (auto [h, i, j] :
             {std::tuple{&handle, -1, 0}, {&handle, 1, 0}, {&handle, 0, -1}, {&handle, 0, 1}, {&empty, 0, 0}})
            EXPECT_EQ(mountCalls[k].first(*h, i, j), mountCalls[k].second)
                << "mount member " << k << " at " << i << "," << j;
    const std::pair<std::function<int()>, int> missing[] = {
        {[&] { return handle.GetHoopRect(0, nullptr); }, 0},
        {[&] { return handle.GetHoopPoints(0, nullptr); }, 0},
        {[&] { return handle.SetHoopPoints(0, nullptr); }, 0},
        {[&] { return handle.CloneTo(nullptr); }, 0},
        {[&] { return handle.AppendHoop(nullptr, 0); }, 0},
        {[&] { return handle.AppendHoop(&handle, 1); }, 0},
        {[&] { return handle.AppendHoop(&empty, 0); }, 0},
        {[&] { return empty.InsertHoop("a", "b"); }, -1},
        {[&] { return (handle.*kFamilies[0].getWhole)(0, nullptr); }, 0},
        {[&] { return (handle.*kFamilies[1].setWhole)(0, nullptr); }, 0},
    };
    for (size_t k = 0; k < std::size(missing); ++k)
        EXPECT_EQ(missing[k].first(), missing[k].second) << "missing argument " << k;
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(n, 99);
    EXPECT_EQ(rect, CRect(1, 2, 3, 4));
    EXPECT_EQ(points.GetSize(), 1);
    EXPECT_EQ(HoopFields(handle), before);
    EXPECT_EQ(empty.GetHoopCount(), 0);
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
