// brevant json FILE and brevant import JSON -o OUT: the catalogue as JSON and back.
#include "Catalogue.h"
#include "CatalogueSave.h"
#include "Commands.h"
#include "HoopData.h"
#include "JsonCodec.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

namespace {

struct ImportOptions {
    std::string in;
    SaveOptions save;
};

struct JsonOptions {
    std::string path;
    bool force = false;
};

// The JSON form carries the hoops only: what else the file holds is listed and refused as convert does.
int RunJson(const JsonOptions& options) {
    CINIHoop catalogue;
    CatalogueInput input;
    int status = OpenInput(options.path, catalogue, input);
    if (status == kExitFailed)
        return status;
    if (ListLosses(input, "the JSON", options.force) && !options.force)
        return kExitFaulty;
    std::cout << FormatJson(HoopsToJson(ReadHoops(catalogue)));
    return status;
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without its bracketed tag.
std::string ParserMessage(const char* what) {
    std::string message = what;
    size_t tag = message.find("] ");
    return tag == std::string::npos ? message : message.substr(tag + 2);
}

bool ReadJsonFile(const std::string& path, nlohmann::json& document) {
    std::string name = path == "-" ? "<stdin>" : path;
    std::string text;
    std::string reason;
    if (!ReadInput(path, text, reason)) {
        PrintError(name + ": cannot read: " + reason);
        return false;
    }
    try {
        document = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        PrintError(name + ": malformed JSON at byte " + std::to_string(error.byte) + ": " +
                   ParserMessage(error.what()) + "; correct it in the form 'brevant json' prints");
        return false;
    }
    return true;
}

int RunImport(const ImportOptions& options) {
    nlohmann::json document;
    if (!ReadJsonFile(options.in, document))
        return kExitFailed;
    std::vector<HoopData> hoops;
    std::string error;
    if (!HoopsFromJson(document, hoops, error)) {
        PrintError((options.in == "-" ? "<stdin>" : options.in) + ": " + error);
        return kExitFailed;
    }
    CINIHoop catalogue;
    if (!catalogue.Create()) {
        PrintError("the library could not create a catalogue");
        return kExitFailed;
    }
    std::string problem = AddHoops(catalogue, hoops);
    if (!problem.empty()) {
        PrintError(problem);
        return kExitFailed;
    }
    return SaveCatalogue(catalogue, nullptr, options.save);
}

void AddJsonCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("json", "Print the catalogue as JSON");
    command->footer(
        "Print the whole catalogue as JSON on standard output. The JSON holds the hoops only: when "
        "FILE holds more (comments, text values, unknown keys, ...), each is listed as FILE:LINE "
        "and nothing is printed, unless --force is given.\n"
        "Exit status: 0 printed, 1 FILE had faulty lines or holds what the JSON would lose, 2 FILE "
        "could not be loaded.");
    auto options = std::make_shared<JsonOptions>();
    AddCatalogueArgument(command, options->path);
    command->add_flag("--force", options->force,
                      "Print even though what the file holds beyond the hoops (listed) is not in the JSON");
    command->callback([options, &status] { status = RunJson(*options); });
}

void AddImportCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("import", "Make a hoop file from JSON");
    command->footer(
        "Make a hoop file from JSON in the form that 'brevant json' prints. Every field is optional "
        "but 'hoops'; the hoops' rotation is not applied, since the rectangles and mount limits are "
        "stored already turned. OUT is written as convert does.");
    auto options = std::make_shared<ImportOptions>();
    command->add_option("JSON", options->in, "JSON file to read, or - for standard input")->required();
    command->add_option("-o,--output", options->save.out, "INI text file to write, or - for standard output")
        ->required();
    AddSaveOptions(*command, options->save);
    command->callback([options, &status] { status = RunImport(*options); });
}

} // namespace

void AddJsonCommands(CLI::App& app, int& status) {
    AddJsonCommand(app, status);
    AddImportCommand(app, status);
}
