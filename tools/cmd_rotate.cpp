// brevant rotate FILE HOOP DEGREES -o OUT: turn a hoop through the library and save the catalogue safely.
#include "Catalogue.h"
#include "Commands.h"
#include "HoopData.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <memory>

namespace {

struct RotateOptions {
    std::string path;
    int hoop = 0;
    int degrees = 0;
    std::string out;
    bool skipFaulty = false;
};

int RunRotate(const RotateOptions& options) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, options.path);
    if (status == kExitFailed)
        return status;
    if (options.hoop >= catalogue.GetHoopCount()) {
        PrintError("hoop " + std::to_string(options.hoop) + " does not exist in " + options.path +
                   ", which has " + Plural(catalogue.GetHoopCount(), "hoop", "hoops"));
        return kExitFailed;
    }
    catalogue.SetHoopRotation(options.hoop, options.degrees);
    return SaveLoadedCatalogue(catalogue, status, options.skipFaulty, options.path, options.out);
}

} // namespace

void AddRotateCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("rotate", "Turn one hoop by DEGREES and save the catalogue");
    command->footer(
        "Turn one hoop by DEGREES about its centre (its sew field, inner and outer dimension and "
        "mount limits; the outline stays) and save the catalogue to OUT as convert does. The file "
        "keeps no rotation, only the turned values.");
    auto options = std::make_shared<RotateOptions>();
    command->add_option("FILE", options->path, "Catalogue to read")->required();
    command->add_option("HOOP", options->hoop, "Index of the hoop to turn (from 0)")
        ->required()
        ->check(CLI::Range(0, INT_MAX));
    command->add_option("DEGREES", options->degrees, "Angle in whole degrees, clockwise with y pointing up")
        ->required();
    command->add_option("-o,--output", options->out, "INI text file to write (may be FILE itself)")
        ->required();
    command->add_flag("--skip-faulty", options->skipFaulty,
                      "Save even when the loader skipped faulty lines of FILE (they are lost)");
    command->callback([options, &status] { status = RunRotate(*options); });
}
