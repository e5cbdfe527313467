// brevant list FILE: one row per hoop.
#include "Catalogue.h"
#include "Commands.h"
#include "HoopData.h"
#include "Table.h"
#include "ToolOutput.h"
#include "Units.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

int RunList(const std::string& path) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, path);
    if (status == kExitFailed)
        return status;
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
    command->footer("List the hoops of a catalogue, one row per hoop: index, "
                    "description, shape, sew field width x height in mm, "
                    "number of mounts and span direction.");
    auto path = std::make_shared<std::string>();
    command->add_option("FILE", *path, "Hoop catalogue (INI text, or binary INI when it ends in .inb)")
        ->required();
    command->callback([path, &status] { status = RunList(*path); });
}
