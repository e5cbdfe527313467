// The five list stores: one course, told once, that cuts a comma-separated value into elements, checks and
// converts each, and stores the list. A small description per store gives what differs between them.
#include <cstring>

#include "ini/INITextConvert.h"
#include "ini/INITextStore.h"
#include "ini/INITextSymbols.h"

namespace {

struct ListStore {
    const char* name;         // the store's name in its failure messages
    int type;                 // storage type and value kind passed to the value record
    int kind;                 //
    char prefix;              // '$' or '%' that begins every element; '\0' for none
    const char* word;         // the kind in the element messages ("Unexpected decimal symbol")
    const char* capitalWord;  // the kind in the limit message ("Decimal number too large!")
    const SymbolSet* symbols; // the element symbols; null: not tested
    size_t longest;           // the longest element; 0: not tested
    bool emptyIsError;        // an element empty after the strip is "Invalid or incomplete ... value!"
    bool (*extraTest)(SINISourceLine* opLine, const char* element);
    void (*convert)(char* element, SINISourceScratch* scratch, int index);
    const char* replaceFailure;
};

// Copies the next element of the value text into `element` and moves `next` past it and its comma. A comma
// always ends an element; the end of the text ends the last one, and the answer is then true. (Consuming the
// text from a character-list string gives the same elements, but one heap record per character made that the
// largest single cost of loading a catalogue.)
bool CutElement(const char*& next, char* element) {
    size_t length = std::strcspn(next, ",");
    std::memcpy(element, next, length);
    element[length] = '\0';
    bool last = next[length] == '\0';
    next += last ? length : length + 1;
    return last;
}

// Checks the prefix of the element and replaces it by a blank that the strip then removes.
bool PrefixRemoved(const ListStore& store, SINISourceLine* opLine, char* element) {
    if (element[0] != store.prefix) {
        INI_SOURCE_LINE_ERROR(opLine, "Errornous, invalid or incomplete %s symbol <0x%x><'%c'>!", store.word,
                              INISourceCharArgument(element[0]), element[0]);
        return false;
    }
    element[0] = ' ';
    INIStringStripPrePostSpace(element); // a lone prefix leaves a blank, which the symbol test refuses
    return true;
}

bool SymbolsValid(const ListStore& store, SINISourceLine* opLine, const char* element) {
    for (const char* next = element; *next; ++next) {
        if (IsMember(*store.symbols, *next))
            continue;
        INI_SOURCE_LINE_ERROR(opLine, "Unexpected %s symbol <0x%x><'%c'>!", store.word,
                              INISourceCharArgument(*next), *next);
        return false;
    }
    return true;
}

bool ElementValid(const ListStore& store, SINISourceLine* opLine, char* element) {
    INIStringStripPrePostSpace(element);
    if (store.emptyIsError && element[0] == '\0') {
        INI_SOURCE_LINE_ERROR(opLine, "Invalid or incomplete %s value!", store.word);
        return false;
    }
    if (store.prefix != '\0' && !PrefixRemoved(store, opLine, element))
        return false;
    if (store.symbols && !SymbolsValid(store, opLine, element))
        return false;
    if (store.extraTest && !store.extraTest(opLine, element))
        return false;
    if (store.longest != 0 && std::strlen(element) > store.longest) {
        INI_SOURCE_LINE_ERROR(opLine, "%s number too large!  Legal limit -- 32bits / 2^32.",
                              store.capitalWord);
        return false;
    }
    return true;
}

int StoreList(const ListStore& store, SINISourceLine* opLine, CINIFile* document) {
    if (!StoreArgumentsValid(opLine, document, store.name))
        return 0;
    SINISourceScratch* scratch = opLine->scratch;
    const char* next = opLine->caValue;
    char* element = scratch->elementText;
    int count = 0;
    for (bool last = false; !last;) {
        last = CutElement(next, element);
        if (!ElementValid(store, opLine, element))
            return 0;
        // A line holds fewer elements than the element array takes; the second test only guards the array.
        if (count == INI_MAX_ELEMENTS || count == INI_LINE_ELEMENTS) {
            INI_SOURCE_LINE_ERROR(opLine, "Array overflow, too many elements!  Legal limit <%i>.",
                                  INI_MAX_ELEMENTS);
            return 0;
        }
        store.convert(element, scratch, count++);
    }
    const char* name = opLine->caValueName;
    SINISourceValue value{name, std::strlen(name), store.type, store.kind, count, &scratch->elements};
    return PutLineValue(opLine, document, store.name, value, store.replaceFailure);
}

bool LoneFullStopRefused(SINISourceLine* opLine, const char* element) {
    if (std::strcmp(element, ".") != 0)
        return true;
    INI_SOURCE_LINE_ERROR(opLine, "Invalid or incomplete real value!");
    return false;
}

// A character element is an apostrophe, any character and an apostrophe.
bool CharacterPairValid(SINISourceLine* opLine, const char* element) {
    size_t length = std::strlen(element);
    if (length < 2 || length > 3) {
        INI_SOURCE_LINE_ERROR(opLine, "Errornous or incomplete character!");
        return false;
    }
    if (element[0] != '\'' || element[2] != '\'') { // of two characters, the third is the terminator
        INI_SOURCE_LINE_ERROR(opLine, "Errornous character open/close pair <'%c'><'%c'>!", element[0],
                              element[2]);
        return false;
    }
    return true;
}

void ConvertDecimal(char* element, SINISourceScratch* scratch, int index) {
    scratch->elements.integers[index] = ScanDecimalElement(element);
}

// A leading minus sign gives the sign; the digits after it are read as "%x" reads "0x" and the text.
void ConvertHexadecimal(char* element, SINISourceScratch* scratch, int index) {
    bool negative = element[0] == '-';
    if (negative) {
        element[0] = ' ';
        INIStringStripPrePostSpace(element);
    }
    uint32_t number = ScanHexadecimalElement(element);
    scratch->elements.integers[index] = static_cast<int32_t>(negative ? 0u - number : number);
}

void ConvertBinary(char* element, SINISourceScratch* scratch, int index) {
    scratch->elements.integers[index] = static_cast<int32_t>(ScanBinaryElement(element));
}

void ConvertReal(char* element, SINISourceScratch* scratch, int index) {
    scratch->elements.reals[index] = ScanRealElement(element);
}

void ConvertCharacter(char* element, SINISourceScratch* scratch, int index) {
    scratch->elements.characters[index] = element[1];
}

const char kReplaceFailure[] = "CINIFile::ValueReplace() failed!";
constexpr SymbolSet kDecimalSymbols = MakeSymbolSet("-0123456789?");
constexpr SymbolSet kHexadecimalSymbols = MakeSymbolSet("-0123456789abcdefABCDEF?");
constexpr SymbolSet kBinarySymbols = MakeSymbolSet("01?");
constexpr SymbolSet kRealSymbols = MakeSymbolSet("-0123456789.?");

// name, type, kind, prefix, word, capital word, symbols, longest, empty is an error, extra test, conversion,
// replace failure
const ListStore kDecimalStore = {"INISourceStoreDecimalValues",
                                 INI_TYPE_INTEGER,
                                 INI_KIND_DECIMAL,
                                 '\0',
                                 "decimal",
                                 "Decimal",
                                 &kDecimalSymbols,
                                 10,
                                 true,
                                 nullptr,
                                 ConvertDecimal,
                                 kReplaceFailure};
const ListStore kHexadecimalStore = {"INISourceStoreHexadecimalValues",
                                     INI_TYPE_INTEGER,
                                     INI_KIND_HEXADECIMAL,
                                     '$',
                                     "hexadecimal",
                                     "Hexadecimal",
                                     &kHexadecimalSymbols,
                                     9,
                                     false,
                                     nullptr,
                                     ConvertHexadecimal,
                                     kReplaceFailure};
const ListStore kBinaryStore = {"INISourceStoreBinaryValues",
                                INI_TYPE_INTEGER,
                                INI_KIND_BINARY,
                                '%',
                                "binary",
                                "Binary",
                                &kBinarySymbols,
                                32,
                                false,
                                nullptr,
                                ConvertBinary,
                                "ValueReplace() failed!"}; // this store's message has no class name
const ListStore kCharacterStore = {"INISourceStoreCharacterValues",
                                   INI_TYPE_CHARACTER,
                                   INI_KIND_CHARACTER,
                                   '\0',
                                   "character",
                                   "Character",
                                   nullptr,
                                   0,
                                   false,
                                   CharacterPairValid,
                                   ConvertCharacter,
                                   kReplaceFailure};
const ListStore kRealStore = {
    "INISourceStoreRealValues", INI_TYPE_REAL, INI_KIND_REAL,  '\0', "real", "Real", &kRealSymbols, 14, true,
    LoneFullStopRefused,        ConvertReal,   kReplaceFailure};

} // namespace

int INISourceStoreDecimalValues(SINISourceLine* opLine, CINIFile* document) {
    return StoreList(kDecimalStore, opLine, document);
}

int INISourcePutDecimals(SINISourceLine* opLine, CINIFile* document, const char* name, size_t nameLength,
                         int count) {
    SINISourceValue value{
        name, nameLength, INI_TYPE_INTEGER, INI_KIND_DECIMAL, count, &opLine->scratch->elements};
    return PutLineValue(opLine, document, kDecimalStore.name, value, kDecimalStore.replaceFailure);
}

int INISourceStoreHexadecimalValues(SINISourceLine* opLine, CINIFile* document) {
    return StoreList(kHexadecimalStore, opLine, document);
}

int INISourceStoreBinaryValues(SINISourceLine* opLine, CINIFile* document) {
    return StoreList(kBinaryStore, opLine, document);
}

int INISourceStoreCharacterValues(SINISourceLine* opLine, CINIFile* document) {
    return StoreList(kCharacterStore, opLine, document);
}

int INISourceStoreRealValues(SINISourceLine* opLine, CINIFile* document) {
    return StoreList(kRealStore, opLine, document);
}
