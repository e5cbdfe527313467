#include "Editing.h"

#include "Catalogue.h"
#include "SafeSave.h"
#include "ToolOutput.h"

void AddWriteOptions(CLI::App& command, WriteOptions& options, bool outputRequired) {
    auto* output = command.add_option("-o,--output", options.out,
                                      outputRequired ? "INI text file to write"
                                                     : "INI text file to write (FILE itself when left out)");
    if (outputRequired)
        output->required();
    command.add_flag("--skip-faulty", options.skipFaulty,
                     "Save even when the loader skipped faulty lines of the input (they are lost)");
}

int OpenForEdit(CINIHoop& catalogue, const std::string& path, int hoop) {
    int status = OpenCatalogue(catalogue, path);
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

int SaveEdited(CINIHoop& catalogue, int loadStatus, const std::string& in, const WriteOptions& options) {
    const std::string& out = options.out.empty() ? in : options.out;
    return SaveLoadedCatalogue(catalogue, loadStatus, options.skipFaulty, in, out);
}
