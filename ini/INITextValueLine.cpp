// Value lines: name "=" value, optionally followed by a comment. The steps below check the line, split it,
// check the name, classify the value and check its symbols before a store of its kind takes it.
#include <cstring>

#include "ini/INIText.h"
#include "ini/INITextSymbols.h"

namespace {

// The symbols of the numeric kinds: each kind reads this table from its start up to a stop symbol of its own.
constexpr char kValueSymbols[] = " \t01,-23456789.abcdefABCDEF?";
constexpr SymbolSet kBinarySymbols = MakeSymbolSet(kValueSymbols, '-', '%');
constexpr SymbolSet kDecimalSymbols = MakeSymbolSet(kValueSymbols, '.');
constexpr SymbolSet kRealSymbols = MakeSymbolSet(kValueSymbols, 'a');
constexpr SymbolSet kHexadecimalSymbols = MakeSymbolSet(kValueSymbols, '?', '$');

// Index of the last ";" among the first `length` characters, or -1.
int LastSemicolonBefore(const char* text, int length) {
    while (--length >= 0)
        if (text[length] == ';')
            return length;
    return -1;
}

// Checks every character of the value against the kind's symbols.
int CheckSymbols(SINISourceLine* opLine, const SymbolSet& symbols, const char* kindWord) {
    for (const char* next = opLine->caValue; *next; ++next) {
        if (IsMember(symbols, *next))
            continue;
        INI_SOURCE_LINE_ERROR(opLine, "Errornous symbol <0x%x><'%c'> in %s value!",
                              INISourceCharArgument(*next), *next, kindWord);
        return 0;
    }
    return 1;
}

int CheckPrefixedSymbols(SINISourceLine* opLine, const SymbolSet& symbols, const char* kindWord) {
    if (std::strlen(opLine->caValue) < 2) {
        INI_SOURCE_LINE_ERROR(opLine, "Value incomplete!");
        return 0;
    }
    return CheckSymbols(opLine, symbols, kindWord);
}

// A quoted value of exactly its two quotes is empty: accepted, and not stored.
int CheckQuoted(SINISourceLine* opLine, size_t length) {
    if (length == 2) {
        opLine->iKind = INI_KIND_EMPTY;
        opLine->caValue[0] = '\0';
    }
    return 1;
}

int CheckCharacterSymbols(SINISourceLine* opLine) {
    size_t length = std::strlen(opLine->caValue);
    if (length < 2) {
        INI_SOURCE_LINE_ERROR(opLine, "Errornous or incomplete character value!");
        return 0;
    }
    return CheckQuoted(opLine, length);
}

int CheckStringSymbols(SINISourceLine* opLine) {
    INIStringStripPrePostSpace(opLine->caValue);
    size_t length = std::strlen(opLine->caValue);
    if (length < 2 || opLine->caValue[length - 1] != '"') {
        INI_SOURCE_LINE_ERROR(opLine, "Errornous or incomplete string value!");
        return 0;
    }
    return CheckQuoted(opLine, length);
}

} // namespace

int INISourceCheckIntegrity(SINISourceLine* opLine) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceCheckIntegrity() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose(
            "Failure : CINIFile::INISourceCheckIntegrity() > opLine has not been initialized correctly!");
        return 0;
    }
    if (opLine->caLine[0] == ';')
        return 0; // a comment
    if (std::strlen(opLine->caLine) <= 2 || !std::strchr(opLine->caLine, '=')) {
        INI_SOURCE_LINE_ERROR(opLine, "Syntax error.");
        return 0;
    }
    return 1;
}

int INISourceSplitLine(SINISourceLine* opLine) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceSplitLine() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose("Failure : CINIFile::INISourceSplitLine() > opLine has not been initialized correctly!");
        return 0;
    }
    int equals = INIStringIndexOfFirst(opLine->caLine, '=');
    if (equals < 0) { // only a line that has not passed the integrity check
        INI_SOURCE_LINE_ERROR(opLine, "Syntax error.");
        return 0;
    }
    if (equals == 0) {
        INI_SOURCE_LINE_ERROR(opLine, "Unexpected symbol <0x%x><'%c'>.", 0x3d, '=');
        return 0;
    }
    std::memcpy(opLine->caValueName, opLine->caLine, equals);
    opLine->caValueName[equals] = '\0';
    std::strcpy(opLine->caValue, opLine->caLine + equals + 1);
    if (opLine->caValue[0] == '\0') {
        INI_SOURCE_LINE_ERROR(opLine, "No value given!");
        return 0;
    }
    INIStringStripPrePostSpace(opLine->caValueName);
    INIStringStripPrePostSpace(opLine->caValue);
    // A trailing comment: cut at the last ";", again and again, unless the value ends in a quote. The value
    // is not stripped after a cut, so blanks before a comment stay; the stores strip every element.
    char* value = opLine->caValue;
    int length = static_cast<int>(std::strlen(value));
    int semicolon = LastSemicolonBefore(value, length);
    while (semicolon >= 0) {
        char last = value[length - 1];
        if (last == '"' || last == '\'')
            break;
        if (length < 2) {
            INI_SOURCE_LINE_ERROR(opLine, "Errornous or incomplete value!");
            return 0;
        }
        value[semicolon] = '\0';
        length = semicolon;
        semicolon = LastSemicolonBefore(value, length);
    }
    return 1;
}

