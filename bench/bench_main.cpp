// brevant_bench: times Brevant's loads and saves side by side with inih, SimpleIni and a plain read of the
// same files, measures the memory that a loaded document and a loaded catalogue hold, and ends with a compact
// table of the figures and the target checks. Brevant's loads run under file names of several lengths and
// count at their worst name; every time is the median of the repetitions.
//
//   brevant_bench [--quick] [Google Benchmark flags, e.g. --benchmark_repetitions=3]
//   brevant_bench --memory-probe ENGINE FILE    one load in this fresh process, then its memory figures
//   brevant_bench --fault-probe ENGINE FILE     loads in this fresh process, then page faults per load
//   brevant_bench --repeat ENGINE FILE COUNT    COUNT loads and nothing else, for perf and callgrind
//
// ENGINE is document (CINIFile::Load), catalogue (CINIHoop::Load), inih, simpleini or floor; --repeat also
// takes save: one CINIHoop::Load, then COUNT saves of the catalogue into FILE.saved.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "Engines.h"
#include "MemoryProbe.h"
#include "PageFaults.h"
#include "SelfCheck.h"
#include "Summary.h"
#include <brevant/INIHoop.h>

namespace {

using LoadFunction = long (*)(const char*);

void Finish(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void RegisterLoad(const std::string& name, const std::string& path, size_t bytes, LoadFunction load) {
    benchmark::RegisterBenchmark(name.c_str(), [path, bytes, load](benchmark::State& state) {
        QuietStandardError quiet;
        for (auto _ : state)
            benchmark::DoNotOptimize(load(path.c_str()));
        Finish(state, bytes);
    })->Unit(benchmark::kMillisecond);
}

// Brevant's loads run under every name of the file; the summary takes the worst.
void RegisterBrevantLoad(const char* engine, const std::string& fileName, const BenchFile& file,
                         LoadFunction load) {
    for (size_t k = 0; k < file.aliases.size(); ++k)
        RegisterLoad(BenchName(engine, fileName, kNameLengths[k]), file.aliases[k], file.bytes, load);
}

void RegisterFloor(const std::string& fileName, const BenchFile& file) {
    benchmark::RegisterBenchmark(BenchName(kFloor, fileName).c_str(), [file](benchmark::State& state) {
        std::vector<char> buffer(file.bytes + 1);
        for (auto _ : state)
            benchmark::DoNotOptimize(FloorRead(file.path.c_str(), buffer));
        Finish(state, file.bytes);
    })->Unit(benchmark::kMillisecond);
}

void RegisterLoadsOfFile(const BenchInput& input, const std::string& fileName, const BenchFile& file) {
    if (file.path.empty())
        return;
    RegisterBrevantLoad(kDocumentLoad, fileName, file, BrevantDocumentLoad);
    if (input.catalogue)
        RegisterBrevantLoad(kCatalogueLoad, fileName, file, BrevantCatalogueLoad);
    RegisterLoad(BenchName(kInih, fileName), file.path, file.bytes, InihMapLoad);
    RegisterLoad(BenchName(kSimpleIni, fileName), file.path, file.bytes, SimpleIniLoad);
    RegisterFloor(fileName, file);
}

// SaveAs of the loaded catalogue, against one fwrite of the same bytes.
void RegisterWrites(BenchInputs& inputs, const BenchInput& input) {
    std::string saved = inputs.Scratch("saved-" + input.name + ".ini");
    std::string written = inputs.Scratch("written-" + input.name + ".ini");
    benchmark::RegisterBenchmark(BenchName(kCatalogueSave, input.name).c_str(), [input, saved](
                                                                                    benchmark::State& state) {
        CINIHoop hoops;
        {
            QuietStandardError quiet;
            if (!hoops.Load(input.text.path.c_str()))
                state.SkipWithError("the catalogue does not load");
        }
        for (auto _ : state)
            benchmark::DoNotOptimize(hoops.SaveAs(saved.c_str()));
        Finish(state, input.text.bytes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(BenchName(kWrite, input.name).c_str(), [input,
                                                                         written](benchmark::State& state) {
        std::string bytes = ReadWhole(input.text.path.c_str());
        for (auto _ : state)
            benchmark::DoNotOptimize(WriteWhole(written.c_str(), bytes));
        Finish(state, bytes.size());
    })->Unit(benchmark::kMillisecond);
}

void RegisterAll(BenchInputs& inputs) {
    for (const BenchInput& input : inputs.All()) {
        RegisterLoadsOfFile(input, input.name, input.text);
        RegisterLoadsOfFile(input, input.name + "-nopoints", input.noPoints);
        if (!input.binary.path.empty()) {
            RegisterBrevantLoad(kDocumentLoad, input.name + ".inb", input.binary, BrevantDocumentLoad);
            RegisterBrevantLoad(kCatalogueLoad, input.name + ".inb", input.binary, BrevantCatalogueLoad);
        }
        if (input.name == "largest")
            RegisterWrites(inputs, input);
    }
}

std::string ThisProgram() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

std::vector<MemoryRow> MeasureMemory(const BenchInputs& inputs) {
    std::string program = ThisProgram();
    std::vector<MemoryRow> rows;
    for (const BenchInput& input : inputs.All()) {
        std::vector<const char*> engines = {"document", "inih", "simpleini"};
        if (input.catalogue)
            engines.insert(engines.begin() + 1, "catalogue");
        for (const char* engine : engines)
            rows.push_back(
                {input.name, engine, input.text.bytes, ProbeMemory(program, engine, input.text.path)});
        if (!input.catalogue)
            continue;
        for (const char* engine : {"document", "catalogue", "inih"})
            rows.push_back({input.name + "-nopoints", engine, input.noPoints.bytes,
                            ProbeMemory(program, engine, input.noPoints.path)});
    }
    return rows;
}

LoadFunction LoadByName(const std::string& engine) {
    if (engine == "document")
        return BrevantDocumentLoad;
    if (engine == "catalogue")
        return BrevantCatalogueLoad;
    if (engine == "inih")
        return InihMapLoad;
    if (engine == "simpleini")
        return SimpleIniLoad;
    return nullptr;
}

// SaveAs of the catalogue in `path`, `count` times, into `path` with ".saved" appended.
int RepeatSave(const char* path, long count) {
    CINIHoop hoops;
    QuietStandardError quiet;
    if (!hoops.Load(path))
        return 1;
    std::string saved = std::string(path) + ".saved";
    long result = 0;
    for (long k = 0; k < count; ++k)
        result += hoops.SaveAs(saved.c_str());
    std::remove(saved.c_str());
    std::printf("%ld\n", result);
    return 0;
}

int Repeat(const std::string& engine, const char* path, long count) {
    if (engine == "save")
        return RepeatSave(path, count);
    LoadFunction load = LoadByName(engine);
    if (!load && engine != "floor")
        return 2;
    std::vector<char> buffer(load ? 0 : ReadWhole(path).size() + 1);
    QuietStandardError quiet;
    long result = 0;
    for (long k = 0; k < count; ++k)
        result += load ? load(path) : FloorRead(path, buffer);
    std::printf("%ld\n", result);
    return 0;
}

// Takes the program's own flags out of the arguments that Google Benchmark sees.
bool TakeFlag(int* argc, char** argv, const char* flag) {
    for (int k = 1; k < *argc; ++k)
        if (std::strcmp(argv[k], flag) == 0) {
            for (int m = k; m < *argc; ++m)
                argv[m] = argv[m + 1];
            --*argc;
            return true;
        }
    return false;
}

int RunBenchmarks(int argc, char** argv) {
    bool quick = TakeFlag(&argc, argv, "--quick");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    std::printf("generating the inputs ...\n");
    std::fflush(stdout);
    BenchInputs inputs(quick);
    std::string problem = CheckInputs(inputs);
    if (!problem.empty()) {
        std::fprintf(stderr, "brevant_bench: input check failed: %s\n", problem.c_str());
        return 1;
    }
    RegisterAll(inputs);
    Timings timings;
    CollectingReporter reporter(timings);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("measuring page faults and memory ...\n");
    std::fflush(stdout);
    std::vector<FaultRow> faults = MeasurePageFaults(ThisProgram(), inputs);
    PrintSummary(stdout, SummaryData{inputs, timings, MeasureMemory(inputs), faults});
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--memory-probe") == 0)
        return RunMemoryProbe(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--fault-probe") == 0)
        return RunFaultProbe(argv[2], argv[3]);
    if (argc == 5 && std::strcmp(argv[1], "--repeat") == 0)
        return Repeat(argv[2], argv[3], std::atol(argv[4]));
    try {
        return RunBenchmarks(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brevant_bench: %s\n", error.what());
        return 1;
    }
}
