// Reading the lines of an INI text: the stream is read in large chunks and the lines are cut out of the
// reader's own buffer. The lines, their numbers and the read diagnostics are those of reading the stream line
// by line, each line ended by CR, LF or the byte 0xFF.
#pragma once

#include <cstddef>
#include <cstdio>

#include "ini/INIByteSource.h"
#include "ini/INIText.h"

constexpr size_t kReadChunk = 32 * 1024;

struct LineBuffer {
    INIByteSource* source;
    size_t position;
    size_t end;
    char bytes[kReadChunk + INI_TEXT_PADDING]; // the bytes read, and zero bytes after them
};

// Starts reading the source at its current position, passing over a UTF-8 byte order mark at its very start.
void StartLines(LineBuffer* reader, INIByteSource* source);

// The unread bytes of the buffer, followed by at least INI_TEXT_PADDING zero bytes.
inline char* UnreadBytes(LineBuffer* reader) {
    return reader->bytes + reader->position;
}

// A line that lies whole in the buffer is handed out where it lies, its line end overwritten by a zero byte;
// any other line is copied into `copy`. False at the end of the file or after a failure.
bool NextLine(LineBuffer* reader, char* copy, char** line, size_t* length);
