#include "MemoryProbe.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "Engines.h"
#include "PeakMemory.h"
#include "ini/INIFile.h"
#include "platform/KeptBlocks.h"
#include <brevant/INIHoop.h>

namespace {

// Holds what one engine loaded until it is destroyed.
struct Loaded {
    virtual ~Loaded() = default;
};

struct LoadedDocument : Loaded {
    CINIFile document;
    explicit LoadedDocument(const char* path) { document.Load(path); }
    ~LoadedDocument() override { document.Destroy(); }
};

struct LoadedCatalogue : Loaded {
    CINIHoop hoops;
    explicit LoadedCatalogue(const char* path) { hoops.Load(path); }
};

struct LoadedInih : Loaded {
    IniMap map;
    explicit LoadedInih(const char* path) { InihParseIntoMap(path, &map); }
};

struct LoadedSimpleIni : Loaded {
    CSimpleIniA ini;
    explicit LoadedSimpleIni(const char* path) {
        ini.SetUnicode(false);
        ini.LoadFile(path);
    }
};

std::unique_ptr<Loaded> Load(const std::string& engine, const char* path) {
    if (engine == "document")
        return std::make_unique<LoadedDocument>(path);
    if (engine == "catalogue")
        return std::make_unique<LoadedCatalogue>(path);
    if (engine == "inih")
        return std::make_unique<LoadedInih>(path);
    if (engine == "simpleini")
        return std::make_unique<LoadedSimpleIni>(path);
    return nullptr;
}

} // namespace

int RunMemoryProbe(const std::string& engine, const char* path) {
    size_t resident = ResidentBytes();
    size_t baseline = ResetPeakResident() ? ResidentBytes() : std::max(resident, PeakResidentBytes());
    size_t heap = HeapBytesInUse();
    std::unique_ptr<Loaded> loaded;
    {
        QuietStandardError quiet;
        loaded = Load(engine, path);
    }
    if (!loaded)
        return 2;
    long long kept = static_cast<long long>(KeptBlockBytes());
    long long heapBytes = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(heap) - kept;
    long long peakBytes = static_cast<long long>(PeakResidentBytes()) - static_cast<long long>(baseline);
    std::printf("%lld %lld %lld\n", heapBytes, peakBytes, kept);
    return 0;
}

MemoryFigures ProbeMemory(const std::string& program, const std::string& engine, const std::string& path) {
    MemoryFigures figures;
    std::string command = "'" + program + "' --memory-probe " + engine + " '" + path + "' 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return figures;
    if (std::fscanf(child, "%lld %lld %lld", &figures.heapBytes, &figures.peakBytes, &figures.keptBytes) != 3)
        figures = MemoryFigures{};
    pclose(child);
    return figures;
}