int INISourceCheckValidity(SINISourceLine* opLine) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceCheckValidity() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose("Failure : CINIFile::INISourceCheckValidity() > opLine has not been initialized correctly!");
        return 0;
    }
    for (const char* next = opLine->caValueName; *next; ++next) {
        if (IsMember(kNameSymbols, *next))
            continue;
        INI_SOURCE_LINE_ERROR(opLine,
                              "Errornous symbol <0x%x><'%c'> in VALUE NAME (only a-z, A-Z, 0-9, '_' & '-' "
                              "applicable).",
                              INISourceCharArgument(*next), *next);
        return 0;
    }
    return 1;
}

int INISourceClasifyValue(SINISourceLine* opLine) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceClasifyValue() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose("Failure : CINIFile::INISourceClasifyValue() > opLine has not been initialized correctly!");
        return 0;
    }
    char first = opLine->caValue[0];
    if (first == '"')
        opLine->iKind = INI_KIND_STRING;
    else if (first == '$')
        opLine->iKind = INI_KIND_HEXADECIMAL;
    else if (first == '%')
        opLine->iKind = INI_KIND_BINARY;
    else if (first == '\'')
        opLine->iKind = INI_KIND_CHARACTER;
    else if (first == '-' || (first >= '0' && first <= '9'))
        opLine->iKind = std::strchr(opLine->caValue, '.') ? INI_KIND_REAL : INI_KIND_DECIMAL;
    else if (first == '.')
        opLine->iKind = INI_KIND_REAL;
    else {
        INI_SOURCE_LINE_ERROR(opLine, "Errornous, incomplete or incompatible value!");
        return 0;
    }
    return 1;
}

int INISourceCheckValueSymbols(SINISourceLine* opLine) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceCheckValueSymbols() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose(
            "Failure : CINIFile::INISourceCheckValueSymbols() > opLine has not been initialized correctly!");
        return 0;
    }
    switch (opLine->iKind) {
    case INI_KIND_DECIMAL:
        return CheckSymbols(opLine, kDecimalSymbols, "decimal");
    case INI_KIND_REAL:
        return CheckSymbols(opLine, kRealSymbols, "real");
    case INI_KIND_HEXADECIMAL:
        return CheckPrefixedSymbols(opLine, kHexadecimalSymbols, "hex");
    case INI_KIND_BINARY:
        return CheckPrefixedSymbols(opLine, kBinarySymbols, "binary");
    case INI_KIND_CHARACTER:
        return CheckCharacterSymbols(opLine);
    case INI_KIND_STRING:
        return CheckStringSymbols(opLine);
    default:
        return 1;
    }
}

int INISourceStoreValues(SINISourceLine* opLine, CINIFile* document) {
    if (!opLine) {
        Diagnose("Failure : INISourceStoreValues() > Invalid param passed to function!");
        return 0;
    }
    if (!opLine->opStream) {
        Diagnose("Failure : INISourceStoreValues() > opLine has not been initialized correctly!");
        return 0;
    }
    switch (opLine->iKind) {
    case INI_KIND_DECIMAL:
        return INISourceStoreDecimalValues(opLine, document);
    case INI_KIND_HEXADECIMAL:
        return INISourceStoreHexadecimalValues(opLine, document);
    case INI_KIND_BINARY:
        return INISourceStoreBinaryValues(opLine, document);
    case INI_KIND_CHARACTER:
        return INISourceStoreCharacterValues(opLine, document);
    case INI_KIND_STRING:
        return INISourceStoreStringValues(opLine, document);
    case INI_KIND_REAL:
        return INISourceStoreRealValues(opLine, document);
    default:
        return 1; // an empty value, or no kind: nothing is stored
    }
}
