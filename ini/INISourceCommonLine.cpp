// The lines that make up nearly all of a saved catalogue, taken in one pass over the line: a plain section
// line, and a name followed directly by a decimal list or a quoted string. A line qualifies only when every
// step would pass it unchanged (nothing to strip, no comment, no blank, no zero byte, no element that needs
// the octal reading or draws a message), so taking it here gives exactly what the steps give.
#include <cstring>

#include "ini/INISource.h"
#include "ini/INISourceStores.h"
#include "ini/INISourceSymbols.h"

namespace {

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

// "[" section symbols "]" and nothing else.
bool TakeSection(SINISourceLine* opLine, CINIFile* document, char* line, size_t length) {
    if (length < 3 || line[length - 1] != ']')
        return false;
    char* close = line + length - 1;
    for (const char* next = line + 1; next != close; ++next)
        if (!IsMember(kSectionSymbols, *next))
            return false;
    *close = '\0';
    INISourceEnterSection(opLine, document, line + 1, length - 2);
    return true;
}

// Elements of an optional minus and decimal digits, ten characters at most, separated by single commas up to
// the end of the line. A leading zero before a further digit is left to the steps, which read it as octal.
bool ReadPlainDecimals(const char* text, const char* end, int32_t* elements, int* count) {
    int stored = 0;
    for (;;) {
        const char* start = text;
        bool negative = *text == '-';
        text += negative;
        if (!IsDigit(*text) || (*text == '0' && IsDigit(text[1])))
            return false;
        uint64_t number = 0;
        for (; IsDigit(*text); ++text)
            number = number * 10 + static_cast<unsigned>(*text - '0');
        if (text - start > 10 || stored == INI_MAX_ELEMENTS)
            return false;
        elements[stored++] = static_cast<int32_t>(static_cast<uint32_t>(negative ? 0 - number : number));
        if (text == end) {
            *count = stored;
            return true;
        }
        if (*text++ != ',')
            return false;
    }
}

// A quoted string: the value's last character is its closing quote, and "" is accepted and not stored.
bool TakeString(SINISourceLine* opLine, CINIFile* document, char* name, size_t nameLength, const char* value,
                size_t valueLength) {
    if (valueLength < 2 || value[valueLength - 1] != '"' || std::memchr(value, '\0', valueLength))
        return false;
    name[nameLength] = '\0';
    if (valueLength > 2)
        INISourcePutString(opLine, document, name, nameLength, value + 1, static_cast<int>(valueLength - 2));
    return true;
}

bool TakeDecimals(SINISourceLine* opLine, CINIFile* document, char* name, size_t nameLength,
                  const char* value, size_t valueLength) {
    int count = 0;
    if (!ReadPlainDecimals(value, value + valueLength, opLine->scratch->elements.integers, &count))
        return false;
    name[nameLength] = '\0';
    INISourcePutDecimals(opLine, document, name, nameLength, count);
    return true;
}

} // namespace

bool INISourceTakeCommonLine(SINISourceLine* opLine, CINIFile* document, size_t length) {
    if (!document->Root())
        return false;
    char* line = opLine->caLine;
    if (line[0] == '[')
        return TakeSection(opLine, document, line, length);
    size_t nameLength = 0;
    while (IsMember(kNameSymbols, line[nameLength]))
        ++nameLength;
    if (nameLength == 0 || line[nameLength] != '=')
        return false;
    const char* value = line + nameLength + 1;
    size_t valueLength = length - nameLength - 1;
    if (value[0] == '"')
        return TakeString(opLine, document, line, nameLength, value, valueLength);
    if (value[0] == '-' || IsDigit(value[0]))
        return TakeDecimals(opLine, document, line, nameLength, value, valueLength);
    return false;
}
