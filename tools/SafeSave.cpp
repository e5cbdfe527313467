#include "SafeSave.h"

#include "Catalogue.h"
#include "HoopData.h"
#include "ToolOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
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

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions the new file gets: those of the file it replaces, or the usual ones for a new file.
mode_t TargetMode(const std::string& out) {
    struct stat status;
    if (stat(out.c_str(), &status) == 0)
        return status.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Creates an empty, uniquely named file next to `out`; answers its name, or an empty text with errno set.
std::string CreateTemporaryNextTo(const std::string& out) {
    std::string name = DirectoryOf(out) + "/." + BaseNameOf(out) + ".XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    int descriptor = mkstemp(buffer.data());
    if (descriptor < 0)
        return {};
    fchmod(descriptor, TargetMode(out));
    close(descriptor);
    return buffer.data();
}

// Answers an empty text when the saved file loads cleanly into the same hoops, else what is wrong.
std::string VerifySaved(const std::string& saved, const std::vector<HoopData>& expected) {
    CINIHoop check;
    LoadReport report = LoadCatalogue(check, saved);
    if (!report.loaded)
        return "the saved file does not load back: " + report.problem;
    if (report.HasFaults())
        return "the saved file does not load back without faults";
    std::string difference = FirstDifference(expected, ReadHoops(check));
    return difference.empty() ? std::string() : "the saved file would lose data: " + difference;
}

} // namespace

int SaveCatalogueSafely(CINIHoop& catalogue, const std::string& out) {
    if (IsBinaryCatalogueName(out)) {
        PrintError(out + ": hoop files are saved as INI text; a name ending in .inb would be read as binary");
        return kExitFailed;
    }
    std::vector<HoopData> hoops = ReadHoops(catalogue);
    std::string unsavable = UnsavableText(hoops);
    if (!unsavable.empty()) {
        PrintError(unsavable + "; " + out + " is left as it was");
        return kExitFaulty;
    }
    std::string temporary = CreateTemporaryNextTo(out);
    if (temporary.empty()) {
        PrintError("cannot write next to " + out + ": " + std::strerror(errno));
        return kExitFailed;
    }
    if (!catalogue.SaveAs(temporary.c_str())) {
        std::remove(temporary.c_str());
        PrintError("the library could not write " + temporary);
        return kExitFailed;
    }
    std::string problem = VerifySaved(temporary, hoops);
    if (!problem.empty()) {
        std::remove(temporary.c_str());
        PrintError(problem + "; " + out + " is left as it was");
        return kExitFaulty;
    }
    if (std::rename(temporary.c_str(), out.c_str()) != 0) {
        int error = errno;
        std::remove(temporary.c_str());
        PrintError("cannot replace " + out + ": " + std::strerror(error));
        return kExitFailed;
    }
    return kExitOk;
}

int SaveLoadedCatalogue(CINIHoop& catalogue, int loadStatus, bool skipFaulty, const std::string& in,
                        const std::string& out) {
    if (loadStatus == kExitFaulty && !skipFaulty) {
        PrintError("what the loader skipped in " + in +
                   " would be lost; fix the file, or pass --skip-faulty; " + out + " is left as it was");
        return kExitFaulty;
    }
    int status = SaveCatalogueSafely(catalogue, out);
    if (status != kExitOk)
        return status;
    std::cout << "wrote " << out << ": " << Plural(catalogue.GetHoopCount(), "hoop", "hoops") << '\n';
    return loadStatus;
}
