// brevant render FILE -o OUT [--hoop N]: draw hoops to a PNG, SVG or PDF file.
#include "Catalogue.h"
#include "Commands.h"
#include "DecimalArgument.h"
#include "HoopData.h"
#include "PageDrawing.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <climits>
#include <memory>
#include <strings.h>

namespace {

struct RenderOptions {
    std::string path;
    std::string out;
    int hoop = -1;
    bool fitEach = false;
};

enum class PictureType { Unknown, Png, Svg, Pdf };

PictureType PictureTypeOf(const std::string& path) {
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return PictureType::Unknown;
    const char* extension = path.c_str() + dot;
    if (strcasecmp(extension, ".png") == 0)
        return PictureType::Png;
    if (strcasecmp(extension, ".svg") == 0)
        return PictureType::Svg;
    if (strcasecmp(extension, ".pdf") == 0)
        return PictureType::Pdf;
    return PictureType::Unknown;
}

cairo_surface_t* CreateSurface(PictureType type, const std::string& out, const PageLayout& layout) {
    switch (type) {
    case PictureType::Svg:
        return cairo_svg_surface_create(out.c_str(), layout.width, layout.height);
    case PictureType::Pdf:
        return cairo_pdf_surface_create(out.c_str(), layout.width, layout.height);
    default:
        return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(layout.width),
                                          static_cast<int>(layout.height));
    }
}

// Draws the page and writes the file; answers the first cairo status that is not success.
cairo_status_t DrawToFile(PictureType type, const std::string& out, const std::string& title,
                          const std::vector<PageItem>& items, bool fitEach) {
    PageLayout layout = LayoutPage(items.size());
    cairo_surface_t* surface = CreateSurface(type, out, layout);
    cairo_t* cr = cairo_create(surface);
    DrawPage(cr, layout, title, items, fitEach);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS && type == PictureType::Png)
        status = cairo_surface_write_to_png(surface, out.c_str());
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    // Gives back cairo's font caches, so that a leak checker sees only what the tool itself keeps.
    cairo_debug_reset_static_data();
    return status;
}

std::vector<PageItem> SelectHoops(const std::vector<HoopData>& hoops, int only) {
    std::vector<PageItem> items;
    for (size_t index = 0; index < hoops.size(); ++index) {
        if (only < 0 || static_cast<int>(index) == only)
            items.push_back({static_cast<int>(index), hoops[index]});
    }
    return items;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int RunRender(const RenderOptions& options) {
    PictureType type = PictureTypeOf(options.out);
    if (type == PictureType::Unknown) {
        PrintError(options.out + ": the picture type comes from the name; use .png, .svg or .pdf");
        return kExitFailed;
    }
    std::vector<HoopData> hoops;
    int status = OpenHoops(options.path, options.hoop, hoops);
    if (status == kExitFailed)
        return status;
    std::string title = BaseName(options.path);
    if (options.hoop >= 0)
        title += ", hoop " + std::to_string(options.hoop);
    cairo_status_t drawn =
        DrawToFile(type, options.out, title, SelectHoops(hoops, options.hoop), options.fitEach);
    if (drawn != CAIRO_STATUS_SUCCESS) {
        PrintError("cannot write " + options.out + ": " + cairo_status_to_string(drawn));
        return kExitFailed;
    }
    return status;
}

} // namespace

void AddRenderCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("render", "Draw the hoops to a PNG, SVG or PDF picture");
    command->footer(
        "Draw the hoops to a PNG, SVG or PDF file (chosen by OUT's extension): outline, sew field, "
        "inner and outer dimension and each mount's travel, all hoops at one scale, with a legend "
        "and a millimetre scale bar.");
    auto options = std::make_shared<RenderOptions>();
    command
        ->add_option("FILE", options->path, "Hoop catalogue (INI text, or binary INI when it ends in .inb)")
        ->required();
    command->add_option("-o,--output", options->out, "Picture to write: .png, .svg or .pdf")->required();
    command->add_option("--hoop", options->hoop, "Draw only this hoop (index from 0)")
        ->transform(DecimalInteger())
        ->check(CLI::Range(0, INT_MAX));
    command->add_flag("--fit-each", options->fitEach,
                      "Draw each hoop as large as its frame allows, each with its own scale bar");
    command->callback([options, &status] { status = RunRender(*options); });
}
