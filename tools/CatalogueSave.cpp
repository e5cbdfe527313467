#include "CatalogueSave.h"

#include "HoopData.h"
#include "LossCheck.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>
#include <brevant/catalogue.hpp>

#include <map>
#include <vector>

namespace {

// A text the hoop file cannot hold: a line end would cut its line, and the rest would be read as a line of
// its own.
bool BreaksLine(const std::string& text) {
    return text.find_first_of("\r\n\xFF") != std::string::npos;
}

std::string UnsavableText(const std::vector<HoopData>& hoops) {
    for (size_t index = 0; index < hoops.size(); ++index) {
        const HoopData& hoop = hoops[index];
        std::string name = HoopName(static_cast<int>(index), hoop);
        if (BreaksLine(hoop.description))
            return name + ": its description holds a line break, which a hoop file cannot carry";
        if (BreaksLine(hoop.shape))
            return name + ": its shape holds a line break, which a hoop file cannot carry";
        for (size_t mount = 0; mount < hoop.mounts.size(); ++mount) {
            if (BreaksLine(hoop.mounts[mount].label))
                return name + ": the label of mount " + std::to_string(mount) +
                       " holds a line break, which a hoop file cannot carry";
        }
    }
    return {};
}

// Answers an empty text when the saved file loads cleanly into the same hoops, else what is wrong.
std::string VerifySaved(const std::string& saved, const std::vector<HoopData>& expected) {
    CINIHoop check;
    LoadReport report = LoadCatalogueBytes(check, saved, false);
    if (!report.loaded)
        return "the saved file does not load back: " + report.problem;
    if (report.HasFaults())
        return "the saved file does not load back without faults";
    std::string difference = FirstDifference(expected, ReadHoops(check));
    return difference.empty() ? std::string() : "the saved file would lose data: " + difference;
}

// The bytes the library saves for the catalogue, checked; false after the reason was printed.
bool SavedBytes(CINIHoop& catalogue, const std::string& out, std::string& bytes, int& status) {
    std::vector<HoopData> hoops = ReadHoops(catalogue);
    std::string unsavable = UnsavableText(hoops);
    if (!unsavable.empty()) {
        PrintError(out + ": not written: " + unsavable + "; take the line break out of the text");
        status = kExitFaulty;
        return false;
    }
    bytes = brevant::Catalogue::from_classic(catalogue).to_bytes();
    std::string problem = VerifySaved(bytes, hoops);
    if (!problem.empty()) {
        PrintError(out + ": not written: " + problem);
        status = kExitFaulty;
        return false;
    }
    return true;
}

} // namespace

bool ListLosses(const CatalogueInput& input, const std::string& out, bool force) {
    std::vector<Loss> losses = FindLosses(input);
    int count = 0;
    for (const Loss& loss : losses) {
        if (!LosesData(loss.kind))
            continue;
        ++count;
        std::string where = loss.line > 0 ? input.Name() + ":" + std::to_string(loss.line) : input.Name();
        PrintError(where + ": " + loss.what);
    }
    if (count == 0)
        return false;
    std::string things = Plural(count, "thing", "things");
    if (force)
        PrintError(out + ": written without the " + things + " above (--force)");
    else
        PrintError(out + ": not written: the " + things + " above would be lost; change " + input.Name() +
                   " so that the reader takes them, or pass --force to write without them");
    return true;
}

void AddSaveOptions(CLI::App& command, SaveOptions& options) {
    command.add_flag("--force", options.force,
                     "Write even though what the input holds beyond the catalogue (listed) is lost");
    command.add_flag("--skip-faulty", options.force, "The same as --force")->group("");
    std::map<std::string, LineEnds> names{{"crlf", LineEnds::CrLf}, {"lf", LineEnds::Lf}};
    command
        .add_option("--line-ends", options.lineEnds,
                    "Line ends of the written file: crlf (as the library writes) or lf (for version control)")
        ->transform(CLI::CheckedTransformer(names, CLI::ignore_case));
    command.add_flag_callback(
        "--lf", [&options] { options.lineEnds = LineEnds::Lf; }, "The same as --line-ends lf");
}

int SaveCatalogue(CINIHoop& catalogue, const CatalogueInput* input, const SaveOptions& options,
                  int loadStatus) {
    const std::string& out = options.out;
    if (out != "-" && IsBinaryCatalogueName(out)) {
        PrintError(out +
                   ": not written: hoop files are saved as INI text, and a name ending in .inb would be "
                   "read as binary; choose a name ending in .ini");
        return kExitFailed;
    }
    if (input != nullptr &&
        ListLosses(*input, options.out == "-" ? "<stdout>" : options.out, options.force) && !options.force)
        return kExitFaulty;
    std::string bytes;
    int status = kExitOk;
    if (!SavedBytes(catalogue, out, bytes, status))
        return status;
    if (options.lineEnds == LineEnds::Lf)
        bytes = ToLfLineEnds(bytes);
    std::string problem = WriteOutput(out, bytes);
    if (!problem.empty()) {
        PrintError(problem);
        return kExitFailed;
    }
    if (out != "-")
        std::cout << "wrote " << out << ": " << Plural(catalogue.GetHoopCount(), "hoop", "hoops") << '\n';
    return loadStatus == kExitFaulty ? kExitFaulty : kExitOk;
}

bool ReportLosses(const CatalogueInput& input, const SaveOptions& options) {
    return ListLosses(input, options.out == "-" ? "<stdout>" : options.out, options.force);
}

std::string ToLfLineEnds(const std::string& bytes) {
    std::string lf;
    lf.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
            continue;
        lf += bytes[at];
    }
    return lf;
}
