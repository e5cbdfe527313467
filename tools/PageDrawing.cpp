#include "PageDrawing.h"

#include "Canvas.h"
#include "HoopDrawing.h"
#include "ToolOutput.h"
#include "Units.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 28;
constexpr double kHeaderHeight = 62;
constexpr double kGap = 16;
constexpr double kFooterHeight = 84;
constexpr double kCellPadding = 16;
constexpr double kCellTitleHeight = 54;
constexpr double kCellScaleBarHeight = 34;

// ---- Cells ----

Box CellBox(const PageLayout& layout, size_t position) {
    double column = static_cast<double>(position % static_cast<size_t>(layout.columns));
    double row = static_cast<double>(position / static_cast<size_t>(layout.columns));
    return {kMargin + column * (layout.cellWidth + kGap),
            kMargin + kHeaderHeight + row * (layout.cellHeight + kGap), layout.cellWidth, layout.cellHeight};
}

// The part of a cell that the hoop may fill; a cell with its own scale bar keeps a strip for it.
Box DrawingArea(const Box& cell, bool withScaleBar) {
    double bottom = withScaleBar ? kCellScaleBarHeight : 0;
    return {cell.x + kCellPadding, cell.y + kCellTitleHeight + 4, cell.width - 2 * kCellPadding,
            cell.height - kCellTitleHeight - 4 - kCellPadding - bottom};
}

std::string CellSubtitle(const HoopData& hoop) {
    std::string subtitle = hoop.shape.empty() ? std::string() : ToUtf8(hoop.shape) + "  \xC2\xB7  ";
    return subtitle + "sew field " + FormatMmShort(Extent(hoop.sewField.right, hoop.sewField.left)) +
           " \xC3\x97 " + FormatMmShort(Extent(hoop.sewField.top, hoop.sewField.bottom)) + " mm  \xC2\xB7  " +
           Plural(static_cast<long long>(hoop.mounts.size()), "mount", "mounts");
}

void DrawCell(cairo_t* cr, const Box& cell, const PageItem& item, double scale, bool withScaleBar) {
    RoundedRectangle(cr, cell.x, cell.y, cell.width, cell.height, 10);
    FillAndStroke(cr, Palette::kCell, {Palette::kCellBorder, 1.0});
    double textWidth = cell.width - 2 * kCellPadding;
    std::string number = "#" + std::to_string(item.index);
    SetFont(cr, 15, true);
    SetColour(cr, Palette::kMutedText);
    DrawText(cr, number, cell.x + kCellPadding, cell.y + 26);
    double numberWidth = TextWidth(cr, number + "  ");
    std::string description =
        item.hoop.description.empty() ? "(no description)" : ToUtf8(item.hoop.description);
    SetColour(cr, Palette::kText);
    DrawText(cr, FitText(cr, description, textWidth - numberWidth), cell.x + kCellPadding + numberWidth,
             cell.y + 26);
    SetFont(cr, 12);
    SetColour(cr, Palette::kMutedText);
    DrawText(cr, FitText(cr, CellSubtitle(item.hoop), textWidth), cell.x + kCellPadding, cell.y + 45);
    DrawHoop(cr, item.hoop, DrawingArea(cell, withScaleBar), scale);
}

// ---- Legend ----

enum class Swatch { Outline, SewField, InnerDim, OuterDim, MountTravel, MountPosition };

void DrawSwatch(cairo_t* cr, Swatch swatch, double x, double y) {
    if (swatch == Swatch::MountPosition) {
        SetColour(cr, Palette::kMount);
        cairo_arc(cr, x + 11, y + 7, 3.5, 0, 2 * M_PI);
        cairo_fill(cr);
        return;
    }
    cairo_rectangle(cr, x + 1, y + 1, 21, 12);
    switch (swatch) {
    case Swatch::Outline:
        FillAndStroke(cr, Palette::kOutlineFill, {Palette::kOutline, 2.0});
        break;
    case Swatch::SewField:
        FillAndStroke(cr, Palette::kSewFieldFill, {Palette::kSewField, 1.8});
        break;
    case Swatch::InnerDim:
        FillAndStroke(cr, Colour{0, 0, 0, 0}, {Palette::kInnerDim, 1.4, Dash::Dotted});
        break;
    case Swatch::OuterDim:
        FillAndStroke(cr, Colour{0, 0, 0, 0}, {Palette::kOuterDim, 1.0, Dash::Dashed});
        break;
    default:
        FillAndStroke(cr, Palette::kMountFill, {Palette::kMount, 1.3, Dash::Dashed});
        break;
    }
}

// Draws the legend from (x, y) in rows no wider than `width`.
void DrawLegend(cairo_t* cr, double x, double y, double width) {
    const std::pair<Swatch, const char*> entries[] = {
        {Swatch::Outline, "Hoop outline"},     {Swatch::SewField, "Sew field"},
        {Swatch::InnerDim, "Inner dimension"}, {Swatch::OuterDim, "Outer dimension"},
        {Swatch::MountTravel, "Mount travel"}, {Swatch::MountPosition, "Mount position"},
    };
    SetFont(cr, 12);
    double left = x;
    for (const auto& entry : entries) {
        double entryWidth = 30 + TextWidth(cr, entry.second) + 22;
        if (left + entryWidth > x + width && left > x) {
            left = x;
            y += 24;
        }
        DrawSwatch(cr, entry.first, left, y);
        SetColour(cr, Palette::kText);
        DrawText(cr, entry.second, left + 30, y + 11);
        left += entryWidth;
    }
}

