// brevant check FILE: everything a person wants to know about a hoop file before trusting it: the lines the
// loader calls faulty (with editor line numbers and the line itself), what the reader passes over without a
// word (see LossCheck.h), hoops that loaded incomplete, and with --strict the hoops' geometry.
#include "Catalogue.h"
#include "Commands.h"
#include "EngineLines.h"
#include "HoopData.h"
#include "HoopGeometry.h"
#include "LossCheck.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

struct CheckOptions {
    std::string path;
    bool strict = false;
    bool json = false;
};

struct Finding {
    int line = 0;        // editor line, 0 for none
    const char* kind;    // stable name, see the command's help
    bool problem = true; // a problem makes the check fail; a note does not
    std::string message;
    std::string text; // the line as it stands in the file, for faulty lines
};

const char* KindName(LossKind kind) {
    switch (kind) {
    case LossKind::FaultyLine:
        return "faulty-line";
    case LossKind::Unread:
        return "unread";
    case LossKind::Comment:
        return "comment";
    case LossKind::Text:
        return "text";
    case LossKind::Ignored:
        return "ignored";
    case LossKind::Replaced:
        return "replaced";
    case LossKind::Number:
        return "number";
    case LossKind::DuplicateSection:
        return "duplicate-section";
    case LossKind::DuplicateKey:
        return "duplicate-key";
    }
    return "ignored";
}

// Comments and text values only matter when the file is written; duplicates that lose nothing are notes too.
bool IsProblem(LossKind kind) {
    return LosesData(kind) && kind != LossKind::Comment && kind != LossKind::Text;
}

// Where the loader's reason would puzzle a person, say what it means.
std::string Explained(const std::string& message, const std::string& line) {
    std::string text = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
    if (!text.empty() && text[0] == '#')
        return message + " Comments begin with ';', not '#'.";
    size_t equals = text.find('=');
    if (equals == std::string::npos || message.find("incompatible value") == std::string::npos)
        return message;
    std::string value = text.substr(text.find_first_not_of(" \t", equals + 1) == std::string::npos
                                        ? text.size()
                                        : text.find_first_not_of(" \t", equals + 1));
    if (!value.empty() && value[0] == '+')
        return message + " Numbers take no plus sign.";
    if (!value.empty() && std::isalpha(static_cast<unsigned char>(value[0])))
        return message + " A text needs double quotes: name=\"text\".";
    return message;
}

class Checker {
  public:
    Checker(const CatalogueInput& input, bool strict) : input_(input), strict_(strict) {}

