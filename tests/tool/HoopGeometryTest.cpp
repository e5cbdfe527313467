// Turning whole hoops: the outline turns exactly as the library turns the rectangles, a quarter turn keeps
// the sew field inside the outline, and four quarter turns give the hoop back.
#include "HoopGeometry.h"
#include "Catalogue.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The library turns a mount's limits as the two points (low x, low y) and (high x, high y) and never
// reorders them, so they show exactly how it turns a point.
POINT LibraryTurn(POINT point, int degrees) {
    CINIHoop catalogue;
    catalogue.Create();
    int hoop = catalogue.InsertHoop("", "");
    catalogue.InsertHoopMount(hoop, "", 0, 0, point.x, 0, point.y, 0);
    catalogue.SetHoopRotation(hoop, degrees);
    return {catalogue.GetHoopMountLowX(hoop, 0), catalogue.GetHoopMountLowY(hoop, 0)};
}

TEST(TurnPoint, TurnsAsTheLibraryTurnsRectangleCorners) {
    const POINT points[] = {{1, 0}, {0, 1}, {-650, 900}, {1150, -3}, {7, 7}, {-1001, 13}, {2, 3}};
    for (int degrees : {90, 180, 270, 45, 30, 135, 359, 1}) {
        for (POINT point : points) {
            POINT turned = point;
            ASSERT_TRUE(TurnPoint(turned, degrees));
            POINT expected = LibraryTurn(point, degrees);
            EXPECT_EQ(turned.x, expected.x) << point.x << "," << point.y << " by " << degrees;
            EXPECT_EQ(turned.y, expected.y) << point.x << "," << point.y << " by " << degrees;
        }
    }
    POINT point{1, 0};
    ASSERT_TRUE(TurnPoint(point, -270)); // the same as 90: clockwise with y up
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, -1);
}

TEST(TurnPoint, RefusesWhatWouldLeave32Bits) {
    POINT lowest{INT_MIN, 5};
    EXPECT_FALSE(TurnPoint(lowest, 180));
    EXPECT_EQ(lowest.x, INT_MIN);
    EXPECT_TRUE(TurnPoint(lowest, 270)); // -y, x: both fit
    EXPECT_EQ(lowest.x, -5);
    HoopData hoop;
    hoop.points = {{0, 0}, {INT_MAX, INT_MAX}};
    EXPECT_EQ(CannotTurn(hoop, 90), "");
    EXPECT_NE(CannotTurn(hoop, 45), "");
    hoop.points.clear();
    hoop.mounts = {{"", 0, 0, 0, 0, INT_MIN, 0}};
    EXPECT_EQ(CannotTurn(hoop, 180), "the limits of mount 0");
}

TEST(SewFieldInsideOutline, TellsInsideFromOutside) {
    HoopData hoop;
    hoop.points = {{-300, 200}, {300, 200}, {300, -200}, {-300, -200}};
    hoop.sewField = {-300, 200, 300, -200}; // on the outline counts as inside
    EXPECT_TRUE(SewFieldInsideOutline(hoop));
    hoop.sewField = {-200, 300, 200, -300}; // the same field turned: it sticks out at top and bottom
    EXPECT_FALSE(SewFieldInsideOutline(hoop));
    hoop.sewField = {-100, 100, 100, -100};
    hoop.points = {{-300, 200}, {300, 200}, {300, -200}, {0, 0}, {-300, -200}}; // a dent reaching the centre
    EXPECT_FALSE(SewFieldInsideOutline(hoop));
    EXPECT_TRUE(InsideOutline(hoop.points, -250, 0));
    EXPECT_FALSE(InsideOutline(hoop.points, 301, 0));
}

std::string SampleCatalogue() {
    return std::string(BREVANT_SOURCE_DIR) + "/examples/hoops.ini";
}

TEST(TurnHoop, FourQuarterTurnsKeepTheSewFieldInsideAndGiveEveryHoopBack) {
    CINIHoop catalogue;
    ASSERT_TRUE(LoadCatalogue(catalogue, SampleCatalogue()).loaded);
    std::vector<HoopData> original = ReadHoops(catalogue);
    ASSERT_EQ(original.size(), 13u);
    for (int hoop = 0; hoop < static_cast<int>(original.size()); ++hoop) {
        ASSERT_TRUE(SewFieldInsideOutline(original[hoop])) << hoop;
        for (int turn = 1; turn <= 4; ++turn) {
            ASSERT_TRUE(TurnHoop(catalogue, hoop, 90));
            HoopData turned = ReadHoops(catalogue)[hoop];
            EXPECT_TRUE(SewFieldInsideOutline(turned)) << "hoop " << hoop << " after " << turn << " turns";
            if (turn == 1 && original[hoop].sewField.right != original[hoop].sewField.top) {
                EXPECT_NE(FirstDifference({original[hoop]}, {turned}), "") << hoop;
            }
        }
        EXPECT_EQ(FirstDifference({original[hoop]}, {ReadHoops(catalogue)[hoop]}), "") << hoop;
    }
}

} // namespace
