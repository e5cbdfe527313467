#include "Editing.h"

#include "Catalogue.h"
#include "ToolOutput.h"

void AddWriteOptions(CLI::App& command, WriteOptions& options, bool outputRequired) {
    auto* output = command.add_option("-o,--output", options.out,
                                      outputRequired ? "INI text file to write"
                                                     : "INI text file to write (FILE itself when left out)");
    if (outputRequired)
        output->required();
    AddSaveOptions(command, options);
}

int OpenForEdit(CINIHoop& catalogue, CatalogueInput& input, const std::string& path, int hoop) {
    int status = OpenInput(path, catalogue, input);
    if (status == kExitFailed || hoop < catalogue.GetHoopCount())
        return status;
    int count = catalogue.GetHoopCount();
    std::string range = count == 0 ? "it has no hoops" : "its hoops are 0 to " + std::to_string(count - 1);
    PrintError("hoop " + std::to_string(hoop) + " does not exist in " + path + "; " + range);
    return kExitFailed;
}

int CheckMount(CINIHoop& catalogue, const std::string& path, int hoop, int mount) {
    int count = catalogue.GetHoopMountCount(hoop);
    if (mount >= 0 && mount < count)
        return kExitOk;
    std::string range = count == 0 ? "it has no mounts" : "its mounts are 0 to " + std::to_string(count - 1);
    PrintError("mount " + std::to_string(mount) + " of hoop " + std::to_string(hoop) + " does not exist in " +
               path + "; " + range);
    return kExitFailed;
}

int SaveEdited(CINIHoop& catalogue, const CatalogueInput& input, int loadStatus,
               const WriteOptions& options) {
    if (!options.out.empty())
        return SaveCatalogue(catalogue, &input, options, loadStatus);
    WriteOptions inPlace = options;
    inPlace.out = input.path;
    return SaveCatalogue(catalogue, &input, inPlace, loadStatus);
}

int EditFile(const std::string& path, int hoop, const WriteOptions& options,
             const std::function<int(CINIHoop&)>& edit) {
    CINIHoop catalogue;
    CatalogueInput input;
    int status = OpenForEdit(catalogue, input, path, hoop);
    if (status == kExitFailed)
        return status;
    int edited = edit(catalogue);
    if (edited != kExitOk)
        return edited;
    return SaveEdited(catalogue, input, status, options);
}
