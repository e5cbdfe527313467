#include "platform/NoCase.h"

#include <cstring>

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

namespace {

const uint64_t kOnes = 0x0101010101010101ull;
const uint64_t kHighBits = 0x8080808080808080ull;

// Folds the ASCII capitals among eight bytes to small letters, all at once.
uint64_t FoldWord(uint64_t word) {
    uint64_t low = word & ~kHighBits;
    uint64_t fromA = low + kOnes * (0x80 - 'A');     // high bit set where the byte is 'A' or above
    uint64_t pastZ = low + kOnes * (0x80 - 'Z' - 1); // high bit set where the byte is past 'Z'
    uint64_t capitals = fromA & ~pastZ & ~word & kHighBits;
    return word | (capitals >> 2);
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
        uint64_t word;
        std::memcpy(&word, text + index, 8);
        hash = Mix(hash, FoldWord(word));
    }
    if (index < length) {
        uint64_t word = 0;
        std::memcpy(&word, text + index, length - index);
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
