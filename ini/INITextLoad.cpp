// Loading an INI text file: the working record of a load, the loop over the lines and the course of one line.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "ini/INIFileNameIndex.h"
#include "ini/INIText.h"
#include "ini/INITextReadLines.h"
#include "platform/Memory.h"

namespace {

// The line record, its scratch space and the line reader come from one allocation.
struct SourceLoadRecord {
    SINISourceLine line;
    SINISourceScratch scratch;
    LineBuffer reader;
};

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

void ReadLines(SINISourceLine* opLine, INIByteSource* source, CINIFile* document) {
    opLine->opStream = source;
    opLine->iLineNumber = 1;
    LineBuffer* reader = &reinterpret_cast<SourceLoadRecord*>(opLine)->reader;
    StartLines(reader, source);
    opLine->scratch->aheadName = nullptr;
    char* line = nullptr;
    size_t length = 0;
    for (;; ++opLine->iLineNumber) { // empty lines count too
        reader->position += INISourceTakeCommonLines(opLine, document, UnreadBytes(reader));
        opLine->scratch->aheadName = nullptr; // the reader may refill its buffer
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
    // Only the fronts of the line buffers are set: zeroing them whole would touch 48 KiB of pages that most
    // files never reach.
    SINISourceLine& line = record->line;
    line.opStream = nullptr;
    line.caLine[0] = line.caValueName[0] = line.caValue[0] = '\0';
    line.iLineNumber = line.iWarningCount = line.iErrorCount = line.iKind = 0;
    new (&record->scratch) SINISourceScratch;
    record->line.scratch = &record->scratch;
    return &record->line;
}

void INISourceLineDestroy(SINISourceLine* opLine) {
    if (!opLine)
        return;
    auto* record = reinterpret_cast<SourceLoadRecord*>(opLine);
    record->scratch.~SINISourceScratch();
    MemFreeSized(record, sizeof(SourceLoadRecord));
}

int INISourceLoadData(SINIFilePool* root, FILE* stream, CINIFile* document) {
    if (!stream) {
        Diagnose("Failure : INISourceLoadData() > Invalid param(s) passed to function!");
        return 0;
    }
    INIByteSource source = INIByteSource::File(stream);
    return INISourceLoadSource(root, &source, document);
}

int INISourceLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document) {
    if (!root || !source || !document) {
        Diagnose("Failure : INISourceLoadData() > Invalid param(s) passed to function!");
        return 0;
    }
    SINISourceLine* opLine = INISourceLineCreate();
    if (!opLine) {
        Diagnose("Failure : INISourceLoadData() > Could not allocate opLine instance of SINISourceLine!");
        return 0;
    }
    long size = source->Size();
    if (size > 0) {
        ReserveSections(root, size);
        ReadLines(opLine, source, document);
    }
    DiagnoseAs(BREVANT_DIAGNOSTIC_SUMMARY, 0, "Loaded INI file - Errors <%3.4i> Warnings <%3.4i>.",
               opLine->iErrorCount, opLine->iWarningCount);
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
