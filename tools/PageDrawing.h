// A page of hoop drawings: a title, a grid of cells (one hoop each, all at one scale), a legend and a
// millimetre scale bar.
#pragma once

#include "HoopData.h"

#include <cairo.h>

#include <string>
#include <vector>

struct PageItem {
    int index;
    HoopData hoop;
};

struct PageLayout {
    int columns;
    int rows;
    double cellWidth;
    double cellHeight;
    double width;
    double height;
};

PageLayout LayoutPage(size_t hoopCount);

// All hoops at one scale with one scale bar, or, with `fitEach`, each hoop as large as its cell allows with a
// scale bar of its own.
void DrawPage(cairo_t* cr, const PageLayout& layout, const std::string& title,
              const std::vector<PageItem>& items, bool fitEach);
