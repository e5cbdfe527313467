// brevant check FILE: the loader's diagnostics as a person wants them, with editor line numbers and the
// offending lines, and a look at the hoops that did load.
#include "Catalogue.h"
#include "Commands.h"
#include "EngineLines.h"
#include "HoopData.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

// The loader reads lines into a buffer of this size; a longer line stops the load.
constexpr size_t kLoaderLineCapacity = 16384;

class CheckPrinter {
  public:
    CheckPrinter(const std::string& path, const EngineLines& lines) : path_(path), lines_(lines) {}

    void FaultyLine(int engineLine, const std::string& message) const {
        int editorLine = lines_.EditorLine(engineLine);
        std::cout << path_ << ':' << (editorLine > 0 ? editorLine : engineLine) << ": " << message << '\n';
        if (editorLine > 0)
            std::cout << "    " << PrintableLine(lines_.Text(engineLine)) << '\n';
    }

    void Failure(const std::string& message) const {
        if (message.find("File line is larger than") != std::string::npos && OverlongLine())
            return;
        if (message.find("kuFile_Read() failed") != std::string::npos && UnendedLastLine())
            return;
        std::cout << path_ << ": failure: " << message << '\n';
    }

    void Other(const std::string& message) const { std::cout << path_ << ": " << message << '\n'; }

  private:
    bool OverlongLine() const {
        int line = lines_.FirstLineOfLength(kLoaderLineCapacity);
        if (line == 0)
            return false;
        std::cout << path_ << ':' << lines_.EditorLine(line) << ": the line is longer than "
                  << kLoaderLineCapacity - 1
                  << " characters; the loader stopped here and read nothing after it\n"
                  << "    " << PrintableLine(lines_.Text(line)) << '\n';
        return true;
    }

    bool UnendedLastLine() const {
        if (!lines_.HasUnendedLastLine())
            return false;
        std::cout << path_ << ':' << lines_.UnendedLastLineEditorLine()
                  << ": the last line has no line end, so the loader did not read it\n"
                  << "    " << PrintableLine(lines_.UnendedLastLine()) << '\n';
        return true;
    }

    const std::string& path_;
    const EngineLines& lines_;
};

void PrintMessages(const std::string& path, const CatalogueInput& input) {
    const LoadReport& report = input.report;
    EngineLines lines(input.binary ? std::string() : input.bytes);
    CheckPrinter printer(path, lines);
    for (const EngineMessage& message : report.messages) {
        switch (message.kind) {
        case EngineMessage::Kind::FaultyLine:
            printer.FaultyLine(message.line, message.text);
            break;
        case EngineMessage::Kind::Failure:
            printer.Failure(message.text);
            break;
        case EngineMessage::Kind::Summary:
            break;
        case EngineMessage::Kind::Other:
            printer.Other(message.text);
            break;
        }
    }
}

// What the loader accepts without a word but leaves a hoop unusable: a "rect" or "points" value of the wrong
// length is passed over silently.
int PrintHoopProblems(const std::string& path, const std::vector<HoopData>& hoops) {
    int problems = 0;
    for (size_t index = 0; index < hoops.size(); ++index) {
        const HoopData& hoop = hoops[index];
        std::string name = path + ": " + HoopName(static_cast<int>(index), hoop) + ": ";
        if (hoop.sewField.left == hoop.sewField.right || hoop.sewField.top == hoop.sewField.bottom) {
            std::cout << name << "its sew field is empty (is its sewfield rect missing or faulty?)\n";
            ++problems;
        }
        if (hoop.points.empty()) {
            std::cout << name << "it has no outline points (are its points missing or faulty?)\n";
            ++problems;
        }
    }
    return problems;
}

int RunCheck(const std::string& path) {
    CINIHoop catalogue;
    CatalogueInput input;
    ReadCatalogue(path, catalogue, input);
    const LoadReport& report = input.report;
    PrintMessages(path, input);
    if (!report.loaded) {
        std::cout << path << ": cannot load: " << report.problem << '\n';
        return kExitFailed;
    }
    std::vector<HoopData> hoops = ReadHoops(catalogue);
    int problems = PrintHoopProblems(path, hoops);
    long long failures =
        std::count_if(report.messages.begin(), report.messages.end(),
                      [](const EngineMessage& m) { return m.kind == EngineMessage::Kind::Failure; });
    std::ostringstream summary;
    summary << path << ": ";
    summary << (report.faultyLines == 0 ? "no faulty lines"
                                        : Plural(report.faultyLines, "faulty line", "faulty lines"));
    if (failures > 0)
        summary << ", " << Plural(failures, "failure", "failures");
    if (problems > 0)
        summary << ", " << Plural(problems, "problem", "problems");
    summary << ", " << Plural(static_cast<long long>(hoops.size()), "hoop", "hoops") << " loaded.";
    std::cout << summary.str() << '\n';
    return report.HasFaults() || problems > 0 ? kExitFaulty : kExitOk;
}

} // namespace

void AddCheckCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("check", "Report faulty lines as FILE:LINE: MESSAGE, and incomplete hoops");
    command->footer("Load a catalogue and report every faulty line as FILE:LINE: "
                    "MESSAGE with the line's text (LINE as an editor counts it), "
                    "then hoops that loaded without a sew field or outline.");
    auto path = std::make_shared<std::string>();
    command->add_option("FILE", *path, "Hoop catalogue (INI text, or binary INI when it ends in .inb)")
        ->required();
    command->callback([path, &status] { status = RunCheck(*path); });
}
