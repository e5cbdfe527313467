// The loads and writes that the benchmarks time: Brevant's and those of established INI engines on the same
// files. Each load returns a number taken from its result, so that none of the work can be optimised away,
// and frees what it built before it returns.
#pragma once

#include <map>
#include <string>
#include <vector>

// What the inih callback builds: section name to value name to value text.
using IniMap = std::map<std::string, std::map<std::string, std::string>>;
// ini_parse of the file into the map; inih's result (0, or the first faulty line).
int InihParseIntoMap(const char* path, IniMap* map);

// CINIFile::Load of a file, then the section count; the document is destroyed afterwards.
long BrevantDocumentLoad(const char* path);
// CINIHoop::Load of a hoop file, then the hoop count; 0 when the load fails.
long BrevantCatalogueLoad(const char* path);
// inih: ini_parse with a callback that copies section, name and value into nested std::maps.
long InihMapLoad(const char* path);
// SimpleIni: CSimpleIniA::LoadFile, then the number of sections.
long SimpleIniLoad(const char* path);
// The floor: the whole file read with one fread into a buffer kept by the caller, lines counted with memchr.
long FloorRead(const char* path, std::vector<char>& buffer);
// The whole content of a file; empty when it cannot be read.
std::string ReadWhole(const char* path);
// Writes the bytes with one fwrite into a file opened with "wb"; false when that fails.
bool WriteWhole(const char* path, const std::string& bytes);

// Standard error goes to /dev/null while an object of this class lives (the library reports every text load
// there), so that the timed loops measure loading, not terminal output.
class QuietStandardError {
  public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_;
};
