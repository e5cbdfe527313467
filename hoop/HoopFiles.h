// Reading a catalogue from any source the INI engine loads, and writing a catalogue's text to any output:
// the classic Load and SaveAs and the modern interface share these.
#pragma once

#include <cstddef>
#include <type_traits>

#include "hoop/HoopRecords.h"
#include <brevant/INIHoop.h>

// The catalogue behind a handle. The handle's one member is its catalogue pointer, and a standard-layout
// object shares its address with its first member.
inline HoopCatalogue*& CatalogueOf(CINIHoop& handle) {
    static_assert(std::is_standard_layout<CINIHoop>::value && sizeof(CINIHoop) == sizeof(HoopCatalogue*),
                  "a handle holds its catalogue pointer alone");
    return *reinterpret_cast<HoopCatalogue**>(&handle);
}

enum class HoopLoadResult { loaded, document_failed, not_a_catalogue, out_of_memory };

// Replaces what `owner` held by the catalogue in the document that `load` fills (answering the engine's 1 or
// 0). On any failure the handle is left without a catalogue.
template <typename Load> HoopLoadResult HoopLoadCatalogue(CINIHoop* owner, Load load);

// Where the saved text goes.
class HoopTextOutput {
  public:
    virtual void Write(const char* bytes, size_t size) = 0;

  protected:
    ~HoopTextOutput() = default;
};

// Writes the catalogue as INI text, exactly the bytes that SaveAs writes to its file.
void HoopWriteCatalogue(const HoopCatalogue* catalogue, HoopTextOutput& out);

// The template's work, with the load as a plain callback.
HoopLoadResult HoopLoadCatalogueWith(CINIHoop* owner, int (*load)(CINIFile* file, void* context),
                                     void* context);

template <typename Load> HoopLoadResult HoopLoadCatalogue(CINIHoop* owner, Load load) {
    return HoopLoadCatalogueWith(
        owner, [](CINIFile* file, void* context) { return (*static_cast<Load*>(context))(file); }, &load);
}
