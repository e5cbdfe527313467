// An INI document as text, so that a test compares whole documents with one expectation.
#pragma once

#include <string>

class CINIFile;

// "[section]" then "name TK:elements;" for each value (T the storage type, K the kind as a letter of
// "dhbcsr", or "?"), integers in decimal, reals as short as they read back, raw words in hex, characters and
// strings as their bytes (a stored string must end in a zero byte); then "@" and the current section.
// "(none)" when the document has not been created.
std::string DocumentText(const CINIFile& file);

// What loading the bytes as a file of this name (its extension picks the form) gives: the result, the
// diagnostics and the document.
struct LoadedDocument {
    int result;
    std::string printed;
    std::string text;
};
LoadedDocument LoadDocument(const std::string& bytes, const std::string& name = "document.ini");
