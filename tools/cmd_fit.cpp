// brevant fit FILE WIDTHxHEIGHT: which hoops take a design of that size, as it is or turned by 90 degrees.
#include "Catalogue.h"
#include "Commands.h"
#include "HoopData.h"
#include "Table.h"
#include "ToolOutput.h"
#include "Units.h"
#include "Utf8.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

struct FitOptions {
    std::string path;
    std::string size;
    bool json = false;
};

// A design size in tenths of a millimetre.
struct DesignSize {
    double width = 0;
    double height = 0;
};

struct Fit {
    size_t index;
    int64_t area;
    bool turned;
    double marginX; // mm on each side
    double marginY;
};

bool ParseMillimetres(const std::string& text, double& millimetres) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    millimetres = std::strtod(text.c_str(), &end);
    return *end == '\0' && millimetres > 0 && millimetres < 1e7;
}

// "120x80.5" (also with X, * or the multiplication sign between, and with an "mm" at the end).
bool ParseDesignSize(std::string text, DesignSize& size) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    size_t sign = text.find("\xC3\x97"); // the multiplication sign
    if (sign != std::string::npos)
        text.replace(sign, 2, "x");
    if (text.size() > 2 && text.compare(text.size() - 2, 2, "mm") == 0)
        text.erase(text.size() - 2);
    size_t cross = text.find_first_of("xX*");
    if (cross == std::string::npos)
        return false;
    double width = 0;
    double height = 0;
    if (!ParseMillimetres(text.substr(0, cross), width) || !ParseMillimetres(text.substr(cross + 1), height))
        return false;
    size.width = width * 10;
    size.height = height * 10;
    return true;
}

bool FindFit(size_t index, const HoopData& hoop, const DesignSize& design, Fit& fit) {
    double width = static_cast<double>(Extent(hoop.sewField.right, hoop.sewField.left));
    double height = static_cast<double>(Extent(hoop.sewField.top, hoop.sewField.bottom));
    bool asItIs = design.width <= width && design.height <= height;
    bool turned = design.height <= width && design.width <= height;
    if (!asItIs && !turned)
        return false;
    fit.index = index;
    fit.area =
        Extent(hoop.sewField.right, hoop.sewField.left) * Extent(hoop.sewField.top, hoop.sewField.bottom);
    fit.turned = !asItIs;
    fit.marginX = (width - (fit.turned ? design.height : design.width)) / 20;
    fit.marginY = (height - (fit.turned ? design.width : design.height)) / 20;
    return true;
}

std::vector<Fit> FindFits(const std::vector<HoopData>& hoops, const DesignSize& design) {
    std::vector<Fit> fits;
    for (size_t index = 0; index < hoops.size(); ++index) {
        Fit fit{};
        if (FindFit(index, hoops[index], design, fit))
            fits.push_back(fit);
    }
    std::stable_sort(fits.begin(), fits.end(), [](const Fit& a, const Fit& b) { return a.area < b.area; });
    return fits;
}

void PrintFits(const std::vector<HoopData>& hoops, const std::vector<Fit>& fits) {
    Table table(
        {"#", "Description", "Sew field (mm)", "Design", "Margin left/right (mm)", "Margin top/bottom (mm)"});
    table.AlignRight(0);
    table.AlignRight(2);
    table.AlignRight(4);
    table.AlignRight(5);
    for (const Fit& fit : fits) {
        const HoopData& hoop = hoops[fit.index];
        table.AddRow({std::to_string(fit.index), hoop.description,
                      FormatSizeMm(Extent(hoop.sewField.right, hoop.sewField.left),
                                   Extent(hoop.sewField.top, hoop.sewField.bottom)),
                      fit.turned ? "turned 90 degrees" : "as it is", FormatMm(fit.marginX),
                      FormatMm(fit.marginY)});
    }
    table.Print(std::cout);
}

void PrintJson(const std::vector<HoopData>& hoops, const std::vector<Fit>& fits, const DesignSize& design) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Fit& fit : fits) {
        const HoopData& hoop = hoops[fit.index];
        list.push_back(
            {{"index", fit.index},
             {"description", ToUtf8(hoop.description)},
             {"sewFieldWidthMm", static_cast<double>(Extent(hoop.sewField.right, hoop.sewField.left)) / 10},
             {"sewFieldHeightMm", static_cast<double>(Extent(hoop.sewField.top, hoop.sewField.bottom)) / 10},
             {"turned", fit.turned},
             {"marginXMm", fit.marginX},
             {"marginYMm", fit.marginY}});
    }
    nlohmann::ordered_json report{
        {"design", {{"widthMm", design.width / 10}, {"heightMm", design.height / 10}}}, {"fits", list}};
    std::cout << report.dump(2) << '\n';
}

int RunFit(const FitOptions& options) {
    DesignSize design;
    if (!ParseDesignSize(options.size, design)) {
        PrintError("the design size " + Quoted(options.size) +
                   " is not WIDTHxHEIGHT in millimetres, for example 120x80.5");
        return kExitFailed;
    }
    std::vector<HoopData> hoops;
    int status = OpenHoops(options.path, -1, hoops);
    if (status == kExitFailed)
        return status;
    std::vector<Fit> fits = FindFits(hoops, design);
    std::string designText = FormatMm(design.width / 10) + " x " + FormatMm(design.height / 10) + " mm";
    if (options.json) {
        PrintJson(hoops, fits, design);
        return fits.empty() ? kExitFaulty : status;
    }
    if (fits.empty()) {
        std::cout << "No hoop of " << options.path << " takes a design of " << designText << ".\n";
        return kExitFaulty;
    }
    std::cout << "A design of " << designText << " fits "
              << Plural(static_cast<long long>(fits.size()), "hoop", "hoops")
              << ", smallest sew field first:\n";
    PrintFits(hoops, fits);
    return status;
}

} // namespace

void AddFitCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("fit", "Which hoops take a design of WIDTHxHEIGHT mm");
    command->footer(
        "Find the hoops whose sew field holds a design of WIDTHxHEIGHT mm, as it is or turned by 90 "
        "degrees, smallest sew field first, with the margin left on each side.\n"
        "--json prints {design: {widthMm, heightMm}, fits: [{index, description, sewFieldWidthMm, "
        "sewFieldHeightMm, turned, marginXMm, marginYMm}]}.\n"
        "Exit status: 0 some hoop fits, 1 none fits or the file had faulty lines, 2 the file could "
        "not be loaded or SIZE is not a size.");
    auto options = std::make_shared<FitOptions>();
    AddCatalogueArgument(command, options->path);
    command->add_option("SIZE", options->size, "Design size WIDTHxHEIGHT in millimetres, e.g. 120x80.5")
        ->required();
    command->add_flag("--json", options->json, "Print the fitting hoops as JSON");
    command->callback([options, &status] { status = RunFit(*options); });
}
