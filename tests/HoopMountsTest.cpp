// The mounts of a hoop: the whole-mount members and the single-field members over every field.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "support/AllocationFaults.h"
#include <brevant/INIHoop.h>

namespace {
constexpr int kKeep = INT_MIN;
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

TEST_F(HoopMounts, FailuresAnswerTheirOwnValueAndChangeNothing) {
    ASSERT_EQ(Insert(0, "m", {1, 2, 3, 4, 5, 6}), 0);
    CString label("untouched");
    int n = 99;
    for (auto [hoop, mount] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 1}}) {
        EXPECT_EQ(handle.GetHoopMount(hoop, mount, &label, &n, &n, &n, &n, &n, &n), 0);
        EXPECT_EQ(handle.SetHoopMount(hoop, mount, "x", 0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(handle.RemoveHoopMount(hoop, mount), 0);
        EXPECT_EQ(handle.GetHoopMountLabel(hoop, mount, &label), 0);
        EXPECT_EQ(handle.SetHoopMountLabel(hoop, mount, "x"), 0);
        for (const NumberField& f : kNumberFields) {
            EXPECT_EQ((handle.*f.get)(hoop, mount), 0);
            EXPECT_EQ((handle.*f.set)(hoop, mount, 7), 0);
        }
    }
    EXPECT_EQ(handle.InsertHoopMount(2, "x", 0, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(handle.GetHoopMountCount(-1), 0);
    EXPECT_EQ(label, "untouched");
    EXPECT_EQ(n, 99);
    EXPECT_EQ(All(0), (std::vector<Mount>{{"m", {1, 2, 3, 4, 5, 6}}}));
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
