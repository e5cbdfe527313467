#include "Canvas.h"

void SetColour(cairo_t* cr, const Colour& colour) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, colour.alpha);
}

void SetStroke(cairo_t* cr, const Stroke& stroke) {
    SetColour(cr, stroke.colour);
    cairo_set_line_width(cr, stroke.width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    static const double dashed[] = {6.0, 4.0};
    static const double dotted[] = {1.5, 3.0};
    switch (stroke.dash) {
    case Dash::Solid:
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        break;
    case Dash::Dashed:
        cairo_set_dash(cr, dashed, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        break;
    case Dash::Dotted:
        cairo_set_dash(cr, dotted, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        break;
    }
}

void FillAndStroke(cairo_t* cr, const Colour& fill, const Stroke& stroke) {
    if (fill.alpha > 0) {
        SetColour(cr, fill);
        cairo_fill_preserve(cr);
    }
    SetStroke(cr, stroke);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void RoundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    const double quarter = 1.5707963267948966;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -quarter, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, quarter);
    cairo_arc(cr, x + radius, y + height - radius, radius, quarter, 2 * quarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void SetFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, Align align) {
    double width = TextWidth(cr, text);
    double left = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
    cairo_move_to(cr, left, y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

std::string FitText(cairo_t* cr, const std::string& text, double width) {
    if (TextWidth(cr, text) <= width)
        return text;
    const std::string ellipsis = "\xE2\x80\xA6";
    std::string shortened = text;
    while (!shortened.empty()) {
        while (!shortened.empty() && (static_cast<unsigned char>(shortened.back()) & 0xC0) == 0x80)
            shortened.pop_back();
        if (!shortened.empty())
            shortened.pop_back();
        if (TextWidth(cr, shortened + ellipsis) <= width)
            break;
    }
    return shortened + ellipsis;
}
