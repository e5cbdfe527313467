#include "Engines.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <ini.h>
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "ini/INIFile.h"
#include <brevant/INIHoop.h>

namespace {

int CopyIntoMap(void* user, const char* section, const char* name, const char* value) {
    (*static_cast<IniMap*>(user))[section][name] = value;
    return 1;
}

} // namespace

long BrevantDocumentLoad(const char* path) {
    CINIFile document;
    long sections = document.Load(path) ? document.GetCount() : -1;
    document.Destroy();
    return sections;
}

long BrevantCatalogueLoad(const char* path) {
    CINIHoop hoops;
    return hoops.Load(path) ? hoops.GetHoopCount() : 0;
}

int InihParseIntoMap(const char* path, IniMap* map) {
    return ini_parse(path, CopyIntoMap, map);
}

long InihMapLoad(const char* path) {
    IniMap map;
    InihParseIntoMap(path, &map);
    return static_cast<long>(map.size());
}

long SimpleIniLoad(const char* path) {
    CSimpleIniA ini;
    ini.SetUnicode(false);
    if (ini.LoadFile(path) < 0)
        return -1;
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    return static_cast<long>(sections.size());
}

long FloorRead(const char* path, std::vector<char>& buffer) {
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return -1;
    size_t size = std::fread(buffer.data(), 1, buffer.size(), file);
    std::fclose(file);
    long lines = 0;
    const char* end = buffer.data() + size;
    for (const char* at = buffer.data(); (at = static_cast<const char*>(std::memchr(at, '\n', end - at)));
         ++at)
        ++lines;
    return lines;
}

std::string ReadWhole(const char* path) {
    std::string bytes;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return bytes;
    char chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

bool WriteWhole(const char* path, const std::string& bytes) {
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDERR_FILENO);
        close(null);
    }
}

QuietStandardError::~QuietStandardError() {
    std::fflush(stderr);
    if (saved_ >= 0) {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
}
