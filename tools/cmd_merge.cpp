// brevant merge A B -o OUT: the hoops of A followed by the hoops of B, copied by the library.
#include "CatalogueSave.h"
#include "Commands.h"
#include "DecimalArgument.h"
#include "Editing.h"
#include "HoopData.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <memory>

namespace {

struct MergeOptions {
    std::string first;
    std::string second;
    std::vector<int> take;
    WriteOptions write;
};

int RunMerge(const MergeOptions& options) {
    CINIHoop catalogue;
    CatalogueInput input;
    int status = OpenForEdit(catalogue, input, options.first, -1);
    if (status == kExitFailed)
        return status;
    CINIHoop other;
    CatalogueInput otherInput;
    int otherStatus = OpenForEdit(other, otherInput, options.second, -1);
    if (otherStatus == kExitFailed)
        return otherStatus;
    std::vector<int> take = options.take;
    if (take.empty()) {
        for (int index = 0; index < other.GetHoopCount(); ++index)
            take.push_back(index);
    }
    std::vector<HoopData> hoops = ReadHoops(other);
    std::vector<HoopData> expected = ReadHoops(catalogue);
    for (int index : take) {
        if (index >= other.GetHoopCount()) {
            PrintError("hoop " + std::to_string(index) + " does not exist in " + options.second +
                       "; nothing was written");
            return kExitFailed;
        }
        if (!catalogue.AppendHoop(&other, index)) {
            PrintError("the library could not copy hoop " + std::to_string(index) + " of " + options.second +
                       "; nothing was written");
            return kExitFailed;
        }
        expected.push_back(hoops[index]);
    }
    std::string difference = FirstDifference(expected, ReadHoops(catalogue));
    if (!difference.empty()) {
        PrintError("the library's copy differs: " + difference + "; nothing was written");
        return kExitFailed;
    }
    if (ReportLosses(otherInput, options.write) && !options.write.force)
        return kExitFaulty;
    int saved = SaveEdited(catalogue, input, status, options.write);
    return saved == kExitOk && otherStatus == kExitFaulty ? kExitFaulty : saved;
}

} // namespace

void AddMergeCommand(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("merge", "Join two catalogues: the hoops of A, then those of B");
    command->footer("Write to OUT the hoops of A followed by the hoops of B (or only the hoops of B named "
                    "with --hoop, in that order), each copied by the library. OUT is written as convert "
                    "writes: never when A or B holds something the catalogue does not carry (unless "
                    "--force), and only once it reads back the same.");
    auto options = std::make_shared<MergeOptions>();
    command->add_option("A", options->first, "Catalogue whose hoops come first")->required();
    command->add_option("B", options->second, "Catalogue whose hoops are appended")->required();
    command->add_option("--hoop", options->take, "Take only this hoop of B (index from 0; may be repeated)")
        ->transform(DecimalInteger())
        ->check(CLI::Range(0, INT_MAX));
    AddWriteOptions(*command, options->write, true);
    command->callback([options, &status] { status = RunMerge(*options); });
}