// ---- Scale bar ----

// The longest round length in millimetres whose bar stays within `maxLength` device units.
double ScaleBarMillimetres(double unitsPerMm, double maxLength) {
    const double lengths[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000, 2000, 5000};
    double chosen = lengths[0];
    for (double length : lengths) {
        if (length * unitsPerMm <= maxLength)
            chosen = length;
    }
    return chosen;
}

std::string MillimetreText(double millimetres) {
    return millimetres == std::floor(millimetres) ? std::to_string(static_cast<long long>(millimetres))
                                                  : FormatMm(millimetres);
}

// Draws the bar so that its labels end near `right`.
void DrawScaleBar(cairo_t* cr, double right, double y, double unitsPerMm, double maxLength) {
    double millimetres = ScaleBarMillimetres(unitsPerMm, maxLength);
    double length = millimetres * unitsPerMm;
    double left = right - length - 30;
    const int segments = 4;
    for (int segment = 0; segment < segments; ++segment) {
        cairo_rectangle(cr, left + segment * length / segments, y, length / segments, 7);
        SetColour(cr, segment % 2 == 0 ? Palette::kText : Palette::kCell);
        cairo_fill_preserve(cr);
        SetStroke(cr, {Palette::kText, 1.0});
        cairo_stroke(cr);
    }
    SetFont(cr, 11);
    SetColour(cr, Palette::kText);
    DrawText(cr, "0", left, y + 22, Align::Centre);
    DrawText(cr, MillimetreText(millimetres / 2), left + length / 2, y + 22, Align::Centre);
    std::string end = MillimetreText(millimetres);
    DrawText(cr, end, left + length, y + 22, Align::Centre);
    DrawText(cr, " mm", left + length + TextWidth(cr, end) / 2, y + 22);
    SetFont(cr, 11);
    SetColour(cr, Palette::kMutedText);
    DrawText(cr, "Scale", left, y - 6);
}

// ---- Page ----

double CommonScale(const PageLayout& layout, const std::vector<PageItem>& items) {
    Box area = DrawingArea(CellBox(layout, 0), false);
    double scale = INFINITY;
    for (const PageItem& item : items)
        scale = std::min(scale, ScaleToFit(BoundsOf(item.hoop), area.width, area.height));
    return std::isfinite(scale) ? scale : 1.0;
}

void DrawHeader(cairo_t* cr, const PageLayout& layout, const std::string& title, size_t count, bool fitEach) {
    SetFont(cr, 22, true);
    SetColour(cr, Palette::kText);
    DrawText(cr, FitText(cr, ToUtf8(title), layout.width - 2 * kMargin), kMargin, kMargin + 22);
    SetFont(cr, 13);
    SetColour(cr, Palette::kMutedText);
    std::string subtitle = Plural(static_cast<long long>(count), "hoop", "hoops") +
                           (fitEach || count == 1 ? ", each drawn as large as its frame allows"
                                                  : ", all drawn to the same scale") +
                           "; y points up; the cross marks the origin";
    DrawText(cr, FitText(cr, subtitle, layout.width - 2 * kMargin), kMargin, kMargin + 44);
}

} // namespace

PageLayout LayoutPage(size_t hoopCount) {
    PageLayout layout{};
    layout.columns = hoopCount <= 1 ? 1 : hoopCount <= 4 ? 2 : hoopCount <= 9 ? 3 : 4;
    layout.rows = std::max(1, static_cast<int>((hoopCount + static_cast<size_t>(layout.columns) - 1) /
                                               static_cast<size_t>(layout.columns)));
    layout.cellWidth = hoopCount <= 1 ? 720 : 380;
    layout.cellHeight = hoopCount <= 1 ? 620 : 380;
    layout.width = 2 * kMargin + layout.columns * layout.cellWidth + (layout.columns - 1) * kGap;
    layout.height = kMargin + kHeaderHeight + layout.rows * layout.cellHeight + (layout.rows - 1) * kGap +
                    kFooterHeight + kMargin;
    return layout;
}

void DrawPage(cairo_t* cr, const PageLayout& layout, const std::string& title,
              const std::vector<PageItem>& items, bool fitEach) {
    SetColour(cr, Palette::kPage);
    cairo_paint(cr);
    DrawHeader(cr, layout, title, items.size(), fitEach);
    double common = CommonScale(layout, items);
    for (size_t position = 0; position < items.size(); ++position) {
        Box cell = CellBox(layout, position);
        Box area = DrawingArea(cell, fitEach);
        double scale = fitEach ? ScaleToFit(BoundsOf(items[position].hoop), area.width, area.height) : common;
        DrawCell(cr, cell, items[position], scale, fitEach);
        if (fitEach)
            DrawScaleBar(cr, cell.x + cell.width - kCellPadding, cell.y + cell.height - kCellPadding - 16,
                         scale * 10, 110);
    }
    double footerTop = layout.height - kMargin - kFooterHeight + 24;
    double scaleBarWidth = fitEach ? 0 : 280;
    DrawLegend(cr, kMargin, footerTop, layout.width - 2 * kMargin - scaleBarWidth);
    if (!items.empty() && !fitEach)
        DrawScaleBar(cr, layout.width - kMargin - 40, footerTop + 2, common * 10, 200);
}
