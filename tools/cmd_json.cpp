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

int RunJson(const std::string& path) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, path);
    if (status == kExitFailed)
        return status;
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
    command->footer("Print the whole catalogue as JSON on standard output.");
    auto path = std::make_shared<std::string>();
    command->add_option("FILE", *path, "Hoop catalogue (INI text, or binary INI when it ends in .inb), or -")
        ->required();
    command->callback([path, &status] { status = RunJson(*path); });
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