    std::vector<Finding> Run(CINIHoop& catalogue) {
        AddLoaderFindings();
        for (const Loss& loss : FindLosses(input_)) {
            if (loss.kind != LossKind::FaultyLine)
                findings_.push_back({loss.line, KindName(loss.kind), IsProblem(loss.kind), loss.what, {}});
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        if (!input_.report.loaded)
            return findings_;
        hoops_ = ReadHoops(catalogue);
        for (size_t index = 0; index < hoops_.size(); ++index)
            CheckHoop(static_cast<int>(index), hoops_[index]);
        return findings_;
    }

    const std::vector<HoopData>& Hoops() const { return hoops_; }

  private:
    void AddLoaderFindings() {
        EngineLines lines(input_.binary ? std::string() : input_.bytes);
        for (const EngineMessage& message : input_.report.messages) {
            if (message.kind == EngineMessage::Kind::FaultyLine) {
                int line = lines.EditorLine(message.line);
                std::string text = lines.Text(message.line);
                findings_.push_back({line, "faulty-line", true, Explained(message.text, text), text});
            } else if (message.kind == EngineMessage::Kind::Failure && !ExplainedByLines(message.text)) {
                findings_.push_back({0, "failure", true, "the library reports: " + message.text, {}});
            }
        }
    }

    // A line too long and a last line without a line end stop the reader; the line findings say where.
    static bool ExplainedByLines(const std::string& failure) {
        return failure.find("File line is larger than") != std::string::npos ||
               failure.find("kuFile_Read() failed") != std::string::npos;
    }

    void Add(int index, const HoopData& hoop, const char* kind, bool problem, const std::string& what) {
        findings_.push_back({0, kind, problem, HoopName(index, hoop) + ": " + what, {}});
    }

    void CheckHoop(int index, const HoopData& hoop) {
        const HoopRect& sew = hoop.sewField;
        if (sew.left == sew.right || sew.top == sew.bottom)
            Add(index, hoop, "incomplete", true,
                "its sew field is empty (is its sewfield rect missing or faulty?)");
        if (hoop.points.empty())
            Add(index, hoop, "incomplete", true,
                "it has no outline points (are its points missing or faulty?)");
        if (strict_)
            CheckGeometry(index, hoop);
    }

    void CheckGeometry(int index, const HoopData& hoop) {
        const struct {
            const char* name;
            const HoopRect& rect;
        } rects[] = {{"sew field", hoop.sewField},
                     {"inner dimension", hoop.innerDim},
                     {"outer dimension", hoop.outerDim}};
        for (const auto& rect : rects) {
            if (rect.rect != HoopRect{} &&
                (rect.rect.left > rect.rect.right || rect.rect.bottom > rect.rect.top))
                Add(index, hoop, "geometry", true,
                    std::string("its ") + rect.name +
                        " is inverted: left must not lie right of right, nor bottom above top (y points up)");
        }
        if (hoop.innerDim != HoopRect{} && !Within(hoop.sewField, hoop.innerDim))
            Add(index, hoop, "geometry", true, "its sew field reaches outside its inner dimension");
        if (!SewFieldInsideOutline(hoop))
            Add(index, hoop, "geometry", true, "its sew field reaches outside its outline");
        if (!hoop.mounts.empty() && hoop.outerDim != HoopRect{} && !Within(hoop.hoopRect, hoop.outerDim))
            Add(index, hoop, "geometry", true,
                "the mounts' travel takes the sew field outside the outer dimension");
        if (hoop.description.empty())
            Add(index, hoop, "description", true, "it has no description");
        for (int earlier = 0; earlier < index && !hoop.description.empty(); ++earlier) {
            if (hoops_[static_cast<size_t>(earlier)].description == hoop.description) {
                Add(index, hoop, "description", true,
                    "its description is the same as that of hoop " + std::to_string(earlier));
                break;
            }
        }
    }

    // Whether `inner` lies within `outer`, whichever way round each is written.
    static bool Within(const HoopRect& inner, const HoopRect& outer) {
        return std::min(inner.left, inner.right) >= std::min(outer.left, outer.right) &&
               std::max(inner.left, inner.right) <= std::max(outer.left, outer.right) &&
               std::min(inner.top, inner.bottom) >= std::min(outer.top, outer.bottom) &&
               std::max(inner.top, inner.bottom) <= std::max(outer.top, outer.bottom);
    }

    const CatalogueInput& input_;
    bool strict_;
    std::vector<Finding> findings_;
    std::vector<HoopData> hoops_;
};

int Count(const std::vector<Finding>& findings, bool problems) {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [problems](const Finding& f) { return f.problem == problems; }));
}

void PrintText(const CatalogueInput& input, const std::vector<Finding>& findings, size_t hoops) {
    const std::string name = input.Name();
    int faulty = 0;
    for (const Finding& finding : findings) {
        std::cout << name;
        if (finding.line > 0)
            std::cout << ':' << finding.line;
        std::cout << ": " << (finding.problem ? "" : "note: ") << finding.message << '\n';
        if (std::string(finding.kind) == "faulty-line") {
            ++faulty;
            std::cout << "    " << PrintableLine(finding.text) << '\n';
        }
    }
    if (!input.report.loaded) {
        std::cout << name << ": cannot load: " << input.report.problem << '\n';
        return;
    }
    std::ostringstream summary;
    summary << name << ": "
            << (faulty == 0 ? "no faulty lines" : Plural(faulty, "faulty line", "faulty lines"));
    int problems = Count(findings, true) - faulty;
    int notes = Count(findings, false);
    if (problems > 0)
        summary << ", " << Plural(problems, "problem", "problems");
    if (notes > 0)
        summary << ", " << Plural(notes, "note", "notes");
    summary << ", " << Plural(static_cast<long long>(hoops), "hoop", "hoops") << " loaded.";
    std::cout << summary.str() << '\n';
}

