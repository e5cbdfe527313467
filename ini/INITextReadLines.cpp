#include "ini/INITextReadLines.h"

#include <cstdint>
#include <cstring>

#include "ini/INITextSymbols.h"

namespace {

bool Refill(LineBuffer* reader) {
    reader->position = 0;
    reader->end = reader->source->Read(reader->bytes, kReadChunk);
    std::memset(reader->bytes + reader->end, 0, INI_TEXT_PADDING);
    return reader->end > 0;
}

// Index of the first line end among `length` bytes, or `length`. Eight bytes are tested at a time: a byte
// equal to a line end becomes zero after the exclusive or, and the lowest zero byte of a word is found
// exactly.
size_t FindLineEnd(const char* bytes, size_t length) {
    size_t index = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    const uint64_t ones = 0x0101010101010101ull;
    for (; index + 8 <= length; index += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + index, 8);
        uint64_t cr = word ^ (ones * '\r'), lf = word ^ (ones * '\n'), ff = ~word;
        uint64_t zero = ((cr - ones) & ~cr) | ((lf - ones) & ~lf) | ((ff - ones) & ~ff);
        zero &= ones * 0x80;
        if (zero)
            return index + (__builtin_ctzll(zero) >> 3);
    }
#endif
    while (index < length && !IsMember(kLineEndSymbols, bytes[index]))
        ++index;
    return index;
}

// Copies the next line into `line` and gives its length in bytes, which counts any zero bytes within it.
int ReadBufferedLine(LineBuffer* reader, char* line, int capacity, size_t* lineLength) {
    size_t stored = 0;
    bool first = true;
    for (;;) {
        if (reader->position == reader->end && !Refill(reader)) {
            if (first && reader->source->AtEnd())
                return 0; // the file is exhausted
            Diagnose("Failure : INIStringReadLine > kuFile_Read() failed!");
            return 0;
        }
        first = false;
        size_t available = reader->end - reader->position;
        size_t room = static_cast<size_t>(capacity) - stored;
        size_t scan = available < room ? available : room;
        const char* from = reader->bytes + reader->position;
        size_t length = FindLineEnd(from, scan);
        std::memcpy(line + stored, from, length);
        stored += length;
        if (length < scan) {
            line[stored] = '\0';
            reader->position += length + 1;
            *lineLength = stored;
            return 1;
        }
        reader->position += length;
        if (stored == static_cast<size_t>(capacity)) {
            Diagnose("Failure : INIStringReadLine > File line is larger than the arguement string length, "
                     "failed!");
            return 0;
        }
    }
}

// A UTF-8 byte order mark at the very start of the file is passed over; any other start is read again.
void SkipByteOrderMark(INIByteSource* source) {
    if (source->Position() != 0)
        return;
    unsigned char start[3];
    if (source->Read(start, sizeof start) == sizeof start && start[0] == 0xEF && start[1] == 0xBB &&
        start[2] == 0xBF)
        return;
    source->Seek(0);
}

} // namespace

void StartLines(LineBuffer* reader, INIByteSource* source) {
    SkipByteOrderMark(source);
    reader->source = source;
    reader->position = reader->end = 0;
    std::memset(reader->bytes, 0, INI_TEXT_PADDING);
}

bool NextLine(LineBuffer* reader, char* copy, char** line, size_t* length) {
    size_t available = reader->end - reader->position;
    size_t scan = available < size_t(INI_LINE_CAPACITY) ? available : size_t(INI_LINE_CAPACITY);
    char* from = reader->bytes + reader->position;
    size_t found = FindLineEnd(from, scan);
    if (found < scan) {
        from[found] = '\0';
        reader->position += found + 1;
        *line = from;
        *length = found;
        return true;
    }
    *line = copy;
    return ReadBufferedLine(reader, copy, INI_LINE_CAPACITY, length) != 0;
}
