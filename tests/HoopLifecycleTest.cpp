// The catalogue handle: Create, Release, the destructor and counted sharing through assignment.
#include <gtest/gtest.h>

#include "hoop/INIHoop.h"
#include "ini/INIFile.h"

namespace {
bool HasNoCatalogue(CINIHoop& handle) {
    return handle.GetHoopCount() == 0 && handle.InsertHoop("x", "y") == -1;
}
} // namespace

TEST(HoopLifecycle, CreateOwnsOneDocumentUntilReleaseOrDestruction) {
    int documents = INIDocumentCount();
    {
        CINIHoop handle;
        EXPECT_EQ(handle.Release(), 1);
        ASSERT_EQ(handle.Create(), 1);
        ASSERT_EQ(handle.InsertHoop("a", "b"), 0);
        ASSERT_EQ(handle.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6), 0);
        ASSERT_EQ(handle.Create(), 1); // releases the filled catalogue first
        EXPECT_EQ(handle.GetHoopCount(), 0);
        EXPECT_EQ(INIDocumentCount(), documents + 1);
        EXPECT_EQ(handle.Release(), 1);
        EXPECT_EQ(handle.Release(), 1);
        EXPECT_TRUE(HasNoCatalogue(handle));
        EXPECT_EQ(INIDocumentCount(), documents);
        ASSERT_EQ(handle.Create(), 1);
    }
    EXPECT_EQ(INIDocumentCount(), documents);
}

TEST(HoopLifecycle, AssignedHandlesShareTheCatalogueUntilTheLastLetsGo) {
    int documents = INIDocumentCount();
    CINIHoop a, b, c;
    ASSERT_EQ(a.Create(), 1);
    ASSERT_EQ(b.Create(), 1);
    b = a; // frees b's own catalogue
    EXPECT_EQ(INIDocumentCount(), documents + 1);
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
    EXPECT_EQ(INIDocumentCount(), documents + 1);
    c = CINIHoop();
    EXPECT_EQ(INIDocumentCount(), documents);
}
