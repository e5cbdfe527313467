#include "platform/NoCase.h"

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        int diff = FoldAscii(*x) - FoldAscii(*y);
        if (diff != 0 || *x == 0)
            return diff;
    }
}

int CompareNoCaseMultiByte(const unsigned char* a, const unsigned char* b) {
    return CompareNoCase(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
}
