// One page of a hoop template at true size: grid, hoop, centre cross and axes, mount positions, the page's
// place among the tiles, and the calibration bar.
#pragma once

#include "HoopData.h"
#include "TemplateLayout.h"

#include <cairo.h>

#include <string>

constexpr double kPointsPerMm = 72 / 25.4;

// Draws `page` of `plan` in PDF points; `title` heads every page.
void DrawTemplatePage(cairo_t* cr, const TemplatePlan& plan, const TemplatePage& page, const HoopData& hoop,
                      const std::string& title);
