// What the loaders read: an open file or bytes in memory, through the same few calls, so that a catalogue
// held in memory loads exactly as the same bytes in a file.
#pragma once

#include <cstddef>
#include <cstdio>

class INIByteSource {
  public:
    static INIByteSource File(FILE* stream) { return INIByteSource(stream, nullptr, 0); }
    static INIByteSource Memory(const void* bytes, size_t size) {
        return INIByteSource(nullptr, static_cast<const unsigned char*>(bytes), size);
    }

    // Up to `count` bytes into `into`; fewer only at the end of the bytes or after a read error.
    size_t Read(void* into, size_t count);
    // True once a read has met the end of the bytes (rather than a read error).
    bool AtEnd() const;
    // The position from the start, and moving to one; -1 and false when the file cannot tell or seek.
    long Position() const;
    bool Seek(long position);
    // The number of bytes from the start to the end, the position kept; -1 when the file cannot tell.
    long Size();

  private:
    INIByteSource(FILE* stream, const unsigned char* bytes, size_t size)
        : stream_(stream), bytes_(bytes), size_(size) {}

    FILE* stream_;
    const unsigned char* bytes_;
    size_t size_;
    size_t position_ = 0;
    bool metEnd_ = false;
};
