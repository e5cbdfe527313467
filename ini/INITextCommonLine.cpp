// The lines that make up nearly all of a saved catalogue, taken in one pass over the line that also finds its
// end: an empty line, a plain section line, and a name followed directly by a decimal list or a quoted
// string. A line qualifies only when every step would pass it unchanged (nothing to strip, no comment, no
// blank, no zero byte, no element that needs the octal reading or draws a message), so taking it here gives
// exactly what the steps give.
#include <cstdint>
#include <cstring>

#include "ini/INIEightBytes.h"
#include "ini/INIFileNameHash.h"
#include "ini/INIText.h"
#include "ini/INITextStore.h"
#include "ini/INITextSymbols.h"
#include "platform/NoCase.h"

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

// Once the section index outgrows the first-level cache, its probe for a new section would wait for memory
// at every section line. While the value lines of this section are read, the slot that the next section line
// of the buffer will probe is fetched already, and the hash of its name is kept for that line; a guess that
// is wrong costs one useless fetch. A smaller index needs none of this.
void LookAhead(SINISourceScratch* scratch, const NameIndex& index, const char* text) {
    const uint32_t kCachedSlots = 1 << 10;
    if (index.capacity <= kCachedSlots)
        return;
    const char* open = text;
    while ((open = std::strchr(open, '[')) && open != text && !IsMember(kLineEndSymbols, open[-1]))
        ++open;
    if (!open)
        return;
    const char* close = open + 1;
    while (IsMember(kSectionSymbols, *close))
        ++close;
    scratch->aheadName = open + 1;
    scratch->aheadLength = static_cast<size_t>(close - open - 1);
    scratch->aheadHash = HashNoCaseBytes(open + 1, scratch->aheadLength);
    __builtin_prefetch(&index.slots[scratch->aheadHash & (index.capacity - 1)]);
}

// "[" section symbols "]" and the line end.
size_t TakeSection(SINISourceLine* opLine, CINIFile* document, char* text) {
    const char* name = text + 1;
    SINISourceScratch* scratch = opLine->scratch;
    bool ahead = scratch->aheadName == name; // the name has been scanned and hashed already
    char* close = text + 1 + (ahead ? scratch->aheadLength : 0);
    while (!ahead && IsMember(kSectionSymbols, *close))
        ++close;
    if (*close != ']' || close == name)
        return 0;
    size_t taken = Through(text, close + 1);
    if (taken) {
        *close = '\0';
        size_t length = static_cast<size_t>(close - name);
        uint32_t hash = ahead ? scratch->aheadHash : HashNoCaseBytes(name, length);
        INISourceEnterSection(opLine, document, name, length, hash);
        LookAhead(scratch, document->Root()->sectionIndex, text + taken);
    }
    return taken;
}

// The number of decimal digits that begin the eight bytes of `word`, the first byte being the lowest; 8 when
// all are digits.
int LeadingDigits(uint64_t word) {
    uint64_t others = ~BytesBetween(word, '0', '9') & 0x8080808080808080ull;
    return others ? __builtin_ctzll(others) >> 3 : 8;
}

// The value of the first `digits` (1 to 8) decimal digits of `word`, with three multiplications.
uint32_t DigitsValue(uint64_t word, int digits) {
    uint64_t value = word - 0x0101010101010101ull * '0';
    if (digits < 8)
        value <<= 8 * (8 - digits); // leading zero digits take the place of the bytes after the number
    value = value * 10 + (value >> 8);
    const uint64_t pairs = 0x000000FF000000FFull;
    value =
        ((value & pairs) * (100 + (1000000ull << 32)) + ((value >> 16) & pairs) * (1 + (10000ull << 32))) >>
        32;
    return static_cast<uint32_t>(value);
}

// Elements of an optional minus and one to seven decimal digits, separated by single commas. A leading zero
// before a further digit is left to the steps, which read it as octal, and longer numbers too. Gives the
// character after the last element, or null.
const char* ReadPlainDecimals(const char* text, int32_t* elements, int* count) {
    int stored = 0;
    for (;; ++text) {
        // The sign comes from the same eight bytes as the digits, so that each element waits for one load.
        uint64_t word = LoadEightBytes(text);
        bool negative = (word & 0xFF) == '-';
        word >>= 8 * negative; // the byte that comes in at the top is zero, which is no digit
        text += negative;
        int digits = LeadingDigits(word);
        if (digits == 0 || digits == 8 || ((word & 0xFF) == '0' && digits > 1) || stored == INI_LINE_ELEMENTS)
            return nullptr;
        uint32_t number = DigitsValue(word, digits);
        elements[stored++] = static_cast<int32_t>(negative ? 0u - number : number);
        text += digits;
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

// The first byte from `text` on that ends a line or is zero. Eight bytes are tested at a time: a byte equal
// to one of the four becomes zero after the exclusive or, and the lowest zero byte of a word is found
// exactly. `text` runs on to zero bytes, so every word read lies within the text and its padding.
const char* LineEndOrZero(const char* text) {
    const uint64_t ones = 0x0101010101010101ull;
    for (;; text += 8) {
        uint64_t word = LoadEightBytes(text);
        uint64_t cr = word ^ (ones * '\r'), lf = word ^ (ones * '\n'), ff = ~word;
        uint64_t zero =
            ((word - ones) & ~word) | ((cr - ones) & ~cr) | ((lf - ones) & ~lf) | ((ff - ones) & ~ff);
        zero &= ones * 0x80;
        if (zero)
            return text + (__builtin_ctzll(zero) >> 3);
    }
}

// A quoted string: the line's last character is the closing quote, and "" is accepted and not stored.
size_t TakeString(SINISourceLine* opLine, CINIFile* document, char* text, size_t nameLength) {
    const char* value = text + nameLength + 1;
    const char* end = LineEndOrZero(value + 1);
    size_t taken = Through(text, end);
    if (!taken || end - value < 2 || end[-1] != '"')
        return 0;
    text[nameLength] = '\0';
    if (end - value > 2)
        INISourcePutString(opLine, document, text, nameLength, value + 1, static_cast<int>(end - value - 2));
    return taken;
}

size_t TakeLine(SINISourceLine* opLine, CINIFile* document, char* text) {
    if (IsMember(kLineEndSymbols, text[0]))
        return 1; // an empty line: nothing to do
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

} // namespace

size_t INISourceTakeCommonLine(SINISourceLine* opLine, CINIFile* document, char* text) {
    if (!document->Root())
        return 0;
    return TakeLine(opLine, document, text);
}

size_t INISourceTakeCommonLines(SINISourceLine* opLine, CINIFile* document, char* text) {
    if (!document->Root())
        return 0;
    char* next = text;
    while (size_t taken = TakeLine(opLine, document, next)) {
        next += taken;
        ++opLine->iLineNumber;
    }
    return static_cast<size_t>(next - text);
}
