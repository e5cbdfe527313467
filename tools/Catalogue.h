// Loading a hoop catalogue through the library, with the diagnostics it gives on the way.
#pragma once

#include <brevant/Brevant.h>

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

// The FILE argument of the commands that read a catalogue: a path, or - for standard input.
CLI::Option* AddCatalogueArgument(CLI::App* command, std::string& path);

// One diagnostic of the library's loader.
struct EngineMessage {
    enum class Kind {
        FaultyLine, // "Error : Line <N> - MSG": a line of the file that the loader skipped
        Failure,    // "Failure : MSG": an operation that went wrong
        Summary,    // "Loaded INI file - Errors <N> Warnings <N>."
        Other,
    };
    Kind kind = Kind::Other;
    int line = 0;     // the loader's line number of a faulty line
    std::string text; // the message without its prefix
};

struct LoadReport {
    bool loaded = false;
    int faultyLines = 0;
    std::vector<EngineMessage> messages;
    std::string problem; // why the file could not be loaded, in plain words

    // Faulty lines, or any failure that the loader got over (a line it could not read).
    bool HasFaults() const;
};

// The library reads a file as binary INI when its name ends in ".inb", in any letter case.
bool IsBinaryCatalogueName(const std::string& path);

// Loads a catalogue from bytes in the text or the binary form.
LoadReport LoadCatalogueBytes(CINIHoop& catalogue, const std::string& bytes, bool binary);
// Loads a catalogue file, binary when its name ends in .inb.
LoadReport LoadCatalogue(CINIHoop& catalogue, const std::string& path);

// A catalogue file as the tool read it: its bytes, and the library's report on loading them.
struct CatalogueInput {
    std::string path; // as the person gave it; "-" is standard input
    std::string bytes;
    bool binary = false;
    LoadReport report;
    // How messages name the input: its path, or "<stdin>".
    std::string Name() const { return path == "-" ? "<stdin>" : path; }
};

// The binary form starts with "INB" and three bytes that give "INB" when 0x41 is added to each. Standard
// input has no name, so this is how the tool tells a binary catalogue that comes through a pipe.
bool HasBinarySignature(const std::string& bytes);

// Reads `path` ("-" reads standard input to its end) and loads it into the catalogue. A path is read as
// binary when its name ends in .inb, as the library decides; standard input when it starts with the binary
// signature. When the file cannot be read or loaded, input.report.loaded is false and report.problem says
// why.
void ReadCatalogue(const std::string& path, CINIHoop& catalogue, CatalogueInput& input);

// ReadCatalogue, then for the commands: tells the person briefly about faulty lines and answers the exit
// status so far (kExitOk, kExitFaulty with the hoops loaded, or kExitFailed after saying why).
int OpenInput(const std::string& path, CINIHoop& catalogue, CatalogueInput& input);

// For the commands that only need the hoops: loads the file, tells the person briefly about faulty lines
// and answers the exit status so far (kExitOk, kExitFaulty with the hoops loaded, or kExitFailed).
int OpenCatalogue(CINIHoop& catalogue, const std::string& path);

struct HoopData;
// For the commands that work on the hoops of a file: opens it as OpenCatalogue does and reads its hoops into
// `hoops`. A `hoop` index of 0 or more must be one of them, or the person is told so and the answer is
// kExitFailed; -1 asks for none in particular.
int OpenHoops(const std::string& path, int hoop, std::vector<HoopData>& hoops);
