#include "TemplateDrawing.h"

#include "Canvas.h"
#include "Units.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kGridStep = 10; // mm

// Maps the hoop's plane (millimetres, y up) onto the page (points, y down).
struct PageMapper {
    const TemplatePlan& plan;
    const Region& shows;
    double X(double x) const { return (plan.frameLeft + x - shows.minX) * kPointsPerMm; }
    double Y(double y) const { return (plan.frameTop + shows.maxY - y) * kPointsPerMm; }
    double Tenths(double tenths) const { return tenths / 10; }
};

double Pt(double millimetres) {
    return millimetres * kPointsPerMm;
}

void Line(cairo_t* cr, double x1, double y1, double x2, double y2) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
}

void DrawGrid(cairo_t* cr, const PageMapper& map) {
    const Region& shows = map.shows;
    for (int pass = 0; pass < 2; ++pass) { // the 10 mm lines, then every fifth one darker on top
        double every = pass == 0 ? kGridStep : 5 * kGridStep;
        for (double x = std::ceil(shows.minX / every) * every; x <= shows.maxX; x += every)
            Line(cr, map.X(x), map.Y(shows.minY), map.X(x), map.Y(shows.maxY));
        for (double y = std::ceil(shows.minY / every) * every; y <= shows.maxY; y += every)
            Line(cr, map.X(shows.minX), map.Y(y), map.X(shows.maxX), map.Y(y));
        SetStroke(cr,
                  {pass == 0 ? Colour{0.84, 0.87, 0.90} : Colour{0.66, 0.71, 0.75}, pass == 0 ? 0.3 : 0.5});
        cairo_stroke(cr);
    }
}

// A rectangle given by two corners in tenths of a millimetre, in either order.
void CornersPath(cairo_t* cr, const PageMapper& map, double x1, double y1, double x2, double y2) {
    double left = map.X(map.Tenths(std::min(x1, x2)));
    double right = map.X(map.Tenths(std::max(x1, x2)));
    double top = map.Y(map.Tenths(std::max(y1, y2)));
    double bottom = map.Y(map.Tenths(std::min(y1, y2)));
    cairo_rectangle(cr, left, top, right - left, bottom - top);
}

void RectPath(cairo_t* cr, const PageMapper& map, const HoopRect& rect, double shiftX = 0,
              double shiftY = 0) {
    CornersPath(cr, map, rect.left + shiftX, rect.top + shiftY, rect.right + shiftX, rect.bottom + shiftY);
}

void DrawRect(cairo_t* cr, const PageMapper& map, const HoopRect& rect, const Colour& fill,
              const Stroke& stroke) {
    if (rect == HoopRect{})
        return;
    RectPath(cr, map, rect);
    FillAndStroke(cr, fill, stroke);
}

void DrawOutline(cairo_t* cr, const PageMapper& map, const HoopData& hoop) {
    if (hoop.points.size() < 2)
        return;
    for (const POINT& point : hoop.points)
        cairo_line_to(cr, map.X(map.Tenths(point.x)), map.Y(map.Tenths(point.y)));
    cairo_close_path(cr);
    FillAndStroke(cr, Colour{0, 0, 0, 0}, {Palette::kOutline, 1.2});
}

void DrawCross(cairo_t* cr, double x, double y, double arm, const Stroke& stroke) {
    Line(cr, x - arm, y, x + arm, y);
    Line(cr, x, y - arm, x, y + arm);
    SetStroke(cr, stroke);
    cairo_stroke(cr);
}

// The axes through the hoop's centre across the whole page, with a millimetre mark every 10 mm and its
// number every 50 mm.
void DrawAxes(cairo_t* cr, const PageMapper& map) {
    const Region& shows = map.shows;
    Line(cr, map.X(shows.minX), map.Y(0), map.X(shows.maxX), map.Y(0));
    Line(cr, map.X(0), map.Y(shows.minY), map.X(0), map.Y(shows.maxY));
    SetStroke(cr, {Palette::kText, 0.5, Dash::Dashed});
    cairo_stroke(cr);
    SetFont(cr, 6);
    SetColour(cr, Palette::kMutedText);
    for (double x = std::ceil(shows.minX / 50) * 50; x <= shows.maxX; x += 50) {
        if (x != 0)
            DrawText(cr, FormatMmShort(static_cast<int64_t>(x * 10)), map.X(x) + 1.5, map.Y(0) - 2);
    }
    for (double y = std::ceil(shows.minY / 50) * 50; y <= shows.maxY; y += 50) {
        if (y != 0)
            DrawText(cr, FormatMmShort(static_cast<int64_t>(y * 10)), map.X(0) + 2, map.Y(y) - 1.5);
    }
    DrawCross(cr, map.X(0), map.Y(0), Pt(8), {Palette::kText, 1.2});
}

bool HasTravel(const MountData& mount) {
    return mount.lowX != 0 || mount.highX != 0 || mount.lowY != 0 || mount.highY != 0;
}

