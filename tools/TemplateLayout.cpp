#include "TemplateLayout.h"

#include <algorithm>
#include <cmath>
#include <strings.h>

namespace {

const Paper kPapers[] = {{"A4", 210, 297}, {"Letter", 215.9, 279.4}};

void Include(Region& region, double x, double y) {
    region.minX = std::min(region.minX, x);
    region.minY = std::min(region.minY, y);
    region.maxX = std::max(region.maxX, x);
    region.maxY = std::max(region.maxY, y);
}

// Tenths of a millimetre, as the catalogue keeps them, to millimetres.
void IncludeTenths(Region& region, double x, double y) {
    Include(region, x / 10, y / 10);
}

void IncludeRect(Region& region, const HoopRect& rect, double shiftX = 0, double shiftY = 0) {
    if (rect == HoopRect{})
        return;
    IncludeTenths(region, rect.left + shiftX, rect.top + shiftY);
    IncludeTenths(region, rect.right + shiftX, rect.bottom + shiftY);
}

// How many tiles of `frame` that share `overlap` cover `length`.
double TilesFor(double length, double frame) {
    if (length <= frame)
        return 1;
    return std::ceil((length - kTemplateOverlap) / (frame - kTemplateOverlap) - 1e-9);
}

TemplatePlan PlanFor(const Region& region, double pageWidth, double pageHeight) {
    TemplatePlan plan{};
    plan.pageWidth = pageWidth;
    plan.pageHeight = pageHeight;
    plan.landscape = pageWidth > pageHeight;
    plan.frameLeft = kTemplateMargin;
    plan.frameTop = kTemplateMargin + kTemplateHeader;
    plan.frameWidth = pageWidth - 2 * kTemplateMargin;
    plan.frameHeight = pageHeight - 2 * kTemplateMargin - kTemplateHeader - kTemplateFooter;
    double columns = TilesFor(region.Width(), plan.frameWidth);
    double rows = TilesFor(region.Height(), plan.frameHeight);
    plan.pageCount = columns * rows;
    if (plan.pageCount > kTemplateMostPages)
        return plan;
    plan.columns = static_cast<int>(columns);
    plan.rows = static_cast<int>(rows);
    // The tiles split the region evenly, so each shares more than the least overlap where there is room.
    double stepX = plan.columns > 1 ? (region.Width() - plan.frameWidth) / (plan.columns - 1) : 0;
    double stepY = plan.rows > 1 ? (region.Height() - plan.frameHeight) / (plan.rows - 1) : 0;
    plan.overlapX = plan.columns > 1 ? plan.frameWidth - stepX : 0;
    plan.overlapY = plan.rows > 1 ? plan.frameHeight - stepY : 0;
    // A region smaller than the frame sits in its middle.
    double left = plan.columns > 1 ? region.minX : (region.minX + region.maxX - plan.frameWidth) / 2;
    double top = plan.rows > 1 ? region.maxY : (region.minY + region.maxY + plan.frameHeight) / 2;
    for (int row = 0; row < plan.rows; ++row) {
        for (int column = 0; column < plan.columns; ++column) {
            TemplatePage page;
            page.row = row;
            page.column = column;
            page.label = RowName(row) + std::to_string(column + 1);
            double minX = left + column * stepX;
            double maxY = top - row * stepY;
            page.shows = {minX, maxY - plan.frameHeight, minX + plan.frameWidth, maxY};
            plan.pages.push_back(page);
        }
    }
    if (plan.pages.size() == 1)
        plan.pages[0].label.clear();
    return plan;
}

} // namespace

const Paper* FindPaper(const std::string& name) {
    for (const Paper& paper : kPapers) {
        if (strcasecmp(paper.name, name.c_str()) == 0)
            return &paper;
    }
    return nullptr;
}

Region TemplateRegion(const HoopData& hoop) {
    Region region{INFINITY, INFINITY, -INFINITY, -INFINITY};
    Include(region, 0, 0); // the centre cross
    for (const POINT& point : hoop.points)
        IncludeTenths(region, point.x, point.y);
    IncludeRect(region, hoop.sewField);
    IncludeRect(region, hoop.innerDim);
    IncludeRect(region, hoop.outerDim);
    for (const MountData& mount : hoop.mounts) {
        IncludeRect(region, hoop.sewField, mount.lowX, mount.lowY);
        IncludeRect(region, hoop.sewField, mount.highX, mount.highY);
    }
    return {region.minX - kTemplatePadding, region.minY - kTemplatePadding, region.maxX + kTemplatePadding,
            region.maxY + kTemplatePadding};
}

TemplatePlan PlanTemplate(const Region& region, const Paper& paper) {
    TemplatePlan upright = PlanFor(region, paper.width, paper.height);
    TemplatePlan sideways = PlanFor(region, paper.height, paper.width);
    return sideways.pageCount < upright.pageCount ? sideways : upright;
}

std::string RowName(int row) {
    std::string name;
    for (int rest = row + 1; rest > 0; rest = (rest - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return name;
}
