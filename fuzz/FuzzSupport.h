// What the fuzz targets share: quiet diagnostics, a scratch directory, streams over the input, checks of a
// loaded document and a snapshot of a catalogue taken through the public getters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ini/INIFile.h"
#include <brevant/INIHoop.h>

// Stops here so that libFuzzer records the input; used for every broken expectation.
#define FUZZ_EXPECT(condition)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(FuzzReportStream(), "fuzz expectation failed: %s (%s:%d)\n", #condition, __FILE__,  \
                         __LINE__);                                                                          \
            __builtin_trap();                                                                                \
        }                                                                                                    \
    } while (0)

// The library's diagnostics go to a stream that discards them; libFuzzer and the sanitizers keep the real
// standard error. Call once, from LLVMFuzzerInitialize.
void SilenceLibraryDiagnostics();
// The real standard error, for the fuzz targets' own reports.
FILE* FuzzReportStream();

// A directory of this process for the files that a target writes; removed when the process ends.
std::string ScratchPath(const char* name);
bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);
std::string ReadWholeFile(const std::string& path);

// A read-only stream over the input; the empty input gets a stream over no bytes as well.
FILE* OpenInputStream(const uint8_t* data, size_t size);

// Walks a document and traps on any broken invariant of its lists, counts, names and values.
// `fromText` adds what the text loader guarantees beyond the document's own rules.
void CheckDocument(CINIFile& document, bool fromText);
// Finds every section and value by name, removes every second value of each section from the first on (so
// that every section loses its head), and checks the document again.
void ExerciseDocument(CINIFile& document, bool fromText);

// A catalogue as the public getters show it.
struct MountSnapshot {
    std::string label;
    int fields[6]; // id, rotation, low x, high x, low y, high y
    bool operator==(const MountSnapshot& other) const;
};

struct HoopSnapshot {
    std::string description, shape;
    std::vector<POINT> points;
    int rects[3][4]; // sew field, inner dimension, outer dimension
    int rotation, spanDir;
    int bounds[4]; // GetHoopRect
    std::vector<MountSnapshot> mounts;
};

using CatalogueSnapshot = std::vector<HoopSnapshot>;

CatalogueSnapshot TakeSnapshot(CINIHoop& hoops);
// Equal in every stored field; the derived rotation, span direction and bounding rectangle too when asked.
bool SameCatalogue(const CatalogueSnapshot& a, const CatalogueSnapshot& b, bool derived);