// Each mount's sew field where the mount puts it, with the mount's label and a cross at its centre; shown
// only for hoops with more than one position.
void DrawMountPositions(cairo_t* cr, const PageMapper& map, const HoopData& hoop) {
    if (std::none_of(hoop.mounts.begin(), hoop.mounts.end(), HasTravel))
        return;
    double centreX = (static_cast<double>(hoop.sewField.left) + hoop.sewField.right) / 2;
    double centreY = (static_cast<double>(hoop.sewField.top) + hoop.sewField.bottom) / 2;
    for (const MountData& mount : hoop.mounts) {
        double shiftX = (static_cast<double>(mount.lowX) + mount.highX) / 2;
        double shiftY = (static_cast<double>(mount.lowY) + mount.highY) / 2;
        if (mount.lowX != mount.highX || mount.lowY != mount.highY) { // a mount that slides: its whole travel
            const HoopRect& sew = hoop.sewField;
            CornersPath(cr, map, std::min<double>(sew.left, sew.right) + std::min(mount.lowX, mount.highX),
                        std::max<double>(sew.top, sew.bottom) + std::max(mount.lowY, mount.highY),
                        std::max<double>(sew.left, sew.right) + std::max(mount.lowX, mount.highX),
                        std::min<double>(sew.top, sew.bottom) + std::min(mount.lowY, mount.highY));
            FillAndStroke(cr, Palette::kMountFill, {Palette::kMount, 0.6, Dash::Dotted});
        }
        if (shiftX != 0 || shiftY != 0) {
            RectPath(cr, map, hoop.sewField, shiftX, shiftY);
            FillAndStroke(cr, Colour{0, 0, 0, 0}, {Palette::kMount, 0.9, Dash::Dashed});
        }
        double x = map.X(map.Tenths(centreX + shiftX));
        double y = map.Y(map.Tenths(centreY + shiftY));
        DrawCross(cr, x, y, Pt(4), {Palette::kMount, 0.9});
        SetFont(cr, 8, true);
        SetColour(cr, Palette::kMount);
        DrawText(cr, ToUtf8(mount.label), x + Pt(2), y - Pt(2));
    }
}

void DrawHoopAtTrueSize(cairo_t* cr, const PageMapper& map, const HoopData& hoop) {
    DrawOutline(cr, map, hoop);
    DrawRect(cr, map, hoop.outerDim, Colour{0, 0, 0, 0}, {Palette::kOuterDim, 0.6, Dash::Dashed});
    DrawRect(cr, map, hoop.innerDim, Colour{0, 0, 0, 0}, {Palette::kInnerDim, 0.8, Dash::Dotted});
    DrawRect(cr, map, hoop.sewField, Palette::kSewFieldFill, {Palette::kSewField, 1.0});
    DrawMountPositions(cr, map, hoop);
    DrawAxes(cr, map);
}

// The strips this page shares with its right and lower neighbours, tinted, so the next tile is laid there.
void DrawOverlaps(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    double left = Pt(plan.frameLeft);
    double top = Pt(plan.frameTop);
    double width = Pt(plan.frameWidth);
    double height = Pt(plan.frameHeight);
    if (page.column + 1 < plan.columns)
        cairo_rectangle(cr, left + width - Pt(plan.overlapX), top, Pt(plan.overlapX), height);
    if (page.row + 1 < plan.rows)
        cairo_rectangle(cr, left, top + height - Pt(plan.overlapY), width, Pt(plan.overlapY));
    SetColour(cr, {0.5, 0.5, 0.5, 0.12});
    cairo_fill(cr);
}

// Cut marks in the margin, in line with the frame's edges: cut along them, then lay the page over its
// left and upper neighbours so that the grid lines meet.
void DrawCutMarks(cairo_t* cr, const TemplatePlan& plan) {
    double left = Pt(plan.frameLeft);
    double top = Pt(plan.frameTop);
    double right = left + Pt(plan.frameWidth);
    double bottom = top + Pt(plan.frameHeight);
    double gap = Pt(1.5);
    double length = Pt(6);
    for (double x : {left, right}) {
        Line(cr, x, top - gap, x, top - gap - length);
        Line(cr, x, bottom + gap, x, bottom + gap + length);
    }
    for (double y : {top, bottom}) {
        Line(cr, left - gap, y, left - gap - std::min(length, left - gap), y);
        Line(cr, right + gap, y, right + gap + std::min(length, Pt(plan.pageWidth) - right - gap), y);
    }
    SetStroke(cr, {Palette::kText, 0.5});
    cairo_stroke(cr);
}

std::string NeighbourLabel(const TemplatePlan& plan, int row, int column) {
    if (row < 0 || column < 0 || row >= plan.rows || column >= plan.columns)
        return {};
    return RowName(row) + std::to_string(column + 1);
}

