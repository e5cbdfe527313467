#include "FuzzSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "ini/INIFileNameHash.h"
#include "platform/NoCase.h"

namespace {

FILE* reportStream = nullptr;
std::string scratchDir;

void RemoveScratchDir() {
    std::error_code ignored;
    if (!scratchDir.empty())
        std::filesystem::remove_all(scratchDir, ignored);
}

const char* ScratchRoot() {
    if (access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp ? tmp : "/tmp";
}

bool ValidName(const char* name) {
    size_t length = strnlen(name, INI_NAME_CAPACITY);
    return length > 0 && length < INI_NAME_CAPACITY;
}

bool IsNameSymbol(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void CheckTextValue(const SINIValuePool* value) {
    for (const char* c = value->caName; *c; ++c)
        FUZZ_EXPECT(IsNameSymbol(*c));
    FUZZ_EXPECT(value->iKind >= INI_KIND_DECIMAL && value->iKind <= INI_KIND_REAL);
    FUZZ_EXPECT(value->iType != INI_TYPE_RAW32);
    if (value->iType == INI_TYPE_STRING) // a line never carries a NUL into a value
        FUZZ_EXPECT(std::strlen(static_cast<const char*>(value->Data())) == size_t(value->iCount));
    if (value->iType == INI_TYPE_CHARACTER)
        for (int i = 0; i < value->iCount; ++i)
            FUZZ_EXPECT(static_cast<const char*>(value->Data())[i] != '\0');
}

void CheckValue(SINIFilePool* root, SINISectionPool* section, SINIValuePool* value, bool fromText) {
    FUZZ_EXPECT(ValidName(value->caName));
    FUZZ_EXPECT(INIFindValue(section, value->caName) == value);
    FUZZ_EXPECT(value->iType >= INI_TYPE_INTEGER && value->iType <= INI_TYPE_STRING);
    FUZZ_EXPECT(value->iCount >= 1 && value->iCount <= INI_MAX_ELEMENTS);
    FUZZ_EXPECT(value->Data() != nullptr);
    if (value->iType == INI_TYPE_STRING)
        FUZZ_EXPECT(static_cast<const char*>(value->Data())[value->iCount] == '\0');
    if (fromText)
        CheckTextValue(value);
}

void CheckSection(SINIFilePool* root, SINISectionPool* section, bool fromText) {
    FUZZ_EXPECT(ValidName(section->caName));
    FUZZ_EXPECT(INIFindSection(root, section->caName, HashNoCase(section->caName)) == section);
    if (fromText) { // the loader strips section names
        size_t length = std::strlen(section->caName);
        FUZZ_EXPECT(!IsBlank(section->caName[0]) && !IsBlank(section->caName[length - 1]));
    }
    uint32_t values = 0;
    SINIValuePool* previous = nullptr;
    for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext, ++values) {
        CheckValue(root, section, value, fromText);
        previous = value;
    }
    SINIValueIndex* index = section->ValueIndex();
    FUZZ_EXPECT(!index || (index->opLastValue == previous && index->names.used == values));
}

} // namespace

void SilenceLibraryDiagnostics() {
    // libFuzzer took its copy of the stderr pointer at start-up and the sanitizers write to descriptor 2; the
    // library reads the pointer anew for every message, so only the library is silenced.
    reportStream = stderr;
    FILE* quiet = std::fopen("/dev/null", "w");
    if (!quiet)
        return;
    std::setvbuf(quiet, nullptr, _IOFBF, 1 << 16);
    stderr = quiet;
}

FILE* FuzzReportStream() {
    return reportStream ? reportStream : stderr;
}

std::string ScratchPath(const char* name) {
    if (scratchDir.empty()) {
        std::string pattern = std::string(ScratchRoot()) + "/brevant-fuzz-XXXXXX";
        if (!mkdtemp(&pattern[0]))
            std::abort();
        scratchDir = pattern;
        std::atexit(RemoveScratchDir);
    }
    return scratchDir + "/" + name;
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

FILE* OpenInputStream(const uint8_t* data, size_t size) {
    // Some C libraries refuse a memory stream over no bytes; an empty temporary file stands in for it.
    if (size == 0)
        return std::tmpfile();
    return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

void CheckDocument(CINIFile& document, bool fromText) {
    SINIFilePool* root = document.Root();
    if (!root)
        return;
    int sections = 0;
    SINISectionPool* previous = nullptr;
    bool currentFound = root->opCurrentSection == nullptr;
    for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        CheckSection(root, section, fromText);
        currentFound = currentFound || section == root->opCurrentSection;
        previous = section;
        FUZZ_EXPECT(++sections <= root->iSectionCount);
    }
    FUZZ_EXPECT(sections == root->iSectionCount);
    FUZZ_EXPECT(root->opLastSection == previous);
    FUZZ_EXPECT(currentFound);
    FUZZ_EXPECT((root->opCurrentSection == nullptr) == (sections == 0));
}

namespace {

struct NamedSection {
    std::string name;
    std::vector<std::string> values;
};

std::vector<NamedSection> NamesOf(SINIFilePool* root) {
    std::vector<NamedSection> names;
    for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        names.push_back({section->caName, {}});
        for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext)
            names.back().values.push_back(value->caName);
    }
    return names;
}

void ReadValues(SINISectionPool* section, const NamedSection& names) {
    for (const std::string& name : names.values) {
        SINIValuePool* value = INIFindValue(section, name.c_str());
        FUZZ_EXPECT(value != nullptr && CompareNoCase(value->caName, name.c_str()) == 0);
    }
}

void RemoveEverySecondValue(CINIFile& document, SINISectionPool* section, const NamedSection& names) {
    for (size_t i = 0; i < names.values.size(); i += 2)
        FUZZ_EXPECT(document.ValueRemove(names.values[i].c_str()) == 1);
    for (size_t i = 0; i < names.values.size(); i += 2)
        FUZZ_EXPECT(INIFindValue(section, names.values[i].c_str()) == nullptr);
}

} // namespace

