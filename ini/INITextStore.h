// What the value stores share: putting a finished value into the document's current section.
#pragma once

#include <cstddef>

#include "ini/INIText.h"

// A finished value of one line.
struct SINISourceValue {
    const char* name; // zero-terminated
    size_t nameLength;
    int type;
    int kind;
    int count;
    const void* data;
};

// Adds the value to the current section, or replaces a value of the same name there. `replaceFailure` is the
// reason that the store prints when the replacement fails.
int PutLineValue(SINISourceLine* opLine, CINIFile* document, const char* storeName,
                 const SINISourceValue& value, const char* replaceFailure);

// The last step of the string store and of the decimal store, for a line whose value is already cut: `count`
// characters of `text`, or the first `count` integers of the line's element array.
int INISourcePutString(SINISourceLine* opLine, CINIFile* document, const char* name, size_t nameLength,
                       const char* text, int count);
int INISourcePutDecimals(SINISourceLine* opLine, CINIFile* document, const char* name, size_t nameLength,
                         int count);

// The checks that every store makes of its arguments; false after the store's message.
bool StoreArgumentsValid(SINISourceLine* opLine, CINIFile* document, const char* storeName);
