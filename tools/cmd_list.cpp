// brevant list FILE: one row per hoop.
#include "Catalogue.h"
#include "Commands.h"
#include "HoopData.h"
#include "Table.h"
#include "ToolOutput.h"
#include "Units.h"

#include "Utf8.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace {

struct ListOptions {
    std::string path;
    bool json = false;
};

void PrintJson(const std::vector<HoopData>& hoops) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t index = 0; index < hoops.size(); ++index) {
        const HoopData& hoop = hoops[index];
        const HoopRect& sew = hoop.sewField;
        list.push_back({{"index", index},
                        {"description", ToUtf8(hoop.description)},
                        {"shape", ToUtf8(hoop.shape)},
                        {"sewFieldWidthMm", static_cast<double>(Extent(sew.right, sew.left)) / 10},
                        {"sewFieldHeightMm", static_cast<double>(Extent(sew.top, sew.bottom)) / 10},
                        {"mounts", hoop.mounts.size()},
                        {"span", SpanName(hoop.spanDir)}});
    }
    std::cout << nlohmann::ordered_json{{"hoops", list}}.dump(2) << '\n';
}

int RunList(const ListOptions& options) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, options.path);
    if (status == kExitFailed)
        return status;
    if (options.json) {
        PrintJson(ReadHoops(catalogue));
        return status;
    }
    Table table({"#", "Description", "Shape", "Sew field (mm)", "Mounts", "Span"});
    table.AlignRight(0);
    table.AlignRight(3);
    table.AlignRight(4);
    std::vector<HoopData> hoops = ReadHoops(catalogue);
    for (size_t index = 0; index < hoops.size(); ++index) {
        const HoopData& hoop = hoops[index];
        const HoopRect& sew = hoop.sewField;
        table.AddRow({std::to_string(index), hoop.description, hoop.shape,
                      FormatSizeMm(Extent(sew.right, sew.left), Extent(sew.top, sew.bottom)),
                      std::to_string(hoop.mounts.size()), SpanName(hoop.spanDir)});
    }
    table.Print(std::cout);
    return status;
}

} // namespace

void AddListCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("list", "One row per hoop: index, description, shape, sew field, mounts, span");
    command->footer("List the hoops of a catalogue, one row per hoop: index, description, shape, sew field "
                    "width x height in mm, number of mounts and span direction.\n"
                    "--json prints {hoops: [{index, description, shape, sewFieldWidthMm, sewFieldHeightMm, "
                    "mounts, span}]}; span is none, x, y or xy.\n"
                    "Exit status: 0 listed, 1 the file had faulty lines (the hoops that loaded are listed), "
                    "2 the file could not be loaded.");
    auto options = std::make_shared<ListOptions>();
    AddCatalogueArgument(command, options->path);
    command->add_flag("--json", options->json, "Print the list as JSON");
    command->callback([options, &status] { status = RunList(*options); });
}
