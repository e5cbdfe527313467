// brevant convert IN OUT: load a catalogue (INI text or binary INI) and save it as INI text, safely.
#include "Catalogue.h"
#include "CatalogueSave.h"
#include "Commands.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace {

struct ConvertOptions {
    std::string in;
    SaveOptions save;
};

int RunConvert(const ConvertOptions& options) {
    CINIHoop catalogue;
    CatalogueInput input;
    int status = OpenInput(options.in, catalogue, input);
    if (status == kExitFailed)
        return status;
    return SaveCatalogue(catalogue, &input, options.save, status);
}

} // namespace

void AddConvertCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("convert", "Save a catalogue (INI text or binary .inb) as INI text, safely");
    command->footer(
        "Load a catalogue (INI text, or binary INI when IN ends in .inb) and save it as INI text.\n"
        "Nothing is lost silently: when IN holds what the catalogue does not carry (faulty lines, comments, "
        "text values, unknown sections and keys, hoops numbered outside 0 to 511, values given twice, "
        "numbers "
        "that do not read as written, a last line without a line end), each is listed as FILE:LINE and OUT "
        "is not written, unless --force is given.\n"
        "The new file must read back into the same hoops before it replaces OUT. A symbolic link OUT is "
        "followed; hard links, permissions and owner are kept; OUT must be a regular file or a new name.\n"
        "IN and OUT may be '-' for standard input and output (a binary catalogue is recognised on standard "
        "input by its signature).\n"
        "Exit status: 0 written; 1 IN had faulty lines or would lose data (OUT not written unless --force); "
        "2 IN could not be loaded, or OUT could not be written.");
    auto options = std::make_shared<ConvertOptions>();
    command->add_option("IN", options->in, "Catalogue to read, or - for standard input")->required();
    command
        ->add_option("OUT", options->save.out,
                     "INI text file to write (may be IN itself), or - for standard output")
        ->required();
    AddSaveOptions(*command, options->save);
    command->callback([options, &status] { status = RunConvert(*options); });
}
