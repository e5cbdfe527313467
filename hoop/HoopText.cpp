// Copying texts into the records and handing them out to callers.
#include "hoop/HoopText.h"

#include <cstring>

#include "platform/Memory.h"

char* HoopCopyText(const char* text) {
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(MemAlloc(length + 1));
    if (copy == nullptr)
        return nullptr;
    std::memcpy(copy, text, length + 1);
    return copy;
}

void HoopReplaceText(char** field, const char* text) {
    MemFree(*field);
    *field = nullptr;
    *field = HoopCopyText(text);
}

void HoopHandOutText(CString* out, const char* text) {
    out->Format("%s", text ? text : "");
}
