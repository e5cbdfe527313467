// Saving a catalogue: the one way every command writes a hoop file (convert, import, rotate and the editing
// commands). SaveCatalogue
//  1. refuses, listing each item as FILE:LINE: what, when the input held something the saved file would not
//     (see LossCheck.h), unless the person passed --force;
//  2. refuses texts that a hoop file cannot carry (a line break ends the line) and names ending in .inb;
//  3. has the library save the catalogue to a scratch file and insists that it loads back, without faults,
//     into the same hoops;
//  4. turns the library's CR LF line ends into LF when asked (--lf, or --line-ends lf);
//  5. writes the bytes with WriteOutput (SafeSave.h): "-" is standard output, links are followed, hard links,
//     permissions and owner are kept, anything but a regular file is refused, every write is checked.
// Whenever it refuses or fails, OUT is left exactly as it was.
//
// A command that writes:
//     SaveOptions save;                                  // kept alive with the command's other options
//     AddSaveOptions(*command, save);                    // -o/--output is the command's own
//     ...
//     CINIHoop catalogue; CatalogueInput input;
//     int status = OpenInput(path, catalogue, input);    // Catalogue.h
//     if (status == kExitFailed) return status;
//     ... change the catalogue ...
//     return SaveCatalogue(catalogue, &input, save, status);
#pragma once

#include "Catalogue.h"

#include <brevant/Brevant.h>

#include <string>

namespace CLI {
class App;
}

enum class LineEnds { CrLf, Lf };

struct SaveOptions {
    std::string out; // the file to write, or "-" for standard output
    bool force = false;
    LineEnds lineEnds = LineEnds::CrLf;
};

// Adds --force and --lf / --line-ends lf|crlf to a command that writes a catalogue.
void AddSaveOptions(CLI::App& command, SaveOptions& options);

// Saves as described above. `input` is what the catalogue was read from (null for a new catalogue, as import
// makes); `loadStatus` is OpenInput's answer. Answers kExitOk or loadStatus when OUT was written,
// kExitFaulty when data would be lost (nothing written), kExitFailed when it could not be written.
int SaveCatalogue(CINIHoop& catalogue, const CatalogueInput* input, const SaveOptions& options,
                  int loadStatus = 0);

// Prints what `input` holds that a catalogue written from it to `out` would not, each as FILE:LINE: what,
// then what happens to `out` (written with --force, else not). Answers whether anything would be lost.
bool ListLosses(const CatalogueInput& input, const std::string& out, bool force);

// ListLosses for a command's own output: SaveCatalogue calls it for its input; a command that takes hoops
// from a second input (merge) calls it for that one.
bool ReportLosses(const CatalogueInput& input, const SaveOptions& options);

// CR LF line ends turned into LF.
std::string ToLfLineEnds(const std::string& bytes);
