// Case-insensitive comparisons that fold the ASCII letters only, byte by byte, whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>

inline unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// Stands in for _stricmp: negative, zero or positive like strcmp, on folded bytes.
int CompareNoCase(const char* a, const char* b);
// Stands in for _mbsicmp; for single-byte names it answers as CompareNoCase.
int CompareNoCaseMultiByte(const unsigned char* a, const unsigned char* b);
