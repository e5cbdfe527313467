// brevant_bench_gen: writes a generated hoop catalogue, or a file of small records, to standard output.
//
//   brevant_bench_gen HOOPS POINTS MOUNTS SEED [--first-index N] [--no-points] [--binary] > file.ini
//   brevant_bench_gen --tiny COUNT > file.ini                 COUNT one-value sections
//   brevant_bench_gen --names COUNT [--colliding] > file.ini  one-value sections with crafted names
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CatalogueGenerator.h"
#include "RecordFiles.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: brevant_bench_gen HOOPS POINTS MOUNTS SEED [--first-index N] [--no-points] "
                         "[--binary] > file\n"
                         "       brevant_bench_gen --tiny COUNT > file\n"
                         "       brevant_bench_gen --names COUNT [--colliding] > file\n");
    return 2;
}

bool ReadNumber(const char* text, long long low, long long high, long long* number) {
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high)
        return false;
    *number = value;
    return true;
}

int WriteRecords(int argc, char** argv) {
    long long count = 0;
    bool tiny = std::strcmp(argv[1], "--tiny") == 0;
    bool colliding = argc == 4 && std::strcmp(argv[3], "--colliding") == 0;
    if (!ReadNumber(argv[2], 1, 100000000, &count) || (argc == 4 && (tiny || !colliding)))
        return Usage();
    std::string bytes = tiny ? TinySectionsText(static_cast<size_t>(count))
                             : CraftedNamesText(static_cast<size_t>(count), colliding);
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) &&
        (std::strcmp(argv[1], "--tiny") == 0 || std::strcmp(argv[1], "--names") == 0))
        return WriteRecords(argc, argv);
    long long numbers[4];
    const long long highs[4] = {1000000, 8000, 1000, 0x7FFFFFFFFFFFFFFFll};
    if (argc < 5)
        return Usage();
    for (int k = 0; k < 4; ++k)
        if (!ReadNumber(argv[k + 1], 0, highs[k], &numbers[k]))
            return Usage();
    CatalogueRecipe recipe{static_cast<int>(numbers[0]),
                           static_cast<int>(numbers[1]),
                           static_cast<int>(numbers[2]),
                           static_cast<uint64_t>(numbers[3]),
                           0,
                           true};
    bool binary = false;
    for (int k = 5; k < argc; ++k) {
        long long first = 0;
        if (std::strcmp(argv[k], "--no-points") == 0) {
            recipe.pointsLines = false;
        } else if (std::strcmp(argv[k], "--binary") == 0) {
            binary = true;
        } else if (std::strcmp(argv[k], "--first-index") == 0 && k + 1 < argc &&
                   ReadNumber(argv[k + 1], 0, 100000000, &first)) {
            recipe.firstIndex = static_cast<int>(first);
            ++k;
        } else {
            return Usage();
        }
    }
    try {
        std::string bytes = binary ? CatalogueBinary(recipe) : CatalogueText(recipe);
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brevant_bench_gen: %s\n", error.what());
        return 1;
    }
}
