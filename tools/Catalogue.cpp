#include "Catalogue.h"

#include "HoopData.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>
#include <brevant/catalogue.hpp>

#include <strings.h>

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The loader's text without the prefix that its kind already says.
EngineMessage ToEngineMessage(const brevant::Diagnostic& diagnostic) {
    EngineMessage message;
    message.text = diagnostic.text;
    message.line = diagnostic.line;
    switch (diagnostic.kind) {
    case brevant::DiagnosticKind::error: {
        message.kind = EngineMessage::Kind::FaultyLine;
        size_t close = message.text.find("> - ");
        if (close != std::string::npos)
            message.text = message.text.substr(close + 4);
        break;
    }
    case brevant::DiagnosticKind::failure:
        message.kind = EngineMessage::Kind::Failure;
        if (StartsWith(message.text, "Failure : "))
            message.text = message.text.substr(10);
        break;
    case brevant::DiagnosticKind::summary:
        message.kind = EngineMessage::Kind::Summary;
        break;
    default:
        break;
    }
    return message;
}

std::string FailedLoadReason(const brevant::LoadError& error) {
    switch (error.failure()) {
    case brevant::LoadFailure::not_a_catalogue:
        return "it is not a hoop catalogue (it has no sections, or its first section is not [hoops])";
    case brevant::LoadFailure::out_of_memory:
        return "there was not enough memory to load it";
    default:
        return "it is not a readable binary INI file (is it damaged, or cut short?)";
    }
}

} // namespace

bool LoadReport::HasFaults() const {
    if (faultyLines > 0)
        return true;
    for (const EngineMessage& message : messages) {
        if (message.kind == EngineMessage::Kind::Failure)
            return true;
    }
    return false;
}

bool IsBinaryCatalogueName(const std::string& path) {
    return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".inb") == 0;
}

LoadReport LoadCatalogueBytes(CINIHoop& catalogue, const std::string& bytes, bool binary) {
    LoadReport report;
    std::vector<brevant::Diagnostic> diagnostics;
    try {
        brevant::Catalogue loaded =
            brevant::Catalogue::from_bytes(bytes, binary ? brevant::Format::binary : brevant::Format::text);
        loaded.to_classic(catalogue);
        report.loaded = true;
        diagnostics = loaded.diagnostics();
    } catch (const brevant::LoadError& error) {
        report.problem = FailedLoadReason(error);
        diagnostics = error.diagnostics();
    }
    for (const brevant::Diagnostic& diagnostic : diagnostics) {
        report.messages.push_back(ToEngineMessage(diagnostic));
        if (report.messages.back().kind == EngineMessage::Kind::FaultyLine)
            ++report.faultyLines;
    }
    return report;
}

LoadReport LoadCatalogue(CINIHoop& catalogue, const std::string& path) {
    CatalogueInput input;
    ReadCatalogue(path, catalogue, input);
    return input.report;
}

bool HasBinarySignature(const std::string& bytes) {
    return bytes.compare(0, 6, "INB\x08\x0D\x01") == 0;
}

void ReadCatalogue(const std::string& path, CINIHoop& catalogue, CatalogueInput& input) {
    input.path = path;
    input.report = LoadReport();
    std::string reason;
    if (!ReadInput(path, input.bytes, reason)) {
        input.report.problem = reason;
        return;
    }
    input.binary = path == "-" ? HasBinarySignature(input.bytes) : IsBinaryCatalogueName(path);
    input.report = LoadCatalogueBytes(catalogue, input.bytes, input.binary);
}

int OpenInput(const std::string& path, CINIHoop& catalogue, CatalogueInput& input) {
    ReadCatalogue(path, catalogue, input);
    const LoadReport& report = input.report;
    if (!report.loaded) {
        PrintError(input.Name() + ": cannot load: " + report.problem);
        return kExitFailed;
    }
    if (!report.HasFaults())
        return kExitOk;
    std::string what = report.faultyLines > 0
                           ? Plural(report.faultyLines, "faulty line was", "faulty lines were") + " skipped"
                           : "not all of the file could be read";
    PrintError(input.Name() + ": " + what + "; 'brevant check " + path + "' shows the details");
    return kExitFaulty;
}

int OpenCatalogue(CINIHoop& catalogue, const std::string& path) {
    CatalogueInput input;
    return OpenInput(path, catalogue, input);
}

int OpenHoops(const std::string& path, int hoop, std::vector<HoopData>& hoops) {
    CINIHoop catalogue;
    int status = OpenCatalogue(catalogue, path);
    if (status == kExitFailed)
        return status;
    hoops = ReadHoops(catalogue);
    if (hoop < static_cast<int>(hoops.size()))
        return status;
    std::string range =
        hoops.empty() ? "it has no hoops" : "its hoops are 0 to " + std::to_string(hoops.size() - 1);
    PrintError("hoop " + std::to_string(hoop) + " does not exist in " + path + "; " + range);
    return kExitFailed;
}

CLI::Option* AddCatalogueArgument(CLI::App* command, std::string& path) {
    return command
        ->add_option("FILE", path,
                     "Hoop catalogue (INI text, or binary INI when it ends in .inb), or - for standard input")
        ->required();
}
