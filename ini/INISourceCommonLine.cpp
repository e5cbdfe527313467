// The lines that make up nearly all of a saved catalogue, taken in one pass over the line that also finds its
// end: a plain section line, and a name followed directly by a decimal list or a quoted string. A line
// qualifies only when every step would pass it unchanged (nothing to strip, no comment, no blank, no zero
// byte, no element that needs the octal reading or draws a message), so taking it here gives exactly what the
// steps give.
#include <cstring>

#include "ini/INISource.h"
#include "ini/INISourceStores.h"
#include "ini/INISourceSymbols.h"

namespace {

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

// The bytes of a line from `text` to the line end at `end`, with the line end; 0 when `end` is no line end or
// the line is too long for the line record.
size_t Through(const char* text, const char* end) {
    size_t length = static_cast<size_t>(end - text);
    return IsMember(kLineEndSymbols, *end) && length < INI_LINE_CAPACITY ? length + 1 : 0;
}

// "[" section symbols "]" and the line end.
size_t TakeSection(SINISourceLine* opLine, CINIFile* document, char* text) {
    char* close = text + 1;
    while (IsMember(kSectionSymbols, *close))
        ++close;
    if (*close != ']' || close == text + 1)
        return 0;
    size_t taken = Through(text, close + 1);
    if (taken) {
        *close = '\0';
        INISourceEnterSection(opLine, document, text + 1, static_cast<size_t>(close - text - 1));
    }
    return taken;
}

// Elements of an optional minus and decimal digits, ten characters at most, separated by single commas. A
// leading zero before a further digit is left to the steps, which read it as octal. Gives the character after
// the last element, or null.
const char* ReadPlainDecimals(const char* text, int32_t* elements, int* count) {
    int stored = 0;
    for (;; ++text) {
        const char* start = text;
        bool negative = *text == '-';
        text += negative;
        if (!IsDigit(*text) || (*text == '0' && IsDigit(text[1])))
            return nullptr;
        uint64_t number = 0;
        for (; IsDigit(*text); ++text)
            number = number * 10 + static_cast<unsigned>(*text - '0');
        if (text - start > 10 || stored == INI_LINE_ELEMENTS)
            return nullptr;
        elements[stored++] = static_cast<int32_t>(static_cast<uint32_t>(negative ? 0 - number : number));
        if (*text != ',') {
            *count = stored;
            return text;
        }
    }
}

size_t TakeDecimals(SINISourceLine* opLine, CINIFile* document, char* text, size_t nameLength) {
    int count = 0;
    const char* end = ReadPlainDecimals(text + nameLength + 1, opLine->scratch->elements.integers, &count);
    size_t taken = end ? Through(text, end) : 0;
    if (taken) {
        text[nameLength] = '\0';
        INISourcePutDecimals(opLine, document, text, nameLength, count);
    }
    return taken;
}

// A quoted string: the line's last character is the closing quote, and "" is accepted and not stored.
size_t TakeString(SINISourceLine* opLine, CINIFile* document, char* text, size_t nameLength) {
    const char* value = text + nameLength + 1;
    const char* end = value + 1;
    while (*end != '\0' && !IsMember(kLineEndSymbols, *end))
        ++end;
    size_t taken = Through(text, end);
    if (!taken || end - value < 2 || end[-1] != '"')
        return 0;
    text[nameLength] = '\0';
    if (end - value > 2)
        INISourcePutString(opLine, document, text, nameLength, value + 1, static_cast<int>(end - value - 2));
    return taken;
}

} // namespace

size_t INISourceTakeCommonLine(SINISourceLine* opLine, CINIFile* document, char* text) {
    if (!document->Root())
        return 0;
    if (text[0] == '[')
        return TakeSection(opLine, document, text);
    size_t nameLength = 0;
    while (IsMember(kNameSymbols, text[nameLength]))
        ++nameLength;
    if (nameLength == 0 || text[nameLength] != '=')
        return 0;
    char first = text[nameLength + 1];
    if (first == '"')
        return TakeString(opLine, document, text, nameLength);
    if (first == '-' || IsDigit(first))
        return TakeDecimals(opLine, document, text, nameLength);
    return 0;
}
