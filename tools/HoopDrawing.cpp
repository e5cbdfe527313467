#include "HoopDrawing.h"

#include "Canvas.h"
#include "Units.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest drawing extent, so that a hoop without any size still gets a finite scale.
constexpr double kMinimumExtent = 100;

// Maps hoop coordinates (y up) onto the device (y down).
struct Mapper {
    double centreX;
    double centreY;
    double hoopX;
    double hoopY;
    double scale;
    double X(double x) const { return centreX + (x - hoopX) * scale; }
    double Y(double y) const { return centreY - (y - hoopY) * scale; }
};

// A rectangle with ordered edges in doubles; the library stores edges in any order.
struct Span {
    double minX;
    double minY;
    double maxX;
    double maxY;
};

Span SpanOf(const HoopRect& rect) {
    return {static_cast<double>(std::min(rect.left, rect.right)),
            static_cast<double>(std::min(rect.top, rect.bottom)),
            static_cast<double>(std::max(rect.left, rect.right)),
            static_cast<double>(std::max(rect.top, rect.bottom))};
}

bool IsEmpty(const HoopRect& rect) {
    return rect == HoopRect{};
}

bool HasTravel(const MountData& mount) {
    return mount.lowX != 0 || mount.highX != 0 || mount.lowY != 0 || mount.highY != 0;
}

// The sew field moved over a mount's limits.
Span TravelOf(const HoopData& hoop, const MountData& mount) {
    Span sew = SpanOf(hoop.sewField);
    return {sew.minX + std::min(mount.lowX, mount.highX), sew.minY + std::min(mount.lowY, mount.highY),
            sew.maxX + std::max(mount.lowX, mount.highX), sew.maxY + std::max(mount.lowY, mount.highY)};
}

void Include(HoopBounds& bounds, double x, double y) {
    bounds.minX = std::min(bounds.minX, x);
    bounds.minY = std::min(bounds.minY, y);
    bounds.maxX = std::max(bounds.maxX, x);
    bounds.maxY = std::max(bounds.maxY, y);
}

void Include(HoopBounds& bounds, const Span& span) {
    Include(bounds, span.minX, span.minY);
    Include(bounds, span.maxX, span.maxY);
}

void RectanglePath(cairo_t* cr, const Mapper& map, const Span& span) {
    double left = map.X(span.minX);
    double top = map.Y(span.maxY);
    cairo_rectangle(cr, left, top, map.X(span.maxX) - left, map.Y(span.minY) - top);
}

void DrawRectangle(cairo_t* cr, const Mapper& map, const HoopRect& rect, const Colour& fill,
                   const Stroke& stroke) {
    if (IsEmpty(rect))
        return;
    RectanglePath(cr, map, SpanOf(rect));
    FillAndStroke(cr, fill, stroke);
}

void DrawOutline(cairo_t* cr, const Mapper& map, const HoopData& hoop) {
    if (hoop.points.size() < 2)
        return;
    for (const POINT& point : hoop.points)
        cairo_line_to(cr, map.X(point.x), map.Y(point.y));
    cairo_close_path(cr);
    FillAndStroke(cr, Palette::kOutlineFill, {Palette::kOutline, 2.0});
}

void DrawOrigin(cairo_t* cr, const Mapper& map) {
    double x = map.X(0);
    double y = map.Y(0);
    cairo_move_to(cr, x - 5, y);
    cairo_line_to(cr, x + 5, y);
    cairo_move_to(cr, x, y - 5);
    cairo_line_to(cr, x, y + 5);
    SetStroke(cr, {Palette::kOrigin, 1.0});
    cairo_stroke(cr);
}

void DrawMountTravels(cairo_t* cr, const Mapper& map, const HoopData& hoop) {
    for (const MountData& mount : hoop.mounts) {
        if (!HasTravel(mount))
            continue;
        RectanglePath(cr, map, TravelOf(hoop, mount));
        FillAndStroke(cr, Palette::kMountFill, {Palette::kMount, 1.3, Dash::Dashed});
    }
}

// A hoop whose only position is its centre needs no marker; a hoop with several positions shows them all.
bool ShowsPositions(const HoopData& hoop) {
    for (const MountData& mount : hoop.mounts) {
        if (HasTravel(mount))
            return true;
    }
    return false;
}

