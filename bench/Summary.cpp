#include "Summary.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sched.h>

const char* const kDocumentLoad = "CINIFile::Load";
const char* const kCatalogueLoad = "CINIHoop::Load";
const char* const kInih = "inih map";
const char* const kSimpleIni = "SimpleIni";
const char* const kFloor = "floor";
const char* const kCatalogueSave = "CINIHoop::SaveAs";
const char* const kWrite = "one fwrite";

std::string BenchName(const std::string& engine, const std::string& file) {
    return engine + "/" + file;
}

std::string BenchName(const std::string& engine, const std::string& file, int nameLength) {
    return BenchName(engine, file) + "@" + std::to_string(nameLength);
}

void Timings::Record(const std::string& name, double seconds) {
    seconds_[name].push_back(seconds);
}

double Timings::Seconds(const std::string& name) const {
    auto found = seconds_.find(name);
    if (found == seconds_.end() || found->second.empty())
        return NAN;
    std::vector<double> sorted = found->second;
    std::sort(sorted.begin(), sorted.end());
    size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Timings::Worst(const std::string& engine, const std::string& file, int* nameLength) const {
    double worst = NAN;
    for (int length : kNameLengths) {
        double seconds = Seconds(BenchName(engine, file, length));
        if (!std::isnan(seconds) && !(seconds <= worst)) {
            worst = seconds;
            if (nameLength)
                *nameLength = length;
        }
    }
    return std::isnan(worst) ? Seconds(BenchName(engine, file)) : worst;
}

std::vector<double> Timings::ByName(const std::string& engine, const std::string& file) const {
    std::vector<double> times;
    for (int length : kNameLengths) {
        double seconds = Seconds(BenchName(engine, file, length));
        if (!std::isnan(seconds))
            times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    return times;
}

double Timings::MedianName(const std::string& engine, const std::string& file) const {
    std::vector<double> times = ByName(engine, file);
    if (times.empty())
        return Seconds(BenchName(engine, file));
    size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

double Timings::Best(const std::string& engine, const std::string& file) const {
    std::vector<double> times = ByName(engine, file);
    return times.empty() ? Seconds(BenchName(engine, file)) : times.front();
}

void CollectingReporter::ReportRuns(const std::vector<Run>& reports) {
    for (const Run& run : reports)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
            timings_.Record(run.run_name.function_name,
                            run.cpu_accumulated_time / static_cast<double>(run.iterations));
    ConsoleReporter::ReportRuns(reports);
}

namespace {

const double kMegabyte = 1e6;

std::string Grouped(long long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string grouped;
    for (size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0)
            grouped += ',';
        grouped += digits[k];
    }
    return value < 0 ? "-" + grouped : grouped;
}

std::string Number(double value, const char* format) {
    if (std::isnan(value) || std::isinf(value))
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Milliseconds(double seconds) {
    return Number(seconds * 1000.0, seconds < 0.01 ? "%.3f" : seconds < 1.0 ? "%.2f" : "%.0f");
}

std::string Rate(size_t bytes, double seconds) {
    return Number(static_cast<double>(bytes) / kMegabyte / seconds, "%.1f");
}

std::string CpuModel() {
    FILE* info = std::fopen("/proc/cpuinfo", "r");
    std::string model = "unknown CPU";
    if (!info)
        return model;
    char line[512];
    while (std::fgets(line, sizeof line, info))
        if (std::strncmp(line, "model name", 10) == 0 && std::strchr(line, ':')) {
            model = std::strchr(line, ':') + 2;
            model.erase(model.find_last_not_of("\r\n") + 1);
            break;
        }
    std::fclose(info);
    return model;
}

int UsableCores() {
    cpu_set_t set;
    return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
}

bool IsBrevant(const std::string& engine) {
    return engine == kDocumentLoad || engine == kCatalogueLoad;
}

void PrintLoadRow(FILE* out, const std::string& file, size_t bytes, const std::string& engine, double seconds,
                  double median, double best, double document, double catalogue) {
    std::fprintf(out, "%-22s %12s  %-16s %10s %9s %11s %10s %11s %11s\n", file.c_str(),
                 file.empty() ? "" : Grouped(bytes).c_str(), engine.c_str(), Milliseconds(seconds).c_str(),
                 Rate(bytes, seconds).c_str(), std::isnan(median) ? "" : Milliseconds(median).c_str(),
                 std::isnan(best) ? "" : Milliseconds(best).c_str(),
                 Number(document / seconds, "%.2f").c_str(), Number(catalogue / seconds, "%.2f").c_str());
}

void PrintLoadsOfFile(FILE* out, const Timings& timings, const BenchInput& input, const std::string& file,
                      size_t bytes) {
    double document = timings.Worst(kDocumentLoad, file);
    double catalogue = input.catalogue ? timings.Worst(kCatalogueLoad, file) : NAN;
    std::string label = file;
    for (const char* engine : {kDocumentLoad, kCatalogueLoad, kInih, kSimpleIni, kFloor}) {
        bool brevant = IsBrevant(engine);
        double seconds = brevant ? timings.Worst(engine, file) : timings.Seconds(BenchName(engine, file));
        if (std::isnan(seconds))
            continue;
        double median = brevant ? timings.MedianName(engine, file) : NAN;
        double best = brevant ? timings.Best(engine, file) : NAN;
        PrintLoadRow(out, label, bytes, engine, seconds, median, best, document, catalogue);
        label.clear();
    }
}

void PrintLoads(FILE* out, const SummaryData& data) {
    std::fprintf(
        out, "\nLoads (median time per load with teardown; Brevant's at the worst of its file names, "
             "with the median and the best over the names beside it; ratio = Brevant's time / the engine's "
             "time on the same file)\n");
    std::fprintf(out, "%-22s %12s  %-16s %10s %9s %11s %10s %11s %11s\n", "file", "bytes", "engine",
                 "ms/load", "MB/s", "median name", "best name", "CINIFile/x", "CINIHoop/x");
    for (const BenchInput& input : data.inputs.All()) {
        PrintLoadsOfFile(out, data.timings, input, input.name, input.text.bytes);
        if (!input.noPoints.path.empty())
            PrintLoadsOfFile(out, data.timings, input, input.name + "-nopoints", input.noPoints.bytes);
    }
}

void PrintBinaryAndSave(FILE* out, const SummaryData& data) {
    std::fprintf(out, "\nBinary form and writing\n%-40s %12s %10s %9s  %s\n", "operation", "bytes", "ms",
                 "MB/s", "ratio");
    for (const BenchInput& input : data.inputs.All()) {
        if (input.binary.path.empty())
            continue;
        const Timings& t = data.timings;
        std::string inb = input.name + ".inb";
        double save = t.Seconds(BenchName(kCatalogueSave, input.name));
        double write = t.Seconds(BenchName(kWrite, input.name));
        struct Row {
            std::string what;
            size_t bytes;
            double seconds;
            std::string ratio;
        } rows[] = {
            {"CINIFile::Load " + inb, input.binary.bytes, t.Worst(kDocumentLoad, inb),
             "text load / this " +
                 Number(t.Worst(kDocumentLoad, input.name) / t.Worst(kDocumentLoad, inb), "%.2f")},
            {"CINIHoop::Load " + inb, input.binary.bytes, t.Worst(kCatalogueLoad, inb),
             "text load / this " +
                 Number(t.Worst(kCatalogueLoad, input.name) / t.Worst(kCatalogueLoad, inb), "%.2f")},
            {"CINIHoop::SaveAs " + input.name, input.text.bytes, save,
             "this / one fwrite " + Number(save / write, "%.2f")},
            {"one fwrite of the same bytes", input.text.bytes, write, ""},
        };
        for (const Row& row : rows)
            std::fprintf(out, "%-40s %12s %10s %9s  %s\n", row.what.c_str(), Grouped(row.bytes).c_str(),
                         Milliseconds(row.seconds).c_str(), Rate(row.bytes, row.seconds).c_str(),
                         row.ratio.c_str());
    }
}

const char* EngineLabel(const std::string& engine) {
    if (engine == "document")
        return "CINIFile document";
    if (engine == "catalogue")
        return "CINIHoop catalogue";
    if (engine == "inih")
        return "inih map";
    return "SimpleIni";
}

double Ratio(long long part, size_t whole) {
    return part < 0 || whole == 0 ? NAN : static_cast<double>(part) / static_cast<double>(whole);
}

void PrintMemory(FILE* out, const SummaryData& data) {
    std::fprintf(out, "\nMemory above the process baseline (fresh process per load; x = per byte of the "
                      "file; kept = freed blocks Brevant keeps for the next load, not in heap held)\n");
    std::fprintf(out, "%-22s %-20s %12s %12s %6s %12s %6s %12s\n", "file", "held by", "file bytes",
                 "heap held", "x", "peak RSS", "x", "kept");
    std::string last;
    for (const MemoryRow& row : data.memory) {
        std::string label = row.input == last ? "" : row.input;
        last = row.input;
        std::fprintf(out, "%-22s %-20s %12s %12s %6s %12s %6s %12s\n", label.c_str(), EngineLabel(row.engine),
                     Grouped(static_cast<long long>(row.fileBytes)).c_str(),
                     row.figures.heapBytes < 0 ? "-" : Grouped(row.figures.heapBytes).c_str(),
                     Number(Ratio(row.figures.heapBytes, row.fileBytes), "%.2f").c_str(),
                     row.figures.peakBytes < 0 ? "-" : Grouped(row.figures.peakBytes).c_str(),
                     Number(Ratio(row.figures.peakBytes, row.fileBytes), "%.2f").c_str(),
                     row.figures.keptBytes < 0 ? "-" : Grouped(row.figures.keptBytes).c_str());
    }
}

const MemoryRow* FindMemory(const SummaryData& data, const std::string& input, const std::string& engine) {
    for (const MemoryRow& row : data.memory)
        if (row.input == input && row.engine == engine)
            return &row;
    return nullptr;
}

// The largest relative distance of the points from their least-squares straight line.
double LineDeviation(const std::vector<double>& x, const std::vector<double>& y) {
    size_t n = x.size();
    if (n < 3 || std::any_of(y.begin(), y.end(), [](double v) { return std::isnan(v); }))
        return NAN;
    double meanX = 0, meanY = 0;
    for (size_t k = 0; k < n; ++k) {
        meanX += x[k] / n;
        meanY += y[k] / n;
    }
    double sxy = 0, sxx = 0;
    for (size_t k = 0; k < n; ++k) {
        sxy += (x[k] - meanX) * (y[k] - meanY);
        sxx += (x[k] - meanX) * (x[k] - meanX);
    }
    if (sxx == 0)
        return NAN;
    double slope = sxy / sxx, intercept = meanY - slope * meanX, worst = 0;
    for (size_t k = 0; k < n; ++k) {
        double fit = intercept + slope * x[k];
        worst = std::max(worst, std::fabs(y[k] - fit) / fit);
    }
    return worst;
}

struct Target {
    std::string what;
    double figure;
    double limit;
    bool atMost; // the figure must be at most the limit (else at least)
    const char* format;
};

// A target with a NaN limit is a figure given for reference only.
void PrintTarget(FILE* out, const Target& target) {
    bool reference = std::isnan(target.limit);
    bool met = target.atMost ? target.figure <= target.limit : target.figure >= target.limit;
    const char* verdict = std::isnan(target.figure) ? "no data"
                          : reference               ? "(reference)"
                          : met                     ? "met"
                                                    : "NOT MET";
    std::string limit =
        reference ? "" : (target.atMost ? "<= " : ">= ") + Number(target.limit, target.format);
    std::fprintf(out, "%-72s %9s %9s  %s\n", target.what.c_str(),
                 Number(target.figure, target.format).c_str(), limit.c_str(), verdict);
}

void PrintFaults(FILE* out, const SummaryData& data) {
    std::fprintf(out,
                 "\nPage faults per load in a steady state (the same file loaded and freed again and again "
                 "in a fresh process per file name; worst and best over the names)\n");
    std::fprintf(out, "%-22s %-20s %12s %10s %12s %10s\n", "file", "load", "file bytes", "worst",
                 "worst name", "best");
    std::string last;
    for (const FaultRow& row : data.faults) {
        std::string label = row.file == last ? "" : row.file;
        last = row.file;
        std::fprintf(out, "%-22s %-20s %12s %10.1f %12d %10.1f\n", label.c_str(), EngineLabel(row.engine),
                     Grouped(static_cast<long long>(row.fileBytes)).c_str(), row.worst, row.worstLength,
                     row.best);
    }
}

// The most page faults per load over the catalogue files (every name, text and binary form).
double WorstCatalogueFaults(const SummaryData& data, const std::string& engine) {
    double worst = NAN;
    for (const FaultRow& row : data.faults) {
        const BenchInput* input = data.inputs.Find(row.file.substr(0, row.file.find_first_of("-.")));
        if (input && input->catalogue && row.engine == engine && !(row.worst <= worst))
            worst = row.worst;
    }
    return worst;
}

void PrintTargets(FILE* out, const SummaryData& data) {
    const Timings& t = data.timings;
    std::fprintf(out,
                 "\nTargets (Brevant's loads at the worst of their file names; inih is judged on the files "
                 "without points lines, where it does all the work)\n");
    std::fprintf(out, "%-72s %9s %9s  %s\n", "check", "figure", "limit", "result");
    if (const BenchInput* largest = data.inputs.Find("largest")) {
        double catalogue = t.Worst(kCatalogueLoad, "largest");
        PrintTarget(out, {"CINIHoop::Load largest / inih map of largest-nopoints",
                          catalogue / t.Seconds(BenchName(kInih, "largest-nopoints")), 0.5, true, "%.2f"});
        double floor = t.Seconds(BenchName(kFloor, "largest"));
        PrintTarget(out, {"CINIHoop::Load largest / floor (fread + memchr) of largest", catalogue / floor,
                          5.0, true, "%.2f"});
        PrintTarget(out, {"  same, at the median of the names",
                          t.MedianName(kCatalogueLoad, "largest") / floor, NAN, true, "%.2f"});
        PrintTarget(
            out, {"CINIHoop::SaveAs largest / one fwrite of the same bytes",
                  t.Seconds(BenchName(kCatalogueSave, "largest")) / t.Seconds(BenchName(kWrite, "largest")),
                  3.0, true, "%.2f"});
        const MemoryRow* held = FindMemory(data, "largest", "catalogue");
        PrintTarget(out,
                    {"loaded catalogue heap / its saved file size (largest)",
                     held ? Ratio(held->figures.heapBytes, largest->text.bytes) : NAN, 1.5, true, "%.2f"});
        const MemoryRow* peak = FindMemory(data, "largest-nopoints", "catalogue");
        PrintTarget(out, {"CINIHoop::Load peak RSS above baseline / file size (largest-nopoints)",
                          peak ? Ratio(peak->figures.peakBytes, largest->noPoints.bytes) : NAN, 3.0, true,
                          "%.2f"});
        PrintTarget(out, {"page faults per CINIHoop::Load, steady state, worst file and name (catalogues)",
                          WorstCatalogueFaults(data, "catalogue"), 5.0, true, "%.1f"});
        PrintTarget(out, {"page faults per CINIFile::Load, steady state, worst file and name (catalogues)",
                          WorstCatalogueFaults(data, "document"), 5.0, true, "%.1f"});
    }
    for (const BenchInput& input : data.inputs.All()) {
        if (input.name.compare(0, 5, "tiny-") != 0)
            continue;
        const MemoryRow* tiny = FindMemory(data, input.name, "document");
        PrintTarget(out, {"loaded document peak RSS above baseline / file size (" + input.name + ")",
                          tiny ? Ratio(tiny->figures.peakBytes, input.text.bytes) : NAN, 4.0, true, "%.2f"});
        PrintTarget(out, {"  same, heap held", tiny ? Ratio(tiny->figures.heapBytes, input.text.bytes) : NAN,
                          4.0, true, "%.2f"});
    }
    const BenchInput* plain = data.inputs.Find("names-plain");
    if (plain && data.inputs.Find("names-colliding"))
        PrintTarget(out, {"CINIFile::Load names-colliding / names-plain (" + std::to_string(plain->sections) +
                              " sections)",
                          t.Worst(kDocumentLoad, "names-colliding") / t.Worst(kDocumentLoad, "names-plain"),
                          1.5, true, "%.2f"});
    std::vector<const BenchInput*> generic = data.inputs.Generic();
    if (generic.empty())
        return;
    std::vector<double> x, y;
    std::string sizes;
    for (const BenchInput* input : generic) {
        x.push_back(static_cast<double>(input->text.bytes));
        y.push_back(t.Worst(kDocumentLoad, input->name));
        sizes += (sizes.empty() ? "" : ", ") + input->name.substr(8);
    }
    PrintTarget(out, {"CINIFile::Load " + sizes + ": worst distance from a straight line (%)",
                      100.0 * LineDeviation(x, y), 10.0, true, "%.1f"});
    const BenchInput* biggest = generic.back();
    std::string bare = biggest->name + "-nopoints";
    double brevantRate = biggest->text.bytes / t.Worst(kDocumentLoad, biggest->name);
    double inihRate = biggest->noPoints.bytes / t.Seconds(BenchName(kInih, bare));
    PrintTarget(out, {"CINIFile::Load MB/s on " + biggest->name + " / inih MB/s on " + bare,
                      brevantRate / inihRate, 1.0, false, "%.2f"});
    const MemoryRow* peak = FindMemory(data, biggest->name, "document");
    PrintTarget(out, {"loaded document peak RSS above baseline / file size (" + biggest->name + ")",
                      peak ? Ratio(peak->figures.peakBytes, biggest->text.bytes) : NAN, 3.0, true, "%.2f"});
    double inihAsIs = biggest->text.bytes / t.Seconds(BenchName(kInih, biggest->name));
    PrintTarget(out, {"  same, inih on " + biggest->name + " as is (it skips the points lines)",
                      brevantRate / inihAsIs, NAN, false, "%.2f"});
    double brevantBare = biggest->noPoints.bytes / t.Worst(kDocumentLoad, bare);
    PrintTarget(out, {"  same, both on " + bare, brevantBare / inihRate, NAN, false, "%.2f"});
    if (data.inputs.Find("largest"))
        PrintTarget(out, {"  CINIHoop::Load largest / inih map of largest as is",
                          t.Worst(kCatalogueLoad, "largest") / t.Seconds(BenchName(kInih, "largest")), NAN,
                          true, "%.2f"});
}

} // namespace

void PrintSummary(FILE* out, const SummaryData& data) {
    std::fprintf(out, "\n==== Brevant side by side ====\nmachine: %d cores (nproc), %s\n", UsableCores(),
                 CpuModel().c_str());
    std::fprintf(out,
                 "times: CPU time, median of the repetitions (the files sit in the page cache); stderr to "
                 "/dev/null while timing; MB = 1,000,000 bytes\n");
    PrintLoads(out, data);
    PrintBinaryAndSave(out, data);
    PrintMemory(out, data);
    PrintFaults(out, data);
    PrintTargets(out, data);
    std::fflush(out);
}
