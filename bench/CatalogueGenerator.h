// Generates hoop catalogues for the benchmarks: random but reproducible hoops, written exactly as
// CINIHoop::SaveAs writes them (CR LF line ends, the sections of each hoop in their saved order, a "text" key
// in every section), or as the binary INI form of the same document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CatalogueRecipe {
    int hoops = 40;
    int points = 16;         // outline points per hoop
    int mounts = 2;          // mounts per hoop
    uint64_t seed = 1;       // the same recipe always gives the same bytes
    int firstIndex = 0;      // number of the first hoop section; the reader only takes 0 to 511
    bool pointsLines = true; // false: every hoop is written as one without points (a bare empty line)
};

struct GeneratedMount {
    int id = 0;
    std::string label;
    int rotation = 0;
    int32_t limits[4] = {}; // low x, high x, low y, high y
};

struct GeneratedHoop {
    std::string description;
    std::string shape;
    std::vector<int32_t> points; // x and y alternately
    int32_t sewField[4] = {};    // left, top, right, bottom
    int32_t innerDim[4] = {};
    int32_t outerDim[4] = {};
    std::vector<GeneratedMount> mounts;
};

// Hoop `position` of the recipe; it depends only on the seed, the position and the point and mount counts.
GeneratedHoop MakeHoop(const CatalogueRecipe& recipe, int position);

// The saved text of the whole catalogue, and the text of one hoop (its sections, numbered firstIndex +
// position).
std::string CatalogueText(const CatalogueRecipe& recipe);
std::string HoopText(const CatalogueRecipe& recipe, int position);

// The binary INI form of the document that the text loads into: the same sections in the same order, the
// same values, without the empty strings that the text loader passes over.
std::string CatalogueBinary(const CatalogueRecipe& recipe);

// The smallest hoop count whose catalogue text has at least `bytes` bytes.
int HoopsForSize(size_t bytes, const CatalogueRecipe& recipe);
