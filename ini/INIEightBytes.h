// Eight bytes of a text at once: loading them as one number and testing every byte of it together.
#pragma once

#include <cstdint>
#include <cstring>

// Eight bytes of a text as one number, the first byte the lowest.
inline uint64_t LoadEightBytes(const char* text) {
    uint64_t word;
    std::memcpy(&word, text, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// The high bit of each byte of `word` that lies from `first` to `last` (ASCII characters); no other bit.
inline uint64_t BytesBetween(uint64_t word, char first, char last) {
    const uint64_t ones = 0x0101010101010101ull;
    const uint64_t highBits = ones * 0x80;
    uint64_t low = word & ~highBits; // no carry can cross into the next byte
    uint64_t fromFirst = low + ones * static_cast<uint64_t>(0x80 - first);
    uint64_t pastLast = low + ones * static_cast<uint64_t>(0x80 - last - 1);
    return fromFirst & ~pastLast & ~word & highBits;
}
