// The mounts of a hoop: the whole-mount members and the single-field members over every field.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "hoop/INIHoop.h"
#include "platform/Memory.h"

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
    int highY = 0, rotation = 0;
    EXPECT_EQ(handle.GetHoopMount(1, 0, nullptr, nullptr, &rotation, nullptr, nullptr, nullptr, &highY), 1);
    EXPECT_EQ(rotation, 2);
    EXPECT_EQ(highY, 6);
    ASSERT_EQ(Insert(0, "m", {1, 2, 3, 4, 5, 6}), 0); // set keeps fields given the keep value or a null label
    EXPECT_EQ(Set(0, nullptr, {7, kKeep, kKeep, kKeep, kKeep, kKeep}), 1);
    EXPECT_EQ(All(0)[0], (Mount{"m", {7, 2, 3, 4, 5, 6}}));
    EXPECT_EQ(Set(0, "", {kKeep, 0, -1, kKeep + 1, kKeep, 9}), 1);
    EXPECT_EQ(All(0)[0], (Mount{"", {7, 0, -1, kKeep + 1, 5, 9}}));
    EXPECT_EQ(handle.SetHoopMountLabel(0, 0, "%s label"), 1);
    EXPECT_EQ(handle.SetHoopMountLabel(0, 0, nullptr), 1);
    CString label;
    EXPECT_EQ(handle.GetHoopMountLabel(0, 0, &label), 1);
    EXPECT_EQ(label, "%s label");
}

TEST_F(HoopMounts, FailuresAnswerTheirOwnValueAndChangeNothing) {
    ASSERT_EQ(Insert(0, "m", {1, 2, 3, 4, 5, 6}), 0);
    CINIHoop empty;
    CString label("untouched");
    int number = 99;
    struct Where {
        CINIHoop* h;
        int hoop, mount;
    } wheres[] = {{&handle, -1, 0}, {&handle, 2, 0}, {&handle, 0, -1}, {&handle, 0, 1}, {&empty, 0, 0}};
    for (const Where& w : wheres) {
        EXPECT_EQ(
            w.h->GetHoopMount(w.hoop, w.mount, &label, &number, &number, &number, &number, &number, &number),
            0);
        EXPECT_EQ(w.h->SetHoopMount(w.hoop, w.mount, "x", 0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(w.h->RemoveHoopMount(w.hoop, w.mount), 0);
        EXPECT_EQ(w.h->GetHoopMountLabel(w.hoop, w.mount, &label), 0);
        EXPECT_EQ(w.h->SetHoopMountLabel(w.hoop, w.mount, "x"), 0);
        for (const NumberField& f : kNumberFields) {
            EXPECT_EQ((w.h->*f.get)(w.hoop, w.mount), 0);
            EXPECT_EQ((w.h->*f.set)(w.hoop, w.mount, 7), 0);
        }
        if (w.mount == 0) {
            EXPECT_EQ(w.h->InsertHoopMount(w.hoop, "x", 0, 0, 0, 0, 0, 0), -1);
            EXPECT_EQ(w.h->GetHoopMountCount(w.hoop), 0);
        }
    }
    EXPECT_EQ(label, "untouched");
    EXPECT_EQ(number, 99);
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
    for (int removed = 0; removed < 3; ++removed) {
        for (int id : {10, 11, 12})
            Insert(1, nullptr, {id, 0, 0, 0, 0, 0});
        EXPECT_EQ(handle.RemoveHoopMount(1, removed), 1);
        EXPECT_EQ(Insert(1, nullptr, {13, 0, 0, 0, 0, 0}), 2);
        std::vector<int> ids;
        for (const Mount& m : All(1))
            ids.push_back(m.second[0]);
        std::vector<int> expected{10, 11, 12, 13};
        expected.erase(expected.begin() + removed);
        EXPECT_EQ(ids, expected) << "removed " << removed;
        while (handle.GetHoopMountCount(1) > 0)
            ASSERT_EQ(handle.RemoveHoopMount(1, 0), 1);
    }
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
