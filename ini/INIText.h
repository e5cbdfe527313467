// The INI text loader: its working record for one load, the steps that check and classify a line, and the six
// stores that turn a value text into a value of the document.
#pragma once

#include <cstdint>
#include <cstdio>

#include "ini/INIFile.h"
#include "ini/INITextString.h"
#include "platform/Diagnostics.h"

// The loader's own kind for an empty string or character value, which is accepted and not stored.
enum { INI_KIND_EMPTY = 7 };

// A line of at most INI_LINE_CAPACITY - 1 characters holds at most this many comma-separated elements, so a
// line can never reach the element limit of a value, and the element array of a load needs no more room.
constexpr int INI_LINE_ELEMENTS = INI_LINE_CAPACITY / 2;
static_assert(INI_LINE_ELEMENTS < int(INI_MAX_ELEMENTS), "a line cannot reach the element limit");

// Work space of one load that the steps share, so that no large buffer lives on the stack: the section text
// of a section line, the element text, the value record handed to the document and the element array.
struct SINISourceScratch {
    char sectionText[INI_LINE_CAPACITY];
    char elementText[INI_LINE_CAPACITY];
    CINIValue value;
    union {
        int32_t integers[INI_LINE_ELEMENTS];
        float reals[INI_LINE_ELEMENTS];
        char characters[INI_LINE_ELEMENTS];
    } elements;
    // The name of the section line that the loader meets next, found while the lines before it are read:
    // where it lies in the read buffer, its length and its hash. Null once the buffer may have changed.
    const char* aheadName = nullptr;
    size_t aheadLength = 0;
    uint32_t aheadHash = 0;
};

// The loader's working record ("opLine"), one per load, on the heap together with its scratch space.
struct SINISourceLine {
    const void* opStream; // the source being read: set while the record belongs to a load
    char caLine[INI_LINE_CAPACITY];
    char caValueName[INI_LINE_CAPACITY];
    char caValue[INI_LINE_CAPACITY];
    int iLineNumber;
    int iWarningCount;
    int iErrorCount;
    int iKind;
    SINISourceScratch* scratch; // null in a record that has not been made by INISourceLineCreate
};

// A zeroed line record with its scratch space reached from it, from one allocation; null when memory runs
// out.
SINISourceLine* INISourceLineCreate();
void INISourceLineDestroy(SINISourceLine* opLine);

// The steps of one line, in the order in which INISourceProcess runs them.
int INISourceProcess(SINISourceLine* opLine, CINIFile* document);
int INISourceCheckIsSection(SINISourceLine* opLine, CINIFile* document);
int INISourceCheckIntegrity(SINISourceLine* opLine);
int INISourceSplitLine(SINISourceLine* opLine);
int INISourceCheckValidity(SINISourceLine* opLine);
int INISourceClasifyValue(SINISourceLine* opLine);
int INISourceCheckValueSymbols(SINISourceLine* opLine);
int INISourceStoreValues(SINISourceLine* opLine, CINIFile* document);

// Makes the section of this name (checked, zero-terminated, `length` characters, hashed by HashNoCaseBytes)
// current, adding it when the document has none of that name: 0, or -1 after the messages of a failed add.
int INISourceEnterSection(SINISourceLine* opLine, CINIFile* document, const char* name, size_t length,
                          uint32_t hash);

// Takes the line at the start of `text`, when it has one of the common, well-formed shapes, in one pass: an
// empty line, a plain section line, or a name followed directly by a decimal list or a quoted string. `text`
// runs on to INI_TEXT_PADDING zero bytes, and a line qualifies only when its line end comes before them.
// Gives the bytes of the line and its line end when the line has been taken, with the result the steps give;
// 0, with the text untouched, for every other line, which the steps then take.
enum { INI_TEXT_PADDING = 8 };
size_t INISourceTakeCommonLine(SINISourceLine* opLine, CINIFile* document, char* text);
// Takes the common lines at the start of `text` one after another, up to the first line that is not one,
// counting each line taken in the record's line number; gives the bytes taken.
size_t INISourceTakeCommonLines(SINISourceLine* opLine, CINIFile* document, char* text);

// The stores of the six value kinds: 1 when the value has been added or has replaced an earlier one.
int INISourceStoreDecimalValues(SINISourceLine* opLine, CINIFile* document);
int INISourceStoreHexadecimalValues(SINISourceLine* opLine, CINIFile* document);
int INISourceStoreBinaryValues(SINISourceLine* opLine, CINIFile* document);
int INISourceStoreCharacterValues(SINISourceLine* opLine, CINIFile* document);
int INISourceStoreStringValues(SINISourceLine* opLine, CINIFile* document);
int INISourceStoreRealValues(SINISourceLine* opLine, CINIFile* document);

// Prints an "Error : Line <n> - ..." message for the current line and counts it as one error of the load.
#define INI_SOURCE_LINE_ERROR(opLine, format, ...)                                                           \
    (DiagnoseAs(BREVANT_DIAGNOSTIC_ERROR, (opLine)->iLineNumber, "Error : Line <%3.4i> - " format,           \
                (opLine)->iLineNumber, ##__VA_ARGS__),                                                       \
     ++(opLine)->iErrorCount)

// A character as the messages print it: a signed 8-bit value widened to 32 bits.
inline int INISourceCharArgument(char character) {
    return static_cast<signed char>(character);
}