// The labels of the neighbouring tiles beside the frame's edges.
void DrawNeighbours(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page) {
    double left = Pt(plan.frameLeft);
    double top = Pt(plan.frameTop);
    double right = left + Pt(plan.frameWidth);
    double bottom = top + Pt(plan.frameHeight);
    SetFont(cr, 8, true);
    SetColour(cr, Palette::kMutedText);
    std::string label = NeighbourLabel(plan, page.row, page.column - 1);
    if (!label.empty())
        DrawText(cr, label, left / 2, (top + bottom) / 2, Align::Centre);
    label = NeighbourLabel(plan, page.row, page.column + 1);
    if (!label.empty())
        DrawText(cr, label, (right + Pt(plan.pageWidth)) / 2, (top + bottom) / 2, Align::Centre);
    label = NeighbourLabel(plan, page.row - 1, page.column);
    if (!label.empty())
        DrawText(cr, label, right - Pt(20), top - Pt(2), Align::Centre);
    label = NeighbourLabel(plan, page.row + 1, page.column);
    if (!label.empty())
        DrawText(cr, label, right - Pt(20), bottom + Pt(4.5), Align::Centre);
}

void DrawHeader(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page, const HoopData& hoop,
                const std::string& title) {
    double left = Pt(kTemplateMargin);
    double right = Pt(plan.pageWidth - kTemplateMargin);
    double labelWidth = 0;
    if (!page.label.empty()) {
        SetFont(cr, 20, true);
        SetColour(cr, Palette::kText);
        DrawText(cr, page.label, right - Pt(4), Pt(kTemplateMargin + 8), Align::Right);
        labelWidth = TextWidth(cr, page.label + "  ") + Pt(4);
    }
    SetFont(cr, 11, true);
    SetColour(cr, Palette::kText);
    DrawText(cr, FitText(cr, title, right - left - labelWidth), left, Pt(kTemplateMargin + 4));
    std::string details = "sew field " +
                          FormatSizeMm(Extent(hoop.sewField.right, hoop.sewField.left),
                                       Extent(hoop.sewField.top, hoop.sewField.bottom)) +
                          " mm  \xC2\xB7  grid 10 mm  \xC2\xB7  true size";
    if (plan.Tiled())
        details += "  \xC2\xB7  page " + page.label + " of the pages A1 to " + RowName(plan.rows - 1) +
                   std::to_string(plan.columns);
    SetFont(cr, 7);
    SetColour(cr, Palette::kMutedText);
    DrawText(cr, FitText(cr, details, right - left - labelWidth), left, Pt(kTemplateMargin + 9));
}

// A bar exactly 100 mm long, with its tens marked, and the words to check the print by.
void DrawCalibrationBar(cairo_t* cr, const TemplatePlan& plan) {
    double left = Pt(kTemplateMargin);
    double top = Pt(plan.pageHeight - kTemplateMargin - kTemplateFooter + 8);
    double height = Pt(2);
    // One stroke, not a filled rectangle, so that the PDF holds the bar as a line exactly 100 mm long.
    Line(cr, left, top + height / 2, left + Pt(kCalibrationLength), top + height / 2);
    SetStroke(cr, {{0, 0, 0}, height});
    cairo_stroke(cr);
    for (int mm = 0; mm <= kCalibrationLength; mm += 10)
        Line(cr, left + Pt(mm), top - Pt(mm % 50 == 0 ? 2 : 1), left + Pt(mm), top);
    SetStroke(cr, {{0, 0, 0}, 0.4});
    cairo_stroke(cr);
    SetFont(cr, 6);
    DrawText(cr, "0", left, top - Pt(2.6), Align::Centre);
    DrawText(cr, "50", left + Pt(50), top - Pt(2.6), Align::Centre);
    DrawText(cr, "100 mm", left + Pt(100), top - Pt(2.6), Align::Centre);
    SetFont(cr, 7);
    double textX = left + Pt(kCalibrationLength + 6);
    DrawText(cr, "Measure this bar: it must be exactly 100 mm (10 cm) long.", textX, top);
    DrawText(cr, "If it is not, print again at actual size (100 %, no \"fit to page\").", textX,
             top + Pt(3.5));
    if (plan.Tiled())
        DrawText(cr,
                 "Cut each page at the marks, lay it over the neighbours named at its edges so that the "
                 "grid lines meet, and tape.",
                 left, top + Pt(7.5));
}

} // namespace

void DrawTemplatePage(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page, const HoopData& hoop,
                      const std::string& title) {
    PageMapper map{plan, page.shows};
    cairo_save(cr);
    cairo_rectangle(cr, Pt(plan.frameLeft), Pt(plan.frameTop), Pt(plan.frameWidth), Pt(plan.frameHeight));
    cairo_clip(cr);
    DrawGrid(cr, map);
    if (plan.Tiled())
        DrawOverlaps(cr, plan, page);
    DrawHoopAtTrueSize(cr, map, hoop);
    cairo_restore(cr);
    if (plan.Tiled()) {
        DrawCutMarks(cr, plan);
        DrawNeighbours(cr, plan, page);
    }
    DrawHeader(cr, plan, page, hoop, title);
    DrawCalibrationBar(cr, plan);
}
