#include "BenchInputs.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "Engines.h"
#include "RecordFiles.h"

const std::vector<int> kNameLengths = {1, 9, 17, 25, 33, 41};

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

// A file name of `length` characters that ends in `extension` when there is room for it; a binary file
// needs its extension, so its shortest name is the extension with one character before it.
std::string NameOfLength(int length, const std::string& extension) {
    int room = length - static_cast<int>(extension.size());
    if (extension == ".inb" && room < 1)
        room = 1;
    return room < 1 ? std::string(static_cast<size_t>(length), 'n')
                    : std::string(static_cast<size_t>(room), 'n') + extension;
}

size_t CatalogueSections(const CatalogueRecipe& recipe) {
    return 1 + static_cast<size_t>(recipe.hoops) * (4 + (recipe.mounts > 0 ? 1 + recipe.mounts : 0));
}

} // namespace

BenchInputs::BenchInputs(bool quick) {
    char pattern[] = "/tmp/brevant-bench-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot create a temporary directory");
    directory_ = pattern;
    AddCatalogue("typical", true, CatalogueRecipe{40, 16, 2, kSeed, 0, true}, false);
    AddCatalogue("largest", true, CatalogueRecipe{512, 64, 8, kSeed, 0, true}, true);
    const size_t fullSizes[] = {2 * kMegabyte, 10 * kMegabyte, 20 * kMegabyte};
    const size_t quickSizes[] = {kMegabyte / 10, kMegabyte / 2, kMegabyte};
    for (size_t size : quick ? quickSizes : fullSizes) {
        CatalogueRecipe recipe{0, 64, 8, kSeed + size, 512, true};
        recipe.hoops = HoopsForSize(size, recipe);
        AddCatalogue(SizeName(size), false, recipe, false);
    }
    size_t tiny = quick ? 20000 : 1000000;
    AddRecords(quick ? "tiny-20K" : "tiny-1M", TinySectionsText(tiny), tiny);
    // Twelve thousand names fill an index of 16384 slots to three quarters; finding them takes a second.
    size_t crafted = quick ? 3000 : 12000;
    AddRecords("names-plain", CraftedNamesText(crafted, false), crafted);
    AddRecords("names-colliding", CraftedNamesText(crafted, true), crafted);
}

BenchInputs::~BenchInputs() {
    for (const std::string& file : files_)
        std::remove(file.c_str());
    for (auto directory = directories_.rbegin(); directory != directories_.rend(); ++directory)
        rmdir(directory->c_str());
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
        if (input.name.compare(0, 8, "generic-") == 0)
            generic.push_back(&input);
    return generic;
}

std::string BenchInputs::Scratch(const std::string& name) {
    std::string path = directory_ + "/" + name;
    files_.push_back(path);
    return path;
}

BenchFile BenchInputs::Write(const std::string& name, const std::string& extension,
                             const std::string& bytes) {
    BenchFile file{Scratch(name + extension), bytes.size(), {}};
    if (!WriteWhole(file.path.c_str(), bytes))
        throw std::runtime_error("cannot write " + file.path);
    std::string names = directory_ + "/" + name + extension + ".names";
    if (mkdir(names.c_str(), 0700) != 0)
        throw std::runtime_error("cannot create " + names);
    directories_.push_back(names);
    for (int length : kNameLengths) {
        std::string alias = names + "/" + NameOfLength(length, extension);
        files_.push_back(alias);
        if (link(file.path.c_str(), alias.c_str()) != 0 && !WriteWhole(alias.c_str(), bytes))
            throw std::runtime_error("cannot write " + alias);
        file.aliases.push_back(alias);
    }
    return file;
}

void BenchInputs::AddCatalogue(const std::string& name, bool catalogue, const CatalogueRecipe& recipe,
                               bool binary) {
    BenchInput input{name, catalogue, recipe, {}, {}, {}, CatalogueSections(recipe)};
    input.text = Write(name, ".ini", CatalogueText(recipe));
    CatalogueRecipe bare = recipe;
    bare.pointsLines = false;
    input.noPoints = Write(name + "-nopoints", ".ini", CatalogueText(bare));
    if (binary)
        input.binary = Write(name, ".inb", CatalogueBinary(recipe));
    inputs_.push_back(input);
}

void BenchInputs::AddRecords(const std::string& name, const std::string& bytes, size_t sections) {
    BenchInput input{name, false, CatalogueRecipe{}, {}, {}, {}, sections};
    input.text = Write(name, ".ini", bytes);
    inputs_.push_back(input);
}
