// Symbol sets of the text loader. Each is written as a text that ends in the sentinel "?" (not a member) and
// is turned into a table once, so that testing a character costs the same whatever the set.
#pragma once

struct SymbolSet {
    bool members[256];
};

// The characters of `symbols` up to, not including, `stop`, and `extra` when it is not 0.
constexpr SymbolSet MakeSymbolSet(const char* symbols, char stop = '?', char extra = '\0') {
    SymbolSet set{};
    for (const char* next = symbols; *next != stop; ++next)
        set.members[static_cast<unsigned char>(*next)] = true;
    if (extra != '\0')
        set.members[static_cast<unsigned char>(extra)] = true;
    return set;
}

inline bool IsMember(const SymbolSet& set, char character) {
    return set.members[static_cast<unsigned char>(character)];
}

// The characters of section names and of value names.
inline constexpr SymbolSet kSectionSymbols =
    MakeSymbolSet("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890_-&!(){}+.?");
inline constexpr SymbolSet kNameSymbols =
    MakeSymbolSet("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890_-?");

// The bytes that end a line: carriage return, line feed and 0xFF.
inline constexpr SymbolSet kLineEndSymbols = MakeSymbolSet("\r\n\xFF?");
