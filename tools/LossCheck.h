// What a hoop file holds that the catalogue read from it does not carry, found before anything is written.
//
// The library's reader takes only the hoop schema: sections [hoops], [hoops.hoopI] for I from 0 to 511 with
// their sewfield, innerdim, outerdim and mount sections, and in them only the keys it knows, with the value
// type and number of values it expects. It passes over everything else without a word, and a saved file
// holds only what was read. FindLosses lists each such thing with the line an editor shows:
//  - faulty lines, which the loader skips, and a last line without a line end or a line too long to read;
//  - comments and every non-empty `text` value (the writer writes `text=""`);
//  - sections and keys outside the schema, hoop sections numbered outside 0 to 511 (with their sub-sections),
//    mount sections the reader does not reach, values of the wrong type or number of values, values before
//    the first section;
//  - a key given twice in one section (the later value replaces the earlier one);
//  - numbers that do not read as they are written: 010 reads as octal 8, 1-2 as 1, ten-digit numbers beyond
//    the 32-bit range are undefined.
// Sections given twice are reported too, though nothing is lost: their values join the first one.
//
// Every command that writes a catalogue calls SaveCatalogue (CatalogueSave.h), which refuses to write while
// FindLosses lists anything that loses data, unless the person passed --force.
#pragma once

#include <map>
#include <string>
#include <vector>

enum class LossKind {
    FaultyLine,       // a line the loader reported as faulty and skipped
    Unread,           // a line the loader never reached
    Comment,          // a comment, on its own line or after a section or value
    Text,             // a non-empty `text` value
    Ignored,          // a section, key or value the reader passes over
    Replaced,         // a value that a later line of the same name replaces
    Number,           // a number that does not read as it is written
    DuplicateSection, // a section header given again (nothing lost)
    DuplicateKey,     // a key given again with the same value (nothing lost)
};

struct Loss {
    int line = 0; // the editor's line number, 0 when the input has no lines (binary form)
    LossKind kind = LossKind::Ignored;
    std::string what; // a sentence without the file name, e.g. "the comment is lost"
};

// Whether writing the catalogue would lose what the finding names.
bool LosesData(LossKind kind);

struct CatalogueInput;
// Findings in a catalogue as the tool read it (text or binary form), in line order.
std::vector<Loss> FindLosses(const CatalogueInput& input);

// Findings in a hoop file in INI text form, in line order. `faultyLines` maps the loader's line numbers of
// the lines it reported as faulty to its message.
std::vector<Loss> FindTextLosses(const std::string& bytes, const std::map<int, std::string>& faultyLines);

// Findings in a hoop file in binary form (no comments or lines there; only what the reader passes over).
std::vector<Loss> FindBinaryLosses(const std::string& bytes);
