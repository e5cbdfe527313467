#include "PageFaults.h"

#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

#include "Engines.h"

namespace {

long MinorFaults() {
    struct rusage usage;
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_minflt : 0;
}

double ProbeFaults(const std::string& program, const std::string& engine, const std::string& path) {
    std::string command = "'" + program + "' --fault-probe " + engine + " '" + path + "' 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    double faults = -1;
    if (std::fscanf(child, "%lf", &faults) != 1)
        faults = -1;
    pclose(child);
    return faults;
}

void MeasureFile(const std::string& program, std::vector<FaultRow>& rows, const std::string& file,
                 const BenchFile& bench, bool catalogue) {
    if (bench.path.empty())
        return;
    for (bool hoops : {false, true}) {
        if (hoops && !catalogue)
            continue;
        const char* engine = hoops ? "catalogue" : "document";
        FaultRow row{file, engine, bench.bytes, -1, 0, -1};
        for (size_t k = 0; k < bench.aliases.size(); ++k) {
            double faults = ProbeFaults(program, engine, bench.aliases[k]);
            if (faults > row.worst) {
                row.worst = faults;
                row.worstLength = kNameLengths[k];
            }
            if (row.best < 0 || faults < row.best)
                row.best = faults;
        }
        rows.push_back(row);
    }
}

} // namespace

int RunFaultProbe(const std::string& engine, const char* path) {
    long (*load)(const char*) = engine == "catalogue" ? BrevantCatalogueLoad : BrevantDocumentLoad;
    // A path of its own on the heap, as a host holds it. Large files get fewer loads, which are long enough.
    std::string held = path;
    struct stat status;
    bool large = stat(path, &status) == 0 && status.st_size > 4000000;
    int warm = large ? 2 : 3, counted = large ? 3 : 10;
    QuietStandardError quiet;
    for (int k = 0; k < warm; ++k)
        load(held.c_str());
    long before = MinorFaults();
    for (int k = 0; k < counted; ++k)
        load(held.c_str());
    std::printf("%.1f\n", static_cast<double>(MinorFaults() - before) / counted);
    return 0;
}

std::vector<FaultRow> MeasurePageFaults(const std::string& program, const BenchInputs& inputs) {
    std::vector<FaultRow> rows;
    for (const BenchInput& input : inputs.All()) {
        MeasureFile(program, rows, input.name, input.text, input.catalogue);
        MeasureFile(program, rows, input.name + "-nopoints", input.noPoints, input.catalogue);
        MeasureFile(program, rows, input.name + ".inb", input.binary, input.catalogue);
    }
    return rows;
}
