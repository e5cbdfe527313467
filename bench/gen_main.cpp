// brevant_bench_gen: writes a generated hoop catalogue to standard output.
//
//   brevant_bench_gen HOOPS POINTS MOUNTS SEED [--first-index N] [--no-points] [--binary] > file.ini
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CatalogueGenerator.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: brevant_bench_gen HOOPS POINTS MOUNTS SEED [--first-index N] [--no-points] "
                         "[--binary] > file\n");
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

} // namespace

int main(int argc, char** argv) {
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
