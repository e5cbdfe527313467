// Section lines: "[" name "]", optionally followed by blanks and a comment.
#include <cstring>

#include "ini/INIFileNameHash.h"
#include "ini/INIText.h"
#include "ini/INITextSymbols.h"
#include "platform/NoCase.h"

namespace {

int IncompleteSection(SINISourceLine* opLine) {
    INI_SOURCE_LINE_ERROR(opLine, "Errornous or incomplete section name!");
    return -1;
}

// Every character from the one after "[" up to the first "]" must be a section symbol; "[]" tests none.
bool SectionSymbolsValid(SINISourceLine* opLine, const char* text) {
    for (const char* next = text + 1; *next != ']'; ++next) {
        if (!IsMember(kSectionSymbols, *next)) {
            INI_SOURCE_LINE_ERROR(opLine, "Bad symbol encountered in section name <0x%x><'%c'>!",
                                  INISourceCharArgument(*next), *next);
            return false;
        }
    }
    return true;
}

} // namespace

int INISourceCheckIsSection(SINISourceLine* opLine, CINIFile* document) {
    if (!opLine || !document || !document->Root()) {
        Diagnose("Failure : INISourceCheckIsSection() > Invalid param passed to function!");
        return -1;
    }
    if (!opLine->opStream || !opLine->scratch) {
        Diagnose("Failure : INISourceCheckIsSection() > opLine has not been initialized correctly!");
        return -1;
    }
    if (opLine->caLine[0] != '[')
        return 1;
    char* text = opLine->scratch->sectionText;
    size_t copied = strnlen(opLine->caLine, INI_LINE_CAPACITY - 1);
    std::memcpy(text, opLine->caLine, copied);
    text[copied] = '\0';
    if (copied < 3)
        return IncompleteSection(opLine);
    // A comment starts at the first ";". Cutting there gives the same line and the same verdict as cutting at
    // the last ";" again and again, without going over the text once per semicolon.
    if (char* comment = std::strchr(text, ';'))
        *comment = '\0';
    INIStringStripPrePostSpace(text);
    size_t length = std::strlen(text);
    if (text[length - 1] != ']')
        return IncompleteSection(opLine);
    if (text[1] != ']' && !SectionSymbolsValid(opLine, text))
        return -1;
    text[length - 1] = '\0';
    char* name = text + 1;
    if (name[0] == '\0' || !INIStringStripPrePostSpace(name))
        return IncompleteSection(opLine); // "[]" followed by a comment
    length = std::strlen(name);
    return INISourceEnterSection(opLine, document, name, length, HashNoCaseBytes(name, length));
}

int INISourceEnterSection(SINISourceLine* opLine, CINIFile* document, const char* name, size_t length,
                          uint32_t hash) {
    SINIFilePool* root = document->Root();
    if (SINISectionPool* section = INIFindSection(root, name, hash)) {
        root->opCurrentSection = section;
        return 0;
    }
    if (INIAppendSection(root, name, length, hash))
        return 0;
    Diagnose("Failure : INISourceCheckIsSection() > CINIFile::SectionAdd() failed on section name [%s]!",
             name);
    INI_SOURCE_LINE_ERROR(opLine, "Could not add section [%s] to INI tree, section may already exist?.",
                          name);
    return -1;
}
