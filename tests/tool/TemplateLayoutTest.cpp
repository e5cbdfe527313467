// Laying a hoop out on paper: one page when it fits either way round, otherwise tiles that cover all of it
// and overlap enough to tape together.
#include "TemplateLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanTemplate, PicksTheOrientationAndTheTiles) {
    const Paper& a4 = *FindPaper("a4");
    const struct {
        double width;
        double height;
        bool landscape;
        int columns;
        int rows;
    } rows[] = {
        {190, 247, false, 1, 1}, // the frame of an upright A4 exactly
        {250, 150, true, 1, 1},  // fits only sideways
        {191, 247, false, 2, 1}, // a millimetre too wide upright, too tall sideways: two upright tiles
        {178, 430, false, 1, 2}, // a tall multi-position hoop
        {390, 230, false, 3, 1}, // three upright tiles beat four sideways ones
        {370, 100, true, 2, 1},  // the tiles share 15 mm: two sideways beat three upright
        {600, 600, false, 4, 3},
    };
    for (const auto& row : rows) {
        Region region{-row.width / 2, -row.height / 2, row.width / 2, row.height / 2};
        TemplatePlan plan = PlanTemplate(region, a4);
        EXPECT_EQ(plan.landscape, row.landscape) << row.width << " x " << row.height;
        EXPECT_EQ(plan.columns, row.columns) << row.width << " x " << row.height;
        EXPECT_EQ(plan.rows, row.rows) << row.width << " x " << row.height;
        ASSERT_EQ(plan.pages.size(), static_cast<size_t>(row.columns * row.rows));
        EXPECT_EQ(plan.pages.front().label, plan.Tiled() ? "A1" : "");
        const TemplatePage& last = plan.pages.back();
        EXPECT_LE(plan.pages.front().shows.minX, region.minX);
        EXPECT_GE(plan.pages.front().shows.maxY, region.maxY);
        EXPECT_GE(last.shows.maxX, region.maxX);
        EXPECT_LE(last.shows.minY, region.minY);
        for (size_t index = 0; index < plan.pages.size(); ++index) {
            const TemplatePage& page = plan.pages[index];
            EXPECT_NEAR(page.shows.Width(), plan.frameWidth, 1e-9);
            if (page.column > 0) { // shares a strip with its left neighbour
                EXPECT_GE(plan.pages[index - 1].shows.maxX - page.shows.minX, kTemplateOverlap - 1e-9);
            }
            if (page.row > 0) { // and with the one above
                EXPECT_GE(page.shows.maxY - plan.pages[index - plan.columns].shows.minY,
                          kTemplateOverlap - 1e-9);
            }
        }
    }
}

TEST(RowName, GoesOnPastZ) {
    EXPECT_EQ(RowName(25), "Z");
    EXPECT_EQ(RowName(26), "AA");
}

TEST(TemplateRegion, HoldsTheHoopAndEveryMountPosition) {
    HoopData hoop;
    hoop.sewField = {-650, 900, 650, -900};
    hoop.points = {{-760, 2000}, {760, 2000}, {760, -2000}, {-760, -2000}};
    hoop.mounts = {{"Top", 3, 0, 0, 0, 1000, 1000}, {"Far", 4, 0, 3000, 3000, 0, 0}};
    Region region = TemplateRegion(hoop);
    EXPECT_DOUBLE_EQ(region.minX, -76 - kTemplatePadding);
    EXPECT_DOUBLE_EQ(region.maxX, 365 + kTemplatePadding); // the sew field moved 300 mm to the right
    EXPECT_DOUBLE_EQ(region.maxY, 200 + kTemplatePadding);
}

} // namespace
