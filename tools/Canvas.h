// Small drawing helpers on top of cairo: the tool's colours, text placement and outlined shapes.
#pragma once

#include <cairo.h>

#include <string>

struct Colour {
    double red;
    double green;
    double blue;
    double alpha = 1.0;
};

// One colour for each thing the pictures show, used the same way in every hoop and in the legend.
namespace Palette {
constexpr Colour kPage{0.957, 0.965, 0.973};
constexpr Colour kCell{1.0, 1.0, 1.0};
constexpr Colour kCellBorder{0.82, 0.85, 0.88};
constexpr Colour kText{0.15, 0.19, 0.22};
constexpr Colour kMutedText{0.42, 0.47, 0.51};
constexpr Colour kOutline{0.27, 0.35, 0.39};
constexpr Colour kOutlineFill{0.925, 0.937, 0.945};
constexpr Colour kOuterDim{0.58, 0.63, 0.67};
constexpr Colour kInnerDim{0.0, 0.54, 0.48};
constexpr Colour kSewField{0.12, 0.47, 0.85};
constexpr Colour kSewFieldFill{0.12, 0.47, 0.85, 0.13};
constexpr Colour kMount{0.90, 0.42, 0.0};
constexpr Colour kMountFill{0.90, 0.42, 0.0, 0.06};
constexpr Colour kOrigin{0.55, 0.60, 0.64};
} // namespace Palette

enum class Dash { Solid, Dashed, Dotted };

struct Stroke {
    Colour colour;
    double width;
    Dash dash = Dash::Solid;
};

void SetColour(cairo_t* cr, const Colour& colour);
void SetStroke(cairo_t* cr, const Stroke& stroke);
// Fills the current path when `fill` is not transparent, then strokes it.
void FillAndStroke(cairo_t* cr, const Colour& fill, const Stroke& stroke);
void RoundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);

enum class Align { Left, Centre, Right };

void SetFont(cairo_t* cr, double size, bool bold = false);
double TextWidth(cairo_t* cr, const std::string& text);
// Draws text with its baseline at y.
void DrawText(cairo_t* cr, const std::string& text, double x, double y, Align align = Align::Left);
// The text, shortened with an ellipsis until it fits the width.
std::string FitText(cairo_t* cr, const std::string& text, double width);
