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

void Timings::Record(const std::string& name, double seconds) {
    auto found = seconds_.find(name);
    if (found == seconds_.end() || seconds < found->second)
        seconds_[name] = seconds;
}

double Timings::Seconds(const std::string& name) const {
    auto found = seconds_.find(name);
    return found == seconds_.end() ? NAN : found->second;
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

void PrintLoadRow(FILE* out, const std::string& file, size_t bytes, const std::string& engine, double seconds,
                  double document, double catalogue) {
    std::fprintf(out, "%-22s %12s  %-16s %10s %9s %11s %11s\n", file.c_str(),
                 file.empty() ? "" : Grouped(bytes).c_str(), engine.c_str(), Milliseconds(seconds).c_str(),
                 Rate(bytes, seconds).c_str(), Number(document / seconds, "%.2f").c_str(),
                 Number(catalogue / seconds, "%.2f").c_str());
}

void PrintLoadsOfFile(FILE* out, const Timings& timings, const BenchInput& input, const std::string& file,
                      size_t bytes) {
    double document = timings.Seconds(BenchName(kDocumentLoad, file));
    double catalogue = input.catalogue ? timings.Seconds(BenchName(kCatalogueLoad, file)) : NAN;
    std::string label = file;
    for (const char* engine : {kDocumentLoad, kCatalogueLoad, kInih, kSimpleIni, kFloor}) {
        double seconds = timings.Seconds(BenchName(engine, file));
        if (std::isnan(seconds))
            continue;
        PrintLoadRow(out, label, bytes, engine, seconds, document, catalogue);
        label.clear();
    }
}

void PrintLoads(FILE* out, const SummaryData& data) {
    std::fprintf(
        out, "\nLoads (time per load with teardown; ratio = Brevant's time / the engine's time on the same "
             "file)\n");
    std::fprintf(out, "%-22s %12s  %-16s %10s %9s %11s %11s\n", "file", "bytes", "engine", "ms/load", "MB/s",
                 "CINIFile/x", "CINIHoop/x");
    for (const BenchInput& input : data.inputs.All()) {
        PrintLoadsOfFile(out, data.timings, input, input.name, input.text.bytes);
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
            {"CINIFile::Load " + inb, input.binary.bytes, t.Seconds(BenchName(kDocumentLoad, inb)),
             "text load / this " + Number(t.Seconds(BenchName(kDocumentLoad, input.name)) /
                                              t.Seconds(BenchName(kDocumentLoad, inb)),
                                          "%.2f")},
            {"CINIHoop::Load " + inb, input.binary.bytes, t.Seconds(BenchName(kCatalogueLoad, inb)),
             "text load / this " + Number(t.Seconds(BenchName(kCatalogueLoad, input.name)) /
                                              t.Seconds(BenchName(kCatalogueLoad, inb)),
                                          "%.2f")},
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
    std::fprintf(out,
                 "\nMemory above the process baseline (fresh process per load; x = per byte of the file)\n");
    std::fprintf(out, "%-22s %-20s %12s %12s %6s %12s %6s\n", "file", "held by", "file bytes", "heap held",
                 "x", "peak RSS", "x");
    std::string last;
    for (const MemoryRow& row : data.memory) {
        std::string label = row.input == last ? "" : row.input;
        last = row.input;
        std::fprintf(out, "%-22s %-20s %12s %12s %6s %12s %6s\n", label.c_str(), EngineLabel(row.engine),
                     Grouped(static_cast<long long>(row.fileBytes)).c_str(),
                     row.figures.heapBytes < 0 ? "-" : Grouped(row.figures.heapBytes).c_str(),
                     Number(Ratio(row.figures.heapBytes, row.fileBytes), "%.2f").c_str(),
                     row.figures.peakBytes < 0 ? "-" : Grouped(row.figures.peakBytes).c_str(),
                     Number(Ratio(row.figures.peakBytes, row.fileBytes), "%.2f").c_str());
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

void PrintTargets(FILE* out, const SummaryData& data) {
    const Timings& t = data.timings;
    std::fprintf(
        out, "\nTargets (inih is judged on the files without points lines, where it does all the work)\n");
    std::fprintf(out, "%-72s %9s %9s  %s\n", "check", "figure", "limit", "result");
    if (const BenchInput* largest = data.inputs.Find("largest")) {
        double catalogue = t.Seconds(BenchName(kCatalogueLoad, "largest"));
        PrintTarget(out, {"CINIHoop::Load largest / inih map of largest-nopoints",
                          catalogue / t.Seconds(BenchName(kInih, "largest-nopoints")), 0.5, true, "%.2f"});
        PrintTarget(out, {"CINIHoop::Load largest / floor (fread + memchr) of largest",
                          catalogue / t.Seconds(BenchName(kFloor, "largest")), 10.0, true, "%.2f"});
        PrintTarget(
            out, {"CINIHoop::SaveAs largest / one fwrite of the same bytes",
                  t.Seconds(BenchName(kCatalogueSave, "largest")) / t.Seconds(BenchName(kWrite, "largest")),
                  3.0, true, "%.2f"});
        const MemoryRow* held = FindMemory(data, "largest", "catalogue");
        PrintTarget(out,
                    {"loaded catalogue heap / its saved file size (largest)",
                     held ? Ratio(held->figures.heapBytes, largest->text.bytes) : NAN, 1.5, true, "%.2f"});
    }
    std::vector<const BenchInput*> generic = data.inputs.Generic();
    if (generic.empty())
        return;
    std::vector<double> x, y;
    std::string sizes;
    for (const BenchInput* input : generic) {
        x.push_back(static_cast<double>(input->text.bytes));
        y.push_back(t.Seconds(BenchName(kDocumentLoad, input->name)));
        sizes += (sizes.empty() ? "" : ", ") + input->name.substr(8);
    }
    PrintTarget(out, {"CINIFile::Load " + sizes + ": worst distance from a straight line (%)",
                      100.0 * LineDeviation(x, y), 10.0, true, "%.1f"});
    const BenchInput* biggest = generic.back();
    std::string bare = biggest->name + "-nopoints";
    double brevantRate = biggest->text.bytes / t.Seconds(BenchName(kDocumentLoad, biggest->name));
    double inihRate = biggest->noPoints.bytes / t.Seconds(BenchName(kInih, bare));
    PrintTarget(out, {"CINIFile::Load MB/s on " + biggest->name + " / inih MB/s on " + bare,
                      brevantRate / inihRate, 1.0, false, "%.2f"});
    const MemoryRow* peak = FindMemory(data, biggest->name, "document");
    PrintTarget(out, {"loaded document peak RSS above baseline / file size (" + biggest->name + ")",
                      peak ? Ratio(peak->figures.peakBytes, biggest->text.bytes) : NAN, 3.0, true, "%.2f"});
    double inihAsIs = biggest->text.bytes / t.Seconds(BenchName(kInih, biggest->name));
    PrintTarget(out, {"  same, inih on " + biggest->name + " as is (it skips the points lines)",
                      brevantRate / inihAsIs, NAN, false, "%.2f"});
    double brevantBare = biggest->noPoints.bytes / t.Seconds(BenchName(kDocumentLoad, bare));
    PrintTarget(out, {"  same, both on " + bare, brevantBare / inihRate, NAN, false, "%.2f"});
    if (data.inputs.Find("largest"))
        PrintTarget(out,
                    {"  CINIHoop::Load largest / inih map of largest as is",
                     t.Seconds(BenchName(kCatalogueLoad, "largest")) / t.Seconds(BenchName(kInih, "largest")),
                     NAN, true, "%.2f"});
}

} // namespace

void PrintSummary(FILE* out, const SummaryData& data) {
    std::fprintf(out, "\n==== Brevant side by side ====\nmachine: %d cores (nproc), %s\n", UsableCores(),
                 CpuModel().c_str());
    std::fprintf(out,
                 "times: CPU time of the fastest repetition (the files sit in the page cache); stderr to "
                 "/dev/null while timing; MB = 1,000,000 bytes\n");
    PrintLoads(out, data);
    PrintBinaryAndSave(out, data);
    PrintMemory(out, data);
    PrintTargets(out, data);
    std::fflush(out);
}
