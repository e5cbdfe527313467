// Conversions of one element text of a numeric value into its number. They read as far as the number goes,
// never depend on the locale, and give 0 for a text that holds no number.
#pragma once

#include <cstdint>

// "%i" reading: an optional sign, then a leading 0 makes the number octal (010 is 8, 09 is 0), otherwise
// decimal. Numbers beyond 32 bits keep their low 32 bits, as a 64-bit conversion cut to 32 bits gives.
int32_t ScanDecimalElement(const char* text);
// "0x" followed by the text, read as "%x": hexadecimal digits up to the first other character, low 32 bits.
uint32_t ScanHexadecimalElement(const char* text);
// Binary digits, the last one weighing 1.
uint32_t ScanBinaryElement(const char* text);
// "%f" reading in the C locale: the longest prefix that forms a decimal number, rounded to float.
float ScanRealElement(const char* text);
