// Element conversions of the numeric stores.
#include "ini/INITextConvert.h"

#include <charconv>

namespace {

int DigitValue(char character) {
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    return 99;
}

// Accumulates the digits of the base from the start of the text, wrapping rather than overflowing.
uint64_t ReadDigits(const char* text, int base) {
    uint64_t number = 0;
    for (; DigitValue(*text) < base; ++text)
        number = number * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(*text));
    return number;
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

} // namespace

int32_t ScanDecimalElement(const char* text) {
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    uint64_t number = text[0] == '0' ? ReadDigits(text, 8) : ReadDigits(text, 10);
    if (negative)
        number = 0 - number;
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

uint32_t ScanHexadecimalElement(const char* text) {
    return static_cast<uint32_t>(ReadDigits(text, 16));
}

uint32_t ScanBinaryElement(const char* text) {
    uint32_t number = 0;
    for (; *text == '0' || *text == '1'; ++text)
        number = (number << 1) | static_cast<uint32_t>(*text - '0');
    return number;
}

float ScanRealElement(const char* text) {
    const char* start = *text == '+' ? text + 1 : text; // from_chars takes a minus sign only
    const char* end = *text == '-' || *text == '+' ? text + 1 : text;
    int digits = 0;
    for (; IsDigit(*end); ++end)
        ++digits;
    if (*end == '.' && (digits > 0 || IsDigit(end[1]))) {
        for (++end; IsDigit(*end); ++end)
            ++digits;
    }
    if (digits == 0)
        return 0.0f;
    float number = 0.0f;
    std::from_chars_result result = std::from_chars(start, end, number);
    return result.ec == std::errc() ? number : 0.0f;
}
