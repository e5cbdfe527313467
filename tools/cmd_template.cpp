// brevant template FILE HOOP -o OUT.pdf: one hoop at true size on paper, tiled when it is larger than a page.
#include "Catalogue.h"
#include "Commands.h"
#include "DecimalArgument.h"
#include "HoopData.h"
#include "SafeSave.h"
#include "TemplateDrawing.h"
#include "TemplateLayout.h"
#include "ToolOutput.h"
#include "Utf8.h"

#include <CLI/CLI.hpp>
#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

struct TemplateOptions {
    std::string path;
    int hoop = 0;
    std::string out;
    std::string paper = "a4";
};

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// Draws every page into a PDF held in memory; answers the first cairo status that is not success.
cairo_status_t DrawTemplate(const TemplatePlan& plan, const HoopData& hoop, const std::string& title,
                            std::string& pdf) {
    double width = plan.pageWidth * kPointsPerMm;
    double height = plan.pageHeight * kPointsPerMm;
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(AppendToString, &pdf, width, height);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "brevant template");
    cairo_t* cr = cairo_create(surface);
    for (const TemplatePage& page : plan.pages) {
        DrawTemplatePage(cr, plan, page, hoop, title);
        cairo_show_page(cr);
    }
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    cairo_debug_reset_static_data();
    return status;
}

std::string TemplateTitle(const std::string& path, int index, const HoopData& hoop) {
    size_t slash = path.find_last_of('/');
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string name = hoop.description.empty() ? "hoop " + std::to_string(index) : ToUtf8(hoop.description);
    return name + " \xE2\x80\x94 hoop " + std::to_string(index) + " of " + ToUtf8(file);
}

int RunTemplate(const TemplateOptions& options) {
    const Paper* paper = FindPaper(options.paper);
    if (paper == nullptr) {
        PrintError("unknown paper " + Quoted(options.paper) + "; use a4 or letter");
        return kExitFailed;
    }
    std::vector<HoopData> hoops;
    int status = OpenHoops(options.path, options.hoop, hoops);
    if (status == kExitFailed)
        return status;
    const HoopData& hoop = hoops[options.hoop];
    TemplatePlan plan = PlanTemplate(TemplateRegion(hoop), *paper);
    if (plan.pages.empty()) {
        PrintError(HoopName(options.hoop, hoop) + " would take " +
                   std::to_string(static_cast<long long>(std::min(plan.pageCount, 1e18))) +
                   " pages at true size; its coordinates are far too large for a hoop (they are tenths of a "
                   "millimetre)");
        return kExitFailed;
    }
    std::string pdf;
    cairo_status_t drawn = DrawTemplate(plan, hoop, TemplateTitle(options.path, options.hoop, hoop), pdf);
    if (drawn != CAIRO_STATUS_SUCCESS) {
        PrintError("cannot draw the template: " + std::string(cairo_status_to_string(drawn)));
        return kExitFailed;
    }
    std::string problem = WriteOutput(options.out, pdf);
    if (!problem.empty()) {
        PrintError(problem);
        return kExitFailed;
    }
    if (options.out != "-")
        std::cout << "wrote " << options.out << ": "
                  << Plural(static_cast<long long>(plan.pages.size()), "page", "pages") << " of "
                  << paper->name << (plan.landscape ? " landscape" : "") << '\n';
    return status;
}

} // namespace

void AddTemplateCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("template", "Print one hoop at true size to a PDF, tiled when it is large");
    command->footer(
        "Draw one hoop at 1:1 to a PDF: outline, sew field, centre cross and axes, a 10 mm grid, the mount "
        "positions of a multi-position hoop, and a 100 mm calibration bar to measure the print by. A hoop "
        "larger than the paper is tiled over pages that overlap by 15 mm, with cut marks and page labels "
        "(A1, A2, ... from the top left) to tape together. Print at actual size (100 %).");
    auto options = std::make_shared<TemplateOptions>();
    command
        ->add_option("FILE", options->path, "Hoop catalogue (INI text, or binary INI when it ends in .inb)")
        ->required();
    command->add_option("HOOP", options->hoop, "Index of the hoop to draw (from 0)")
        ->required()
        ->transform(DecimalInteger())
        ->check(CLI::Range(0, INT_MAX));
    command->add_option("-o,--output", options->out, "PDF file to write, - for standard output")->required();
    command->add_option("--paper", options->paper, "Paper size: a4 (the default) or letter");
    command->callback([options, &status] { status = RunTemplate(*options); });
}
