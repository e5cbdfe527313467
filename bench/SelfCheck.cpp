#include "SelfCheck.h"

#include "Engines.h"
#include <brevant/INIHoop.h>

namespace {

std::string Describe(const std::string& what, const BenchFile& file) {
    return what + " (" + file.path + ")";
}

// Where two byte strings first differ, for the report of a mismatch.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    size_t from = at < 40 ? 0 : at - 40;
    return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size()) +
           ", first difference at byte " + std::to_string(at) + ": expected \"" + expected.substr(from, 80) +
           "\", saved \"" + actual.substr(from, 80) + "\"";
}

// Loads the file as a catalogue, saves it and compares the saved bytes with `expected`.
std::string CheckRoundTrip(BenchInputs& inputs, const BenchInput& input, const BenchFile& file,
                           const std::string& expected) {
    CINIHoop hoops;
    if (!hoops.Load(file.path.c_str()))
        return Describe("CINIHoop::Load failed", file);
    if (hoops.GetHoopCount() != input.recipe.hoops)
        return Describe("wrong hoop count " + std::to_string(hoops.GetHoopCount()), file);
    std::string saved = inputs.Scratch("check-" + input.name + ".ini");
    if (!hoops.SaveAs(saved.c_str()))
        return Describe("CINIHoop::SaveAs failed", file);
    std::string actual = ReadWhole(saved.c_str());
    if (actual != expected)
        return Describe(
            "saved catalogue differs from the generated one: " + FirstDifference(expected, actual), file);
    return {};
}

std::string CheckCatalogue(BenchInputs& inputs, const BenchInput& input) {
    std::string expected = ReadWhole(input.text.path.c_str());
    std::string problem = CheckRoundTrip(inputs, input, input.text, expected);
    if (problem.empty() && !input.binary.path.empty())
        problem = CheckRoundTrip(inputs, input, input.binary, expected);
    if (problem.empty() && BrevantCatalogueLoad(input.noPoints.path.c_str()) != input.recipe.hoops)
        problem = Describe("wrong hoop count", input.noPoints);
    return problem;
}

std::string CheckGeneric(const BenchInput& input) {
    for (const BenchFile* file : {&input.text, &input.noPoints}) {
        if (file->path.empty())
            continue;
        long sections = BrevantDocumentLoad(file->path.c_str());
        if (sections != static_cast<long>(input.sections))
            return Describe("CINIFile::Load gave " + std::to_string(sections) + " sections, expected " +
                                std::to_string(input.sections),
                            *file);
        if (BrevantCatalogueLoad(file->path.c_str()) != 0)
            return Describe("the hoop reader found hoops in a generic file", *file);
    }
    return {};
}

} // namespace

std::string CheckInputs(BenchInputs& inputs) {
    QuietStandardError quiet;
    for (const BenchInput& input : inputs.All()) {
        std::string problem = input.catalogue ? CheckCatalogue(inputs, input) : CheckGeneric(input);
        if (!problem.empty())
            return input.name + ": " + problem;
    }
    return {};
}
