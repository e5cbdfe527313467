// Reading one line of an open file. The stream's own buffering does the work: the file is read byte by byte
// with getc, never measured or repositioned, so reading a whole file costs time in proportion to its size.
#include "ini/INITextString.h"
#include "platform/Diagnostics.h"

namespace {

bool EndsLine(int byte) {
    return byte == '\r' || byte == '\n' || byte == 0xFF;
}

} // namespace

int INIStringReadLine(FILE* stream, char* buffer, int capacity, int* count) {
    if (!stream || !buffer || capacity < 1) {
        Diagnose("Failure : INIStringReadLine > Invalid param(s) passed to function!");
        return 0;
    }
    int byte = getc(stream);
    if (byte == EOF && feof(stream))
        return 0; // the file is exhausted
    int stored = 0;
    for (;;) {
        if (byte == EOF) {
            Diagnose("Failure : INIStringReadLine > kuFile_Read() failed!");
            return 0;
        }
        if (EndsLine(byte)) {
            buffer[stored] = '\0';
            if (count)
                *count = stored + 1;
            return 1;
        }
        buffer[stored++] = static_cast<char>(byte);
        if (stored == capacity) {
            Diagnose("Failure : INIStringReadLine > File line is larger than the arguement string length, "
                     "failed!");
            return 0;
        }
        byte = getc(stream);
    }
}
