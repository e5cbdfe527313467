// The list of hoops and their description and shape texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/AllocationFaults.h"
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
    CString text("untouched");
    CINIHoop empty;
    for (auto [h, bad] : {std::pair{&handle, -1}, {&handle, 3}, {&empty, 0}}) {
        EXPECT_EQ(h->GetHoop(bad, &text, &text), 0);
        EXPECT_EQ(h->SetHoop(bad, "x", "y"), 0);
        EXPECT_EQ(h->RemoveHoop(bad), 0);
    }
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(empty.InsertHoop("a", "b"), -1);
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
