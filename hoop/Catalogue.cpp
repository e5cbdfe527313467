// The modern interface: loading from a path or from bytes, diagnostics as data, and the conversions between
// the value types and a classic handle's records.
#include <brevant/catalogue.hpp>

#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include "hoop/HoopFiles.h"
#include "hoop/HoopMemory.h"
#include "hoop/HoopRectangles.h"
#include "hoop/HoopText.h"
#include "ini/INIByteSource.h"
#include "ini/INIFile.h"
#include "platform/Diagnostics.h"
#include "platform/Files.h"

namespace brevant {

bool operator==(const Point& a, const Point& b) {
    return a.x == b.x && a.y == b.y;
}
bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool operator==(const Mount& a, const Mount& b) {
    return a.label == b.label && a.id == b.id && a.rotation == b.rotation && a.low_x == b.low_x &&
           a.high_x == b.high_x && a.low_y == b.low_y && a.high_y == b.high_y;
}
bool operator==(const Hoop& a, const Hoop& b) {
    return a.description == b.description && a.shape == b.shape && a.rotation == b.rotation &&
           a.points == b.points && a.sew_field == b.sew_field && a.inner_dim == b.inner_dim &&
           a.outer_dim == b.outer_dim && a.mounts == b.mounts;
}

LoadError::LoadError(LoadFailure failure, const std::string& what, std::vector<Diagnostic> diagnostics,
                     int system_error)
    : std::runtime_error(what), failure_(failure), diagnostics_(std::move(diagnostics)),
      system_error_(system_error) {}
LoadError::~LoadError() = default;

SaveError::SaveError(SaveFailure failure, const std::string& what, int system_error)
    : std::runtime_error(what), failure_(failure), system_error_(system_error) {}
SaveError::~SaveError() = default;

namespace {

enum { kTextForm = 0, kBinaryForm = 1 };

const char kBinaryDescriptors[] = "INB\x08\x0D\x01";

void Collect(void* user, brevant_diagnostic_kind kind, int line, const char* text, size_t length) {
    static_cast<std::vector<Diagnostic>*>(user)->push_back(
        Diagnostic{static_cast<DiagnosticKind>(kind), line, std::string(text, length)});
}

// The binary form when the bytes begin with its descriptors, INI text otherwise; the source is left at its
// start.
int DetectForm(INIByteSource& source) {
    char start[sizeof kBinaryDescriptors - 1];
    bool binary = source.Read(start, sizeof start) == sizeof start &&
                  std::memcmp(start, kBinaryDescriptors, sizeof start) == 0;
    source.Seek(0);
    return binary ? kBinaryForm : kTextForm;
}

int FormOf(Format format, INIByteSource& source) {
    if (format == Format::detect)
        return DetectForm(source);
    return format == Format::binary ? kBinaryForm : kTextForm;
}

Rect RectOf(const HoopRecord& record, const HoopRectFields& edges) {
    RECT r = ReadHoopRect(record, edges);
    return Rect{r.left, r.top, r.right, r.bottom};
}

std::string TextOf(const char* text) {
    return text ? std::string(text) : std::string();
}

std::vector<Hoop> HoopsOf(const HoopCatalogue* catalogue) {
    std::vector<Hoop> hoops;
    if (!catalogue)
        return hoops;
    hoops.reserve(static_cast<size_t>(catalogue->iHoopCount));
    for (const HoopRecord* record = catalogue->opFirstHoop; record; record = record->opNext) {
        Hoop hoop;
        hoop.description = TextOf(record->caDescription);
        hoop.shape = TextOf(record->caShape);
        hoop.rotation = record->iRotation;
        for (int32_t k = 0; k < record->iPointCount; ++k)
            hoop.points.push_back(Point{record->opPoints[k].x, record->opPoints[k].y});
        hoop.sew_field = RectOf(*record, kSewFieldEdges);
        hoop.inner_dim = RectOf(*record, kInnerDimEdges);
        hoop.outer_dim = RectOf(*record, kOuterDimEdges);
        for (const MountRecord* m = record->opFirstMount; m; m = m->opNext)
            hoop.mounts.push_back(
                Mount{TextOf(m->caLabel), m->iID, m->iRotation, m->iLowX, m->iHighX, m->iLowY, m->iHighY});
        hoops.push_back(std::move(hoop));
    }
    return hoops;
}

char* CopyText(HoopCatalogue* catalogue, const std::string& text) {
    char* copy = HoopCopyText(catalogue, text.c_str());
    if (!copy)
        throw std::bad_alloc();
    return copy;
}

void FillRecord(HoopCatalogue* catalogue, HoopRecord* record, const Hoop& hoop) {
    record->iRotation = hoop.rotation;
    if (!hoop.points.empty()) {
        record->opPoints = static_cast<POINT*>(CatalogueAlloc(catalogue, sizeof(POINT) * hoop.points.size()));
        if (!record->opPoints)
            throw std::bad_alloc();
        for (size_t k = 0; k < hoop.points.size(); ++k)
            record->opPoints[k] = POINT{hoop.points[k].x, hoop.points[k].y};
        record->iPointCount = static_cast<int32_t>(hoop.points.size());
    }
    WriteHoopRect(*record, kSewFieldEdges,
                  RECT{hoop.sew_field.left, hoop.sew_field.top, hoop.sew_field.right, hoop.sew_field.bottom});
    WriteHoopRect(*record, kInnerDimEdges,
                  RECT{hoop.inner_dim.left, hoop.inner_dim.top, hoop.inner_dim.right, hoop.inner_dim.bottom});
    WriteHoopRect(*record, kOuterDimEdges,
                  RECT{hoop.outer_dim.left, hoop.outer_dim.top, hoop.outer_dim.right, hoop.outer_dim.bottom});
    for (const Mount& mount : hoop.mounts) {
        MountRecord* m = AppendMountRecord(catalogue, record);
        if (!m)
            throw std::bad_alloc();
        m->iID = mount.id;
        m->iRotation = mount.rotation;
        m->iLowX = mount.low_x;
        m->iHighX = mount.high_x;
        m->iLowY = mount.low_y;
        m->iHighY = mount.high_y;
        m->caLabel = CopyText(catalogue, mount.label);
    }
}

std::string Named(const std::string& what, const std::string& name) {
    return name + ": " + what;
}

struct Loaded {
    std::vector<Hoop> hoops;
    std::vector<Diagnostic> diagnostics;
};

Loaded LoadSource(INIByteSource& source, Format format, const std::string& name) {
    std::vector<Diagnostic> diagnostics;
    int form = FormOf(format, source);
    CINIHoop classic;
    HoopLoadResult result;
    {
        ScopedDiagnosticSink sink(Collect, &diagnostics);
        result = HoopLoadCatalogue(&classic, [&](CINIFile* file) { return file->LoadFrom(&source, form); });
    }
    switch (result) {
    case HoopLoadResult::loaded:
        break;
    case HoopLoadResult::document_failed:
        throw LoadError(LoadFailure::not_loaded, Named("not a readable INI file", name),
                        std::move(diagnostics));
    case HoopLoadResult::not_a_catalogue:
        throw LoadError(LoadFailure::not_a_catalogue,
                        Named("not a hoop catalogue: the first section is not [hoops]", name),
                        std::move(diagnostics));
    case HoopLoadResult::out_of_memory:
        throw LoadError(LoadFailure::out_of_memory, Named("out of memory", name), std::move(diagnostics));
    }
    return Loaded{HoopsOf(CatalogueOf(classic)), std::move(diagnostics)};
}

} // namespace

Catalogue Catalogue::load(const std::string& path, Format format) {
    FILE* stream = FileOpenForReading(path.c_str());
    if (!stream) {
        int error = errno;
        throw LoadError(LoadFailure::cannot_open, Named(std::generic_category().message(error), path), {},
                        error);
    }
    INIByteSource source = INIByteSource::File(stream);
    try {
        Loaded loaded = LoadSource(source, format, path);
        std::fclose(stream);
        Catalogue catalogue(std::move(loaded.hoops));
        catalogue.diagnostics_ = std::move(loaded.diagnostics);
        return catalogue;
    } catch (...) {
        std::fclose(stream);
        throw;
    }
}

Catalogue Catalogue::from_bytes(std::string_view bytes, Format format) {
    INIByteSource source = INIByteSource::Memory(bytes.data(), bytes.size());
    Loaded loaded = LoadSource(source, format, "bytes in memory");
    Catalogue catalogue(std::move(loaded.hoops));
    catalogue.diagnostics_ = std::move(loaded.diagnostics);
    return catalogue;
}

Catalogue Catalogue::from_classic(CINIHoop& classic) {
    return Catalogue(HoopsOf(CatalogueOf(classic)));
}

void Catalogue::to_classic(CINIHoop& classic) const {
    CINIHoop built;
    if (!built.Create())
        throw std::bad_alloc();
    HoopCatalogue* catalogue = CatalogueOf(built);
    for (const Hoop& hoop : hoops) {
        // Linked first, so that the handle frees what is made so far when memory runs out.
        HoopRecord* record = AppendHoopRecord(catalogue);
        if (!record)
            throw std::bad_alloc();
        record->caDescription = CopyText(catalogue, hoop.description);
        record->caShape = CopyText(catalogue, hoop.shape);
        FillRecord(catalogue, record, hoop);
    }
    classic = built;
}

} // namespace brevant