void DrawMountPositions(cairo_t* cr, const Mapper& map, const HoopData& hoop) {
    if (!ShowsPositions(hoop))
        return;
    Span sew = SpanOf(hoop.sewField);
    SetFont(cr, 11);
    for (const MountData& mount : hoop.mounts) {
        double x = map.X((sew.minX + sew.maxX) / 2 + (static_cast<double>(mount.lowX) + mount.highX) / 2);
        double y = map.Y((sew.minY + sew.maxY) / 2 + (static_cast<double>(mount.lowY) + mount.highY) / 2);
        SetColour(cr, Palette::kMount);
        cairo_arc(cr, x, y, 3.5, 0, 2 * M_PI);
        cairo_fill(cr);
        DrawText(cr, ToUtf8(mount.label), x + 7, y + 4);
    }
}

// The sew field's size, written inside it along its top edge when there is room.
void DrawSewFieldSize(cairo_t* cr, const Mapper& map, const HoopData& hoop) {
    if (IsEmpty(hoop.sewField))
        return;
    Span sew = SpanOf(hoop.sewField);
    std::string size = FormatMmShort(Extent(hoop.sewField.right, hoop.sewField.left)) + " \xC3\x97 " +
                       FormatMmShort(Extent(hoop.sewField.top, hoop.sewField.bottom)) + " mm";
    SetFont(cr, 11, true);
    double width = map.X(sew.maxX) - map.X(sew.minX);
    double height = map.Y(sew.minY) - map.Y(sew.maxY);
    if (TextWidth(cr, size) > width - 8 || height < 22)
        return;
    SetColour(cr, Palette::kSewField);
    DrawText(cr, size, (map.X(sew.minX) + map.X(sew.maxX)) / 2, map.Y(sew.maxY) + 15, Align::Centre);
}

} // namespace

HoopBounds BoundsOf(const HoopData& hoop) {
    HoopBounds bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const POINT& point : hoop.points)
        Include(bounds, point.x, point.y);
    for (const HoopRect* rect : {&hoop.sewField, &hoop.innerDim, &hoop.outerDim}) {
        if (!IsEmpty(*rect))
            Include(bounds, SpanOf(*rect));
    }
    for (const MountData& mount : hoop.mounts) {
        if (HasTravel(mount))
            Include(bounds, TravelOf(hoop, mount));
    }
    if (bounds.minX > bounds.maxX)
        bounds = {0, 0, 0, 0};
    double growX = std::max(0.0, kMinimumExtent - (bounds.maxX - bounds.minX)) / 2;
    double growY = std::max(0.0, kMinimumExtent - (bounds.maxY - bounds.minY)) / 2;
    return {bounds.minX - growX, bounds.minY - growY, bounds.maxX + growX, bounds.maxY + growY};
}

double ScaleToFit(const HoopBounds& bounds, double width, double height) {
    return std::min(width / (bounds.maxX - bounds.minX), height / (bounds.maxY - bounds.minY));
}

void DrawHoop(cairo_t* cr, const HoopData& hoop, const Box& area, double scale) {
    HoopBounds bounds = BoundsOf(hoop);
    Mapper map{area.x + area.width / 2, area.y + area.height / 2, (bounds.minX + bounds.maxX) / 2,
               (bounds.minY + bounds.maxY) / 2, scale};
    cairo_save(cr);
    DrawOutline(cr, map, hoop);
    DrawRectangle(cr, map, hoop.outerDim, Colour{0, 0, 0, 0}, {Palette::kOuterDim, 1.0, Dash::Dashed});
    DrawRectangle(cr, map, hoop.innerDim, Colour{0, 0, 0, 0}, {Palette::kInnerDim, 1.4, Dash::Dotted});
    DrawMountTravels(cr, map, hoop);
    DrawRectangle(cr, map, hoop.sewField, Palette::kSewFieldFill, {Palette::kSewField, 1.8});
    DrawOrigin(cr, map);
    DrawSewFieldSize(cr, map, hoop);
    DrawMountPositions(cr, map, hoop);
    cairo_restore(cr);
}
