// The standard inputs of the benchmarks, generated into a temporary directory that goes away with the object:
// a typical catalogue, the largest catalogue the reader takes (with its binary form), and generic INI files
// of growing size whose hoop sections are numbered past 511, so that only the INI engine reads them. Every
// text input also exists without its points lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "CatalogueGenerator.h"

struct BenchFile {
    std::string path;
    size_t bytes = 0;
};

struct BenchInput {
    std::string name; // typical, largest, generic-2MB ...
    bool catalogue;   // CINIHoop::Load reads its hoops
    CatalogueRecipe recipe;
    BenchFile text;     // as CINIHoop::SaveAs writes it
    BenchFile noPoints; // the same file without points lines
    BenchFile binary;   // the binary INI form of the same document (largest catalogue only)
    size_t sectionCount() const;
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
    // The generic inputs, smallest first.
    std::vector<const BenchInput*> Generic() const;
    // A scratch path in the directory, for files that the benchmarks write.
    std::string Scratch(const std::string& name);
    const std::string& Directory() const { return directory_; }

  private:
    BenchFile Write(const std::string& name, const std::string& bytes);
    void Add(const std::string& name, bool catalogue, const CatalogueRecipe& recipe, bool binary);

    std::string directory_;
    std::vector<std::string> files_;
    std::vector<BenchInput> inputs_;
};
