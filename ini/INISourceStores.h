// What the value stores share: putting a finished value into the document's current section.
#pragma once

#include "ini/INISource.h"

// Fills the line's value record and adds it to the current section, or replaces a value of the same name
// there. `replaceFailure` is the reason that the store prints when the replacement fails.
int PutLineValue(SINISourceLine* opLine, CINIFile* document, const char* storeName, int type, int count,
                 int kind, void* data, const char* replaceFailure);

// The checks that every store makes of its arguments; false after the store's message.
bool StoreArgumentsValid(SINISourceLine* opLine, CINIFile* document, const char* storeName);
