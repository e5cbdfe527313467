// The standard inputs of the benchmarks, generated into a temporary directory that goes away with the object:
// a typical catalogue, the largest catalogue the reader takes (with its binary form), generic INI files of
// growing size whose hoop sections are numbered past 511, so that only the INI engine reads them, a file of a
// million one-value sections, and a file of section names crafted to collide under an unkeyed hash beside its
// plain counterpart. Every catalogue and generic input also exists without its points lines.
//
// Every file also exists under a name of each length of kNameLengths (hard links in a directory of their
// own), because the heap that a load meets depends on what the host allocated before, and the length of the
// path is part of that: Brevant's loads run under each name, and a load is only as fast as its worst name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "CatalogueGenerator.h"

// The lengths in characters of the file names (the last path component) under which Brevant's loads run.
extern const std::vector<int> kNameLengths;

struct BenchFile {
    std::string path; // the file as generated; empty when the input has no such form
    size_t bytes = 0;
    std::vector<std::string> aliases; // the same file under each length of kNameLengths, in that order
};

struct BenchInput {
    std::string name; // typical, largest, generic-2MB, tiny-1M, names-plain, names-colliding ...
    bool catalogue;   // CINIHoop::Load reads its hoops
    CatalogueRecipe recipe;
    BenchFile text;      // as CINIHoop::SaveAs writes it
    BenchFile noPoints;  // the same file without points lines (catalogue and generic inputs)
    BenchFile binary;    // the binary INI form of the same document (largest catalogue only)
    size_t sections = 0; // the sections of the loaded document
};

class BenchInputs {
  public:
    // quick: small generic files, for a smoke run that only proves the program still works.
    explicit BenchInputs(bool quick);
    ~BenchInputs();
    BenchInputs(const BenchInputs&) = delete;
    BenchInputs& operator=(const BenchInputs&) = delete;

    const std::vector<BenchInput>& All() const { return inputs_; }
    const BenchInput* Find(const std::string& name) const;
    // The generic inputs of growing size, smallest first.
    std::vector<const BenchInput*> Generic() const;
    // A scratch path in the directory, for files that the benchmarks write.
    std::string Scratch(const std::string& name);
    const std::string& Directory() const { return directory_; }

  private:
    BenchFile Write(const std::string& name, const std::string& extension, const std::string& bytes);
    void AddCatalogue(const std::string& name, bool catalogue, const CatalogueRecipe& recipe, bool binary);
    void AddRecords(const std::string& name, const std::string& bytes, size_t sections);

    std::string directory_;
    std::vector<std::string> files_;
    std::vector<std::string> directories_;
    std::vector<BenchInput> inputs_;
};
