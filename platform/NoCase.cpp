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

// Eight bytes of a text as one number, the first byte the lowest.
uint64_t LoadEightBytes(const char* text) {
    uint64_t word;
    std::memcpy(&word, text, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
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
