#include "BenchInputs.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

#include "Engines.h"

namespace {

const uint64_t kSeed = 20240611;
const size_t kMegabyte = 1000000;

std::string SizeName(size_t bytes) {
    char name[32];
    if (bytes % kMegabyte == 0)
        std::snprintf(name, sizeof name, "generic-%zuMB", bytes / kMegabyte);
    else
        std::snprintf(name, sizeof name, "generic-%.1fMB", static_cast<double>(bytes) / kMegabyte);
    return name;
}

} // namespace

size_t BenchInput::sectionCount() const {
    return 1 + static_cast<size_t>(recipe.hoops) * (4 + (recipe.mounts > 0 ? 1 + recipe.mounts : 0));
}

BenchInputs::BenchInputs(bool quick) {
    char pattern[] = "/tmp/brevant-bench-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot create a temporary directory");
    directory_ = pattern;
    Add("typical", true, CatalogueRecipe{40, 16, 2, kSeed, 0, true}, false);
    Add("largest", true, CatalogueRecipe{512, 64, 8, kSeed, 0, true}, true);
    const size_t fullSizes[] = {2 * kMegabyte, 10 * kMegabyte, 20 * kMegabyte};
    const size_t quickSizes[] = {kMegabyte / 10, kMegabyte / 2, kMegabyte};
    for (size_t size : quick ? quickSizes : fullSizes) {
        CatalogueRecipe recipe{0, 64, 8, kSeed + size, 512, true};
        recipe.hoops = HoopsForSize(size, recipe);
        Add(SizeName(size), false, recipe, false);
    }
}

BenchInputs::~BenchInputs() {
    for (const std::string& file : files_)
        std::remove(file.c_str());
    rmdir(directory_.c_str());
}

const BenchInput* BenchInputs::Find(const std::string& name) const {
    for (const BenchInput& input : inputs_)
        if (input.name == name)
            return &input;
    return nullptr;
}

std::vector<const BenchInput*> BenchInputs::Generic() const {
    std::vector<const BenchInput*> generic;
    for (const BenchInput& input : inputs_)
        if (!input.catalogue)
            generic.push_back(&input);
    return generic;
}

std::string BenchInputs::Scratch(const std::string& name) {
    std::string path = directory_ + "/" + name;
    files_.push_back(path);
    return path;
}

BenchFile BenchInputs::Write(const std::string& name, const std::string& bytes) {
    BenchFile file{Scratch(name), bytes.size()};
    if (!WriteWhole(file.path.c_str(), bytes))
        throw std::runtime_error("cannot write " + file.path);
    return file;
}

void BenchInputs::Add(const std::string& name, bool catalogue, const CatalogueRecipe& recipe, bool binary) {
    BenchInput input{name, catalogue, recipe, {}, {}, {}};
    input.text = Write(name + ".ini", CatalogueText(recipe));
    CatalogueRecipe bare = recipe;
    bare.pointsLines = false;
    input.noPoints = Write(name + "-nopoints.ini", CatalogueText(bare));
    if (binary)
        input.binary = Write(name + ".inb", CatalogueBinary(recipe));
    inputs_.push_back(input);
}
