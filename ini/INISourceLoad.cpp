// Loading an INI text file: the working record of a load, the loop over the lines and the course of one line.
#include <cstring>
#include <new>

#include "ini/INISource.h"
#include "platform/Memory.h"

namespace {

// The line record and its scratch space come from one allocation.
struct SourceLoadRecord {
    SINISourceLine line;
    SINISourceScratch scratch;
};

// The size of the file behind the stream, measured once per load; the stream keeps its position.
long StreamSize(FILE* stream) {
    long position = ftell(stream);
    if (position < 0 || fseek(stream, 0, SEEK_END) != 0)
        return 0;
    long size = ftell(stream);
    fseek(stream, position, SEEK_SET);
    return size;
}

// A UTF-8 byte order mark at the very start of the file is passed over; any other start is read again.
void SkipByteOrderMark(FILE* stream) {
    if (ftell(stream) != 0)
        return;
    if (getc(stream) == 0xEF && getc(stream) == 0xBB && getc(stream) == 0xBF)
        return;
    fseek(stream, 0, SEEK_SET);
}

void ReadLines(SINISourceLine* opLine, FILE* stream, CINIFile* document) {
    SkipByteOrderMark(stream);
    opLine->opStream = stream;
    opLine->iLineNumber = 1;
    while (INIStringReadLine(stream, opLine->caLine, INI_LINE_CAPACITY, nullptr)) {
        if (opLine->caLine[0] != '\0')
            INISourceProcess(opLine, document);
        ++opLine->iLineNumber; // empty lines count too
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
    if (StreamSize(stream) > 0)
        ReadLines(opLine, stream, document);
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
