// A hoop catalogue loaded through the modern interface from bytes in memory and from the same bytes in a
// file, in each form (detected, INI text, binary): both loads succeed or fail alike, with the same hoops, the
// same failure and the same diagnostics, kind, line and text. A loaded catalogue's saved bytes load again
// from memory as they do from a file.
#include <string>
#include <string_view>

#include <brevant/catalogue.hpp>

#include "FuzzSupport.h"

namespace {

struct Outcome {
    bool loaded = false;
    brevant::LoadFailure failure = brevant::LoadFailure::cannot_open;
    std::vector<brevant::Hoop> hoops;
    std::vector<brevant::Diagnostic> diagnostics;
};

template <typename Load> Outcome Take(Load load) {
    Outcome outcome;
    try {
        brevant::Catalogue catalogue = load();
        outcome.loaded = true;
        outcome.hoops = std::move(catalogue.hoops);
        outcome.diagnostics = catalogue.diagnostics();
    } catch (const brevant::LoadError& error) {
        outcome.failure = error.failure();
        outcome.diagnostics = error.diagnostics();
    }
    return outcome;
}

bool SameDiagnostics(const std::vector<brevant::Diagnostic>& a, const std::vector<brevant::Diagnostic>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].line != b[i].line || a[i].text != b[i].text)
            return false;
    return true;
}

void ExpectSameLoads(const std::string& path, std::string_view bytes, brevant::Format format) {
    Outcome fromMemory = Take([&] { return brevant::Catalogue::from_bytes(bytes, format); });
    Outcome fromFile = Take([&] { return brevant::Catalogue::load(path, format); });
    FUZZ_EXPECT(fromMemory.loaded == fromFile.loaded);
    FUZZ_EXPECT(fromMemory.loaded || fromMemory.failure == fromFile.failure);
    FUZZ_EXPECT(fromMemory.hoops == fromFile.hoops);
    FUZZ_EXPECT(SameDiagnostics(fromMemory.diagnostics, fromFile.diagnostics));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLibraryDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ScratchPath("input");
    FUZZ_EXPECT(WriteWholeFile(path, data, size));
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (brevant::Format format : {brevant::Format::detect, brevant::Format::text, brevant::Format::binary})
        ExpectSameLoads(path, bytes, format);
    try {
        std::string saved = brevant::Catalogue::from_bytes(bytes).to_bytes();
        FUZZ_EXPECT(WriteWholeFile(path, reinterpret_cast<const uint8_t*>(saved.data()), saved.size()));
        ExpectSameLoads(path, saved, brevant::Format::detect);
    } catch (const brevant::LoadError&) {
    }
    return 0;
}
