// Copying texts into the records and handing them out to callers.
#include "hoop/HoopText.h"

#include <cstring>

#include "hoop/HoopMemory.h"

char* HoopCopyText(HoopCatalogue* catalogue, const char* text) {
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(CatalogueAlloc(catalogue, length + 1));
    if (copy == nullptr)
        return nullptr;
    std::memcpy(copy, text, length + 1);
    return copy;
}

void HoopReplaceText(HoopCatalogue* catalogue, char** field, const char* text) {
    CatalogueFree(catalogue, *field);
    *field = nullptr;
    *field = HoopCopyText(catalogue, text);
}

void HoopHandOutText(CString* out, const char* text) {
    out->Format("%s", text ? text : "");
}
