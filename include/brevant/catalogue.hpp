// The modern C++ interface to hoop catalogues: plain value types, loading from a path or from bytes in
// memory, diagnostics as data and checked saving.
//
//     brevant::Catalogue catalogue = brevant::Catalogue::load("hoops.ini");
//     for (const brevant::Diagnostic& d : catalogue.diagnostics())
//         std::cerr << d.line << ": " << d.text << '\n';
//     catalogue.hoops[0].description = "Round 100 mm";
//     catalogue.save("hoops.ini");
//
// Errors: a load that fails throws brevant::LoadError and a save that fails throws brevant::SaveError; both
// derive from std::runtime_error, name what failed, and a LoadError carries the diagnostics of the load.
// Faulty lines of an INI text file do not fail a load: the catalogue holds what the good lines gave and
// `diagnostics()` lists the faulty ones. Nothing else throws but std::bad_alloc.
//
// Threads: different Catalogue objects may be loaded, edited and saved on different threads at once. One
// object is an ordinary value: reading it from several threads is safe, changing it while another thread uses
// it is not.
//
// Paths are UTF-8. Saving follows a symbolic link to its target, writes a temporary file beside that target,
// checks every write, the flush to the disk and the close, keeps the target's permissions and renames the
// temporary file over the target; when any step fails, the old file stays whole and the temporary file goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Export.h"
#include "diagnostics.h"

class CINIHoop;

namespace brevant {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Edges in the order of the files: left, top, right, bottom. Nothing orders them: a file's y axis may point
// either way.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct Mount {
    std::string label;
    std::int32_t id = 0;
    std::int32_t rotation = 0;
    std::int32_t low_x = 0;
    std::int32_t high_x = 0;
    std::int32_t low_y = 0;
    std::int32_t high_y = 0;
};

struct Hoop {
    std::string description;
    std::string shape;
    std::int32_t rotation = 0; // whole degrees, as stored; changing it turns nothing
    std::vector<Point> points; // the outline
    Rect sew_field;
    Rect inner_dim;
    Rect outer_dim;
    std::vector<Mount> mounts;
};

BREVANT_API bool operator==(const Point& a, const Point& b);
BREVANT_API bool operator==(const Rect& a, const Rect& b);
BREVANT_API bool operator==(const Mount& a, const Mount& b);
BREVANT_API bool operator==(const Hoop& a, const Hoop& b);
inline bool operator!=(const Point& a, const Point& b) {
    return !(a == b);
}
inline bool operator!=(const Rect& a, const Rect& b) {
    return !(a == b);
}
inline bool operator!=(const Mount& a, const Mount& b) {
    return !(a == b);
}
inline bool operator!=(const Hoop& a, const Hoop& b) {
    return !(a == b);
}

enum class DiagnosticKind {
    error = BREVANT_DIAGNOSTIC_ERROR,     // a faulty line of an INI text file; `line` is its number
    warning = BREVANT_DIAGNOSTIC_WARNING, // reserved: no rule of the loader raises one
    failure = BREVANT_DIAGNOSTIC_FAILURE, // the load failed, or a part of it
    summary = BREVANT_DIAGNOSTIC_SUMMARY, // the closing line of a load
};

// One diagnostic, its text exactly as the classic interface prints it (without the leading line feed).
struct Diagnostic {
    DiagnosticKind kind = DiagnosticKind::failure;
    int line = 0; // 1-based; 0 when the diagnostic belongs to no line
    std::string text;
};

// The form of the bytes being loaded. `detect` takes the binary form when the bytes begin with its six
// descriptor bytes ("INB" followed by 0x08 0x0D 0x01) and INI text otherwise, whatever the file is called.
enum class Format { detect, text, binary };

enum class LoadFailure {
    cannot_open,     // the file could not be opened or read; `system_error()` says why
    not_loaded,      // the INI engine refused the bytes (a damaged binary form); see the diagnostics
    not_a_catalogue, // the first section is not "hoops"
    out_of_memory,   // the library's own allocations failed
};

class BREVANT_API LoadError : public std::runtime_error {
  public:
    LoadError(LoadFailure failure, const std::string& what, std::vector<Diagnostic> diagnostics,
              int system_error = 0);
    ~LoadError() override;
    LoadFailure failure() const noexcept { return failure_; }
    const std::vector<Diagnostic>& diagnostics() const noexcept { return diagnostics_; }
    int system_error() const noexcept { return system_error_; } // errno of a failed open or read, or 0

  private:
    LoadFailure failure_;
    std::vector<Diagnostic> diagnostics_;
    int system_error_;
};

enum class SaveFailure {
    cannot_resolve, // the symbolic links of the path lead nowhere usable (a loop, an unreadable link)
    cannot_create,  // the temporary file beside the target could not be made (a read-only directory)
    write_failed,   // a write, the flush to the disk or the close failed (a full disk)
    rename_failed,  // the temporary file could not replace the target
};

class BREVANT_API SaveError : public std::runtime_error {
  public:
    SaveError(SaveFailure failure, const std::string& what, int system_error);
    ~SaveError() override;
    SaveFailure failure() const noexcept { return failure_; }
    int system_error() const noexcept { return system_error_; } // errno of the failed step

  private:
    SaveFailure failure_;
    int system_error_;
};

class BREVANT_API Catalogue {
  public:
    Catalogue() = default;
    explicit Catalogue(std::vector<Hoop> hoops) : hoops(std::move(hoops)) {}

    // Loads a hoop file in either form. The same bytes from a file or from memory give the same catalogue
    // and the same diagnostics.
    static Catalogue load(const std::string& path, Format format = Format::detect);
    static Catalogue from_bytes(std::string_view bytes, Format format = Format::detect);

    // The exact bytes that CINIHoop::SaveAs writes for these hoops, and a checked save of them. The file
    // reader takes at most 512 hoops back.
    std::string to_bytes() const;
    void save(const std::string& path) const;

    // Conversions with the classic handle. `to_classic` gives the handle a new catalogue, as assignment does:
    // handles that shared its old one keep that. A handle without a catalogue gives an empty one.
    static Catalogue from_classic(CINIHoop& classic);
    void to_classic(CINIHoop& classic) const;

    // The diagnostics of the load that made this catalogue; empty for one made otherwise.
    const std::vector<Diagnostic>& diagnostics() const noexcept { return diagnostics_; }

    std::vector<Hoop> hoops;

  private:
    std::vector<Diagnostic> diagnostics_;
};

} // namespace brevant
