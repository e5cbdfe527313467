// The string store: the text between the value's first and last double quote, verbatim.
#include <cstring>

#include "ini/INITextStore.h"

namespace {

const char kStoreName[] = "INISourceStoreStringValues";
const int kLongestString = 50000;

} // namespace

int INISourceStoreStringValues(SINISourceLine* opLine, CINIFile* document) {
    if (!StoreArgumentsValid(opLine, document, kStoreName))
        return 0;
    char* text = opLine->scratch->elementText;
    std::strcpy(text, opLine->caValue);
    INIStringStripPrePostSpace(text);
    size_t length = std::strlen(text);
    int count = length >= 2 ? static_cast<int>(length - 2) : 0; // without the two quotes
    if (count >= kLongestString) {
        INI_SOURCE_LINE_ERROR(opLine, "String too large!  Legal limit -- <%i>.", kLongestString);
        return 0;
    }
    const char* name = opLine->caValueName;
    return INISourcePutString(opLine, document, name, std::strlen(name), text + 1, count);
}

int INISourcePutString(SINISourceLine* opLine, CINIFile* document, const char* name, size_t nameLength,
                       const char* text, int count) {
    SINISourceValue value{name, nameLength, INI_TYPE_STRING, INI_KIND_STRING, count, text};
    return PutLineValue(opLine, document, kStoreName, value, "CINIFile::ValueReplace() failed!");
}