void PrintJson(const CatalogueInput& input, const std::vector<Finding>& findings, size_t hoops) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& finding : findings) {
        nlohmann::ordered_json item{
            {"line", finding.line > 0 ? nlohmann::ordered_json(finding.line) : nullptr},
            {"kind", finding.kind},
            {"severity", finding.problem ? "problem" : "note"},
            {"message", finding.message}};
        if (!finding.text.empty() || std::string(finding.kind) == "faulty-line")
            item["text"] = PrintableLine(finding.text, 1000);
        list.push_back(item);
    }
    nlohmann::ordered_json report{{"file", input.Name()},
                                  {"loaded", input.report.loaded},
                                  {"hoops", hoops},
                                  {"problems", Count(findings, true)},
                                  {"notes", Count(findings, false)},
                                  {"findings", list}};
    if (!input.report.loaded)
        report["reason"] = input.report.problem;
    std::cout << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int RunCheck(const CheckOptions& options) {
    CINIHoop catalogue;
    CatalogueInput input;
    ReadCatalogue(options.path, catalogue, input);
    Checker checker(input, options.strict);
    std::vector<Finding> findings = checker.Run(catalogue);
    size_t hoops = checker.Hoops().size();
    if (options.json)
        PrintJson(input, findings, hoops);
    else
        PrintText(input, findings, hoops);
    if (!input.report.loaded)
        return kExitFailed;
    return Count(findings, true) > 0 ? kExitFaulty : kExitOk;
}

} // namespace

void AddCheckCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand(
        "check",
        "Report faulty lines, what the reader passes over, and incomplete hoops, as FILE:LINE: MESSAGE");
    command->footer(
        "Load a catalogue and report on standard output, as FILE:LINE: MESSAGE (LINE as an editor counts "
        "it):\n"
        "  faulty lines, with the line's text, which the loader skips;\n"
        "  a last line without a line end, and a line too long to read, where the reader stops;\n"
        "  sections and keys the reader passes over: outside the catalogue schema, hoop sections numbered "
        "outside 0 to 511, mounts it does not reach, rectangles, limits and points with the wrong number of "
        "values, values of the wrong type;\n"
        "  keys given twice (the later value wins), numbers that do not read as written (a leading 0 is "
        "octal, "
        "ten digits can exceed 32 bits);\n"
        "  hoops without a sew field or outline.\n"
        "Notes, which do not fail the check: comments, text values and sections given twice (their values "
        "join); convert and the other writing commands refuse to lose comments and text values.\n"
        "--strict adds geometry: inverted rectangles, a sew field outside the inner dimension or outline, "
        "mount travel outside the outer dimension, empty and duplicate descriptions.\n"
        "--json prints {file, loaded, hoops, problems, notes, findings: [{line, kind, severity, message, "
        "text}]}; kind is one of faulty-line, unread, failure, comment, text, ignored, replaced, number, "
        "duplicate-section, duplicate-key, incomplete, geometry, description; line is null for none.\n"
        "Exit status: 0 no problems (notes allowed), 1 problems found, 2 the file could not be loaded.");
    auto options = std::make_shared<CheckOptions>();
    AddCatalogueArgument(command, options->path);
    command->add_flag("--strict", options->strict, "Check the hoops' geometry and descriptions as well");
    command->add_flag("--json", options->json, "Print the report as JSON");
    command->callback([options, &status] { status = RunCheck(*options); });
}
