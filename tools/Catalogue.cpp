#include "Catalogue.h"

#include "HoopData.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace {

// Points file descriptor 2 at a sink for as long as it lives.
class StandardErrorRedirect {
  public:
    explicit StandardErrorRedirect(FILE* sink) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        if (saved_ >= 0 && dup2(fileno(sink), STDERR_FILENO) < 0) {
            close(saved_);
            saved_ = -1;
        }
    }
    ~StandardErrorRedirect() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    StandardErrorRedirect(const StandardErrorRedirect&) = delete;
    StandardErrorRedirect& operator=(const StandardErrorRedirect&) = delete;

  private:
    int saved_ = -1;
};

std::string ReadWhole(FILE* file) {
    std::string content;
    std::rewind(file);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    return content;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

EngineMessage ParseEngineMessage(const std::string& piece) {
    EngineMessage message;
    message.text = piece;
    const char* linePrefix = "Error : Line <";
    if (StartsWith(piece, linePrefix)) {
        size_t close = piece.find("> - ");
        if (close != std::string::npos) {
            message.kind = EngineMessage::Kind::FaultyLine;
            message.line = std::atoi(piece.c_str() + std::strlen(linePrefix));
            message.text = piece.substr(close + 4);
        }
        return message;
    }
    if (StartsWith(piece, "Failure : ")) {
        message.kind = EngineMessage::Kind::Failure;
        message.text = piece.substr(10);
    } else if (StartsWith(piece, "Loaded INI file - ")) {
        message.kind = EngineMessage::Kind::Summary;
    }
    return message;
}

std::string FailedLoadReason(const LoadReport& report) {
    for (const EngineMessage& message : report.messages) {
        if (message.kind == EngineMessage::Kind::Failure)
            return "the library reports: " + message.text;
    }
    return "it is not a hoop catalogue (it has no sections, or its first section is not [hoops])";
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

std::string CaptureStandardError(const std::function<void()>& action) {
    FILE* sink = std::tmpfile();
    if (sink == nullptr) {
        action();
        return {};
    }
    {
        StandardErrorRedirect redirect(sink);
        action();
    }
    std::string printed = ReadWhole(sink);
    std::fclose(sink);
    return printed;
}

std::vector<EngineMessage> ParseEngineMessages(const std::string& printed) {
    std::vector<EngineMessage> messages;
    size_t start = 0;
    while (start <= printed.size()) {
        size_t end = printed.find('\n', start);
        if (end == std::string::npos)
            end = printed.size();
        std::string piece = printed.substr(start, end - start);
        if (!piece.empty())
            messages.push_back(ParseEngineMessage(piece));
        start = end + 1;
    }
    return messages;
}

bool IsBinaryCatalogueName(const std::string& path) {
    return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".inb") == 0;
}

LoadReport LoadCatalogue(CINIHoop& catalogue, const std::string& path) {
    LoadReport report;
    std::string printed = CaptureStandardError([&] { report.loaded = catalogue.Load(path.c_str()) != 0; });
    report.messages = ParseEngineMessages(printed);
    for (const EngineMessage& message : report.messages) {
        if (message.kind == EngineMessage::Kind::FaultyLine)
            ++report.faultyLines;
    }
    if (!report.loaded)
        report.problem = FailedLoadReason(report);
    return report;
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
    if (path != "-") {
        input.binary = IsBinaryCatalogueName(path);
        input.report = LoadCatalogue(catalogue, path);
        return;
    }
    input.binary = HasBinarySignature(input.bytes);
    ScratchFile copy(input.binary ? ".inb" : ".ini");
    if (!copy.Created() || !copy.Write(input.bytes)) {
        input.report.problem = "cannot keep a copy of standard input: " + std::string(std::strerror(errno));
        return;
    }
    input.report = LoadCatalogue(catalogue, copy.Path());
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
