// One hoop drawn with cairo in millimetre proportions, y pointing up: outline, outer and inner dimension,
// each mount's travel, the sew field and the mount positions.
#pragma once

#include "HoopData.h"

#include <cairo.h>

struct Box {
    double x;
    double y;
    double width;
    double height;
};

// The area a hoop drawing covers, in hoop coordinates (tenths of a millimetre).
struct HoopBounds {
    double minX;
    double minY;
    double maxX;
    double maxY;
};

HoopBounds BoundsOf(const HoopData& hoop);

// Device units per tenth of a millimetre at which the hoop just fills a box of that size.
double ScaleToFit(const HoopBounds& bounds, double width, double height);

// Draws the hoop centred in `area` at `scale` device units per tenth of a millimetre.
void DrawHoop(cairo_t* cr, const HoopData& hoop, const Box& area, double scale);
