#include "ini/INIFileNameHash.h"

#include <cstring>

#include "ini/INIEightBytes.h"
#include "platform/NoCase.h"

namespace {

// Folds the ASCII capitals among eight bytes to small letters, all at once.
uint64_t FoldWord(uint64_t word) {
    return word | (BytesBetween(word, 'A', 'Z') >> 2);
}

uint64_t Mix(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

} // namespace

uint32_t HashNoCaseBytes(const char* text, size_t length) {
    uint64_t hash = length;
    size_t index = 0;
    for (; index + 8 <= length; index += 8) {
        hash = Mix(hash, FoldWord(LoadEightBytes(text + index)));
    }
    if (index < length) {
        // The last bytes: the final eight bytes of a longer text, shifted past those hashed already; a short
        // text byte by byte.
        uint64_t word = 0;
        size_t rest = length - index;
        if (length >= 8) {
            word = LoadEightBytes(text + length - 8) >> (8 * (8 - rest));
        } else {
            for (size_t k = 0; k < rest; ++k)
                word |= uint64_t(static_cast<unsigned char>(text[index + k])) << (8 * k);
        }
        hash = Mix(hash, FoldWord(word));
    }
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

uint32_t HashNoCase(const char* text, size_t* length) {
    size_t bytes = std::strlen(text);
    if (length)
        *length = bytes;
    return HashNoCaseBytes(text, bytes);
}
