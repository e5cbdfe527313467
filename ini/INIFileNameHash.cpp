#include "ini/INIFileNameHash.h"

#include <chrono>
#include <cstring>
#include <random>

#include "ini/INIEightBytes.h"
#include "platform/NoCase.h"

namespace {

// Folds the ASCII capitals among eight bytes to small letters, all at once.
uint64_t FoldWord(uint64_t word) {
    return word | (BytesBetween(word, 'A', 'Z') >> 2);
}

// Both halves of the 128-bit product, folded: every bit of the result depends on the bits of both factors,
// and a difference in the input does not pass through unchanged as it would through a plain multiplication.
uint64_t MultiplyFold(uint64_t a, uint64_t b) {
#if defined(__SIZEOF_INT128__)
    unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
#else
    const uint64_t half = 0xFFFFFFFFu;
    uint64_t ll = (a & half) * (b & half), lh = (a & half) * (b >> 32), hl = (a >> 32) * (b & half);
    uint64_t middle = (ll >> 32) + (lh & half) + (hl & half);
    uint64_t high = (a >> 32) * (b >> 32) + (lh >> 32) + (hl >> 32) + (middle >> 32);
    return ((middle << 32) | (ll & half)) ^ high;
#endif
}

// The process's key: from the system's random source, with the clock and an address mixed in should that
// source be missing.
uint64_t DrawKey() {
    uint64_t key = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    key ^= reinterpret_cast<uintptr_t>(&key);
    try {
        std::random_device source;
        key ^= (uint64_t(source()) << 32) ^ source();
    } catch (...) {
    }
    return key;
}

uint64_t ProcessKey() {
    static const uint64_t key = DrawKey();
    return key;
}

} // namespace

uint32_t HashNoCaseKeyed(const char* text, size_t length, uint64_t key) {
    const uint64_t multiplier = (key ^ 0xA0761D6478BD642Full) | 1;
    uint64_t hash = key ^ length;
    size_t index = 0;
    for (; index + 8 <= length; index += 8)
        hash = MultiplyFold(hash ^ FoldWord(LoadEightBytes(text + index)), multiplier);
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
        hash = MultiplyFold(hash ^ FoldWord(word), multiplier);
    }
    hash = MultiplyFold(hash, 0x9E3779B97F4A7C15ull);
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

uint32_t HashNoCaseBytes(const char* text, size_t length) {
    return HashNoCaseKeyed(text, length, ProcessKey());
}

uint32_t HashNoCase(const char* text, size_t* length) {
    size_t bytes = std::strlen(text);
    if (length)
        *length = bytes;
    return HashNoCaseBytes(text, bytes);
}
