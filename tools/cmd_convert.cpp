// brevant convert IN OUT: load a catalogue (INI text or binary INI) and save it as INI text, safely.
#include "Catalogue.h"
#include "Commands.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace {

struct ConvertOptions {
    std::string in;
    std::string out;
    bool skipFaulty = false;
};

int RunConvert(const ConvertOptions& options) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, options.in);
    if (status == kExitFailed)
        return status;
    return SaveLoadedCatalogue(catalogue, status, options.skipFaulty, options.in, options.out);
}

} // namespace

void AddConvertCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("convert", "Save a catalogue (INI text or binary .inb) as INI text, safely");
    command->footer(
        "Load a catalogue (INI text, or binary INI when IN ends in .inb) and save it as INI text. "
        "The new file must read back into the same hoops before it replaces OUT; otherwise OUT is "
        "left untouched.");
    auto options = std::make_shared<ConvertOptions>();
    command->add_option("IN", options->in, "Catalogue to read")->required();
    command->add_option("OUT", options->out, "INI text file to write (may be IN itself)")->required();
    command->add_flag("--skip-faulty", options->skipFaulty,
                      "Save even when the loader skipped faulty lines of IN (they are lost)");
    command->callback([options, &status] { status = RunConvert(*options); });
}
