// Where a hoop template goes on paper at true size: one page when the hoop fits, otherwise tiles that overlap
// so they can be taped together. All lengths are millimetres; hoop coordinates have y pointing up.
#pragma once

#include "HoopData.h"

#include <string>
#include <vector>

struct Paper {
    const char* name;
    double width; // portrait
    double height;
};

// "a4" or "letter", in any letter case; nullptr for another name.
const Paper* FindPaper(const std::string& name);

// A stretch of the hoop's plane, in millimetres.
struct Region {
    double minX;
    double minY;
    double maxX;
    double maxY;
    double Width() const { return maxX - minX; }
    double Height() const { return maxY - minY; }
};

struct TemplatePage {
    std::string
        label; // "A1": row letter (from the top), column number (from the left); empty on a single page
    int row;
    int column;
    Region shows; // the part of the hoop's plane that this page's frame shows
};

struct TemplatePlan {
    double pageWidth;
    double pageHeight;
    bool landscape;
    // The frame on the page that shows the hoop, from the page's top left corner.
    double frameLeft;
    double frameTop;
    double frameWidth;
    double frameHeight;
    int rows;
    int columns;
    // What neighbouring tiles share: at least kTemplateOverlap, more where the tiles split the hoop evenly.
    double overlapX;
    double overlapY;
    double pageCount;                // rows times columns, even when there are too many to lay out
    std::vector<TemplatePage> pages; // row by row; none when there would be more than kTemplateMostPages
    bool Tiled() const { return pages.size() > 1; }
};

constexpr double kTemplateMargin = 10;  // what printers leave white at each paper edge
constexpr double kTemplateHeader = 12;  // title and page label above the frame
constexpr double kTemplateFooter = 18;  // the calibration bar and its words below the frame
constexpr double kTemplateOverlap = 15; // the least that neighbouring tiles share
constexpr double kTemplatePadding = 3;  // white around the hoop's drawing
constexpr double kCalibrationLength = 100;
// More pages than anyone tapes together: a hoop that large is a faulty catalogue, not a template.
constexpr double kTemplateMostPages = 100;

// The part of the plane the template must show: outline, rectangles and every mount position, with padding.
Region TemplateRegion(const HoopData& hoop);

// A single page when the region fits the frame upright or sideways (upright preferred); otherwise the
// orientation that needs fewer tiles.
TemplatePlan PlanTemplate(const Region& region, const Paper& paper);

// "A", "B", ..., "Z", "AA", ...
std::string RowName(int row);
