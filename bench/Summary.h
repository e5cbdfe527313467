// Collects the benchmark results and prints the compact side-by-side table with the target checks.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "MemoryProbe.h"
#include "PageFaults.h"

// Engine names, as the benchmarks are registered: ENGINE "/" FILE, FILE being an input's name with
// "-nopoints" or ".inb" appended for its variants.
extern const char* const kDocumentLoad;  // CINIFile::Load
extern const char* const kCatalogueLoad; // CINIHoop::Load
extern const char* const kInih;          // inih building its map
extern const char* const kSimpleIni;     // SimpleIni LoadFile
extern const char* const kFloor;         // fread and memchr
extern const char* const kCatalogueSave; // CINIHoop::SaveAs
extern const char* const kWrite;         // one fwrite of the same bytes
std::string BenchName(const std::string& engine, const std::string& file);
// The name of a Brevant load of FILE under its name of `nameLength` characters: ENGINE "/" FILE "@" LENGTH.
std::string BenchName(const std::string& engine, const std::string& file, int nameLength);

// The CPU time per iteration of each benchmark, in seconds: the median of its repetitions.
class Timings {
  public:
    void Record(const std::string& name, double seconds);
    // NaN when the benchmark did not run.
    double Seconds(const std::string& name) const;
    // A Brevant load over the names of its file: the time under the slowest, the middle and the fastest
    // name, and the length of the slowest.
    double Worst(const std::string& engine, const std::string& file, int* nameLength = nullptr) const;
    double MedianName(const std::string& engine, const std::string& file) const;
    double Best(const std::string& engine, const std::string& file) const;

  private:
    // The times of a load under each name, fastest first; empty for a file without names.
    std::vector<double> ByName(const std::string& engine, const std::string& file) const;

    std::map<std::string, std::vector<double>> seconds_;
};

// The console reporter, also recording every run into the timings.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    explicit CollectingReporter(Timings& timings) : timings_(timings) {}
    void ReportRuns(const std::vector<Run>& reports) override;

  private:
    Timings& timings_;
};

struct MemoryRow {
    std::string input;
    std::string engine; // document, catalogue, inih, simpleini
    size_t fileBytes;
    MemoryFigures figures;
};

struct SummaryData {
    const BenchInputs& inputs;
    const Timings& timings;
    std::vector<MemoryRow> memory;
    std::vector<FaultRow> faults;
};

void PrintSummary(FILE* out, const SummaryData& data);
