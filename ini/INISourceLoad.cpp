// Loading an INI text file: the working record of a load, the loop over the lines and the course of one line.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "ini/INISource.h"
#include "ini/INISourceSymbols.h"
#include "ini/NameIndex.h"
#include "platform/Memory.h"

namespace {

// The line record and its scratch space come from one allocation.
// The loader reads the stream in large chunks and cuts the lines out of its own buffer; the lines, their
// numbers and the read diagnostics are those of INIStringReadLine.
constexpr size_t kReadChunk = 64 * 1024;

struct LineBuffer {
    FILE* stream;
    size_t position;
    size_t end;
    char bytes[kReadChunk + INI_TEXT_PADDING]; // the bytes read, and zero bytes after them
};

struct SourceLoadRecord {
    SINISourceLine line;
    SINISourceScratch scratch;
    LineBuffer reader;
};

bool Refill(LineBuffer* reader) {
    reader->position = 0;
    reader->end = std::fread(reader->bytes, 1, kReadChunk, reader->stream);
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
            if (first && std::feof(reader->stream))
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

// The size of the file behind the stream, measured once per load; the stream keeps its position.
long StreamSize(FILE* stream) {
    long position = ftell(stream);
    if (position < 0 || fseek(stream, 0, SEEK_END) != 0)
        return 0;
    long size = ftell(stream);
    fseek(stream, position, SEEK_SET);
    return size;
}

// Gives the section index room for the sections that a file of this size commonly holds, up to a few MiB of
// index, so that it is not rebuilt again and again as it grows; past that, and without the room, the index
// simply grows as it goes.
void ReserveSections(SINIFilePool* root, long fileSize) {
    const long kBytesPerSection = 128;
    const long kMostSections = 1 << 22;
    long sections = fileSize / kBytesPerSection;
    name_index::Reserve<SINISectionPool>(
        root->sectionIndex, static_cast<uint32_t>(root->iSectionCount + std::min(sections, kMostSections)));
}

// A UTF-8 byte order mark at the very start of the file is passed over; any other start is read again.
void SkipByteOrderMark(FILE* stream) {
    if (ftell(stream) != 0)
        return;
    if (getc(stream) == 0xEF && getc(stream) == 0xBB && getc(stream) == 0xBF)
        return;
    fseek(stream, 0, SEEK_SET);
}

// A line that lies whole in the buffer is handed out where it lies, its line end overwritten by a zero byte;
// any other line is copied into `copy` by ReadBufferedLine. False at the end of the file or after a failure.
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

void ReadLines(SINISourceLine* opLine, FILE* stream, CINIFile* document) {
    SkipByteOrderMark(stream);
    opLine->opStream = stream;
    opLine->iLineNumber = 1;
    LineBuffer* reader = &reinterpret_cast<SourceLoadRecord*>(opLine)->reader;
    reader->stream = stream;
    reader->position = reader->end = 0;
    std::memset(reader->bytes, 0, INI_TEXT_PADDING);
    char* line = nullptr;
    size_t length = 0;
    for (;; ++opLine->iLineNumber) { // empty lines count too
        size_t taken = INISourceTakeCommonLine(opLine, document, reader->bytes + reader->position);
        if (taken) {
            reader->position += taken;
            continue;
        }
        if (!NextLine(reader, opLine->caLine, &line, &length))
            break;
        if (line[0] == '\0')
            continue;
        if (line != opLine->caLine)
            std::memcpy(opLine->caLine, line, length + 1);
        INISourceProcess(opLine, document);
        opLine->caLine[0] = '\0';
        opLine->caValueName[0] = '\0';
        opLine->caValue[0] = '\0';
    }
}

} // namespace

SINISourceLine* INISourceLineCreate() {
    void* block = MemAlloc(sizeof(SourceLoadRecord));
    if (!block)
        return nullptr;
    auto* record = static_cast<SourceLoadRecord*>(block);
    std::memset(&record->line, 0, sizeof record->line);
    new (&record->scratch) SINISourceScratch;
    record->line.scratch = &record->scratch;
    return &record->line;
}

void INISourceLineDestroy(SINISourceLine* opLine) {
    if (!opLine)
        return;
    auto* record = reinterpret_cast<SourceLoadRecord*>(opLine);
    record->scratch.~SINISourceScratch();
    MemFree(record);
}

int INISourceLoadData(SINIFilePool* root, FILE* stream, CINIFile* document) {
    if (!root || !stream || !document) {
        Diagnose("Failure : INISourceLoadData() > Invalid param(s) passed to function!");
        return 0;
    }
    SINISourceLine* opLine = INISourceLineCreate();
    if (!opLine) {
        Diagnose("Failure : INISourceLoadData() > Could not allocate opLine instance of SINISourceLine!");
        return 0;
    }
    long size = StreamSize(stream);
    if (size > 0) {
        ReserveSections(root, size);
        ReadLines(opLine, stream, document);
    }
    Diagnose("Loaded INI file - Errors <%3.4i> Warnings <%3.4i>.", opLine->iErrorCount,
             opLine->iWarningCount);
    INISourceLineDestroy(opLine);
    return 1;
}

int INISourceProcess(SINISourceLine* opLine, CINIFile* document) {
    if (!opLine) {
        Diagnose("Failure : CINIFile::INISourceProcess() > Invalid param passed to function!");
        return 0;
    }
    if (!INIStringStripPrePostSpace(opLine->caLine))
        return 0; // blanks only
    int section = INISourceCheckIsSection(opLine, document);
    if (section != 1)
        return section == 0 ? 1 : 0;
    if (!INISourceCheckIntegrity(opLine) || !INISourceSplitLine(opLine) || !INISourceCheckValidity(opLine))
        return 0;
    if (!INISourceClasifyValue(opLine) || !INISourceCheckValueSymbols(opLine))
        return 0;
    return INISourceStoreValues(opLine, document);
}
