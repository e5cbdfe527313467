// brevant show FILE [HOOP]: every field of one hoop or of all hoops.
#include "Catalogue.h"
#include "Commands.h"
#include "DecimalArgument.h"
#include "HoopData.h"
#include "JsonCodec.h"
#include "ToolOutput.h"
#include "Units.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

struct ShowOptions {
    std::string path;
    int hoop = -1;
    bool json = false;
};

// The hoop in the form 'brevant json' prints, with its index and what the library derives from it.
void PrintJson(const std::vector<HoopData>& hoops, int only) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t index = 0; index < hoops.size(); ++index) {
        if (only >= 0 && static_cast<int>(index) != only)
            continue;
        nlohmann::ordered_json hoop{{"index", index}};
        hoop.update(HoopsToJson({hoops[index]})["hoops"][0]);
        const HoopRect& rect = hoops[index].hoopRect;
        hoop["span"] = SpanName(hoops[index].spanDir);
        hoop["hoopRect"] =
            hoops[index].mounts.empty()
                ? nlohmann::ordered_json(nullptr)
                : nlohmann::ordered_json{
                      {"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}};
        list.push_back(hoop);
    }
    std::cout << FormatJson(nlohmann::ordered_json{{"hoops", list}});
}

std::string RectLine(const HoopRect& rect) {
    std::ostringstream line;
    line << "left " << std::setw(6) << rect.left << "  top " << std::setw(6) << rect.top << "  right "
         << std::setw(6) << rect.right << "  bottom " << std::setw(6) << rect.bottom << "   ("
         << FormatSizeMm(Extent(rect.right, rect.left), Extent(rect.top, rect.bottom)) << " mm)";
    return line.str();
}

// The hoop rectangle of a hoop without mounts is the library's empty rectangle.
std::string HoopRectLine(const HoopData& hoop) {
    if (hoop.mounts.empty())
        return "none (the hoop has no mounts)";
    return RectLine(hoop.hoopRect);
}

void PrintField(const char* name, const std::string& value) {
    std::cout << "  " << std::left << std::setw(13) << name << std::right << value << '\n';
}

void PrintMount(size_t index, const MountData& mount) {
    std::cout << "    " << index << ": " << Quoted(mount.label) << "  id " << mount.id << "  rotation "
              << mount.rotation << "  x " << mount.lowX << " to " << mount.highX << "  y " << mount.lowY
              << " to " << mount.highY << '\n';
}

void PrintHoop(size_t index, size_t count, const HoopData& hoop) {
    std::cout << "Hoop " << index << " of " << count << '\n';
    PrintField("Description", Quoted(hoop.description));
    PrintField("Shape", Quoted(hoop.shape));
    PrintField("Rotation", std::to_string(hoop.rotation) + " degrees");
    PrintField("Sew field", RectLine(hoop.sewField));
    PrintField("Inner dim", RectLine(hoop.innerDim));
    PrintField("Outer dim", RectLine(hoop.outerDim));
    PrintField("Outline", Plural(static_cast<long long>(hoop.points.size()), "point", "points"));
    PrintField("Hoop rect", HoopRectLine(hoop));
    PrintField("Span", SpanName(hoop.spanDir));
    PrintField("Mounts", std::to_string(hoop.mounts.size()));
    for (size_t mount = 0; mount < hoop.mounts.size(); ++mount)
        PrintMount(mount, hoop.mounts[mount]);
}

int RunShow(const ShowOptions& options) {
    std::vector<HoopData> hoops;
    int status = OpenHoops(options.path, options.hoop, hoops);
    if (status == kExitFailed)
        return status;
    if (options.json) {
        PrintJson(hoops, options.hoop);
        return status;
    }
    std::cout << "Values are in tenths of a millimetre; y points up.\n";
    for (size_t index = 0; index < hoops.size(); ++index) {
        if (options.hoop >= 0 && static_cast<int>(index) != options.hoop)
            continue;
        std::cout << '\n';
        PrintHoop(index, hoops.size(), hoops[index]);
    }
    return status;
}

} // namespace

void AddShowCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("show", "Every field of one hoop, or of all hoops");
    command->footer(
        "Show every field of one hoop, or of all hoops: texts, rotation, sew field, inner and "
        "outer dimension, outline, hoop rectangle and mounts.\n"
        "--json prints {hoops: [{index, description, shape, rotation, sewField, innerDim, outerDim, "
        "points, mounts, span, hoopRect}]} with the fields 'brevant json' prints; hoopRect is null "
        "for a hoop without mounts. Values are tenths of a millimetre.\n"
        "Exit status: 0 shown, 1 the file had faulty lines, 2 the file could not be loaded or the "
        "hoop does not exist.");
    auto options = std::make_shared<ShowOptions>();
    AddCatalogueArgument(command, options->path);
    command->add_option("HOOP", options->hoop, "Index of the hoop to show (from 0); all hoops when left out")
        ->transform(DecimalInteger())
        ->check(CLI::Range(0, INT_MAX));
    command->add_flag("--json", options->json, "Print the hoops as JSON");
    command->callback([options, &status] { status = RunShow(*options); });
}