void ExerciseDocument(CINIFile& document, bool fromText) {
    SINIFilePool* root = document.Root();
    if (!root)
        return;
    for (const NamedSection& names : NamesOf(root)) {
        SINISectionPool* section = INIFindSection(root, names.name.c_str(), HashNoCase(names.name.c_str()));
        FUZZ_EXPECT(section != nullptr);
        root->opCurrentSection = section; // the value operations act on the current section
        ReadValues(section, names);
        RemoveEverySecondValue(document, section, names);
    }
    CheckDocument(document, fromText);
}

bool MountSnapshot::operator==(const MountSnapshot& other) const {
    return label == other.label && std::memcmp(fields, other.fields, sizeof fields) == 0;
}

namespace {

int (CINIHoop::*const kGetRect[3])(int, CRect*) = {&CINIHoop::GetHoopSewField, &CINIHoop::GetHoopInnerDim,
                                                   &CINIHoop::GetHoopOuterDim};

void CopyRect(const RECT& rect, int edges[4]) {
    edges[0] = rect.left;
    edges[1] = rect.top;
    edges[2] = rect.right;
    edges[3] = rect.bottom;
}

HoopSnapshot TakeHoop(CINIHoop& hoops, int i) {
    HoopSnapshot hoop{};
    CString description, shape;
    FUZZ_EXPECT(hoops.GetHoop(i, &description, &shape) == 1);
    hoop.description = description.GetString();
    hoop.shape = shape.GetString();
    CArray<POINT, POINT> points;
    FUZZ_EXPECT(hoops.GetHoopPoints(i, &points) == 1);
    for (int k = 0; k < points.GetSize(); ++k)
        hoop.points.push_back(points[k]);
    for (int r = 0; r < 3; ++r) {
        CRect rect;
        auto get = kGetRect[r]; // not indexed inside the call: g++ 12's -fsanitize=bounds miscompiles that
        FUZZ_EXPECT((hoops.*get)(i, &rect) == 1);
        CopyRect(rect, hoop.rects[r]);
    }
    hoop.rotation = hoops.GetHoopRotation(i);
    hoop.spanDir = hoops.GetHoopSpanDir(i);
    CRect bounds;
    hoops.GetHoopRect(i, &bounds);
    CopyRect(bounds, hoop.bounds);
    for (int j = 0; j < hoops.GetHoopMountCount(i); ++j) {
        MountSnapshot mount;
        CString label;
        int* f = mount.fields;
        FUZZ_EXPECT(hoops.GetHoopMount(i, j, &label, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) == 1);
        mount.label = label.GetString();
        hoop.mounts.push_back(mount);
    }
    return hoop;
}

bool SameHoop(const HoopSnapshot& a, const HoopSnapshot& b, bool derived) {
    if (a.description != b.description || a.shape != b.shape || a.mounts != b.mounts)
        return false;
    if (a.points.size() != b.points.size() || std::memcmp(a.rects, b.rects, sizeof a.rects) != 0)
        return false;
    for (size_t k = 0; k < a.points.size(); ++k)
        if (a.points[k].x != b.points[k].x || a.points[k].y != b.points[k].y)
            return false;
    if (!derived)
        return true;
    return a.rotation == b.rotation && a.spanDir == b.spanDir &&
           std::memcmp(a.bounds, b.bounds, sizeof a.bounds) == 0;
}

} // namespace

CatalogueSnapshot TakeSnapshot(CINIHoop& hoops) {
    CatalogueSnapshot catalogue;
    for (int i = 0; i < hoops.GetHoopCount(); ++i)
        catalogue.push_back(TakeHoop(hoops, i));
    return catalogue;
}

bool SameCatalogue(const CatalogueSnapshot& a, const CatalogueSnapshot& b, bool derived) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameHoop(a[i], b[i], derived))
            return false;
    return true;
}
