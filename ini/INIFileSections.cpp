// The section operations of a document.
#include <cstring>

#include "ini/INIFile.h"
#include "ini/INIFileBlocks.h"
#include "ini/INIFileNameHash.h"
#include "ini/INIFileNameIndex.h"
#include "platform/Diagnostics.h"
#include "platform/NoCase.h"

int CINIFile::SectionGetName(CString* name) {
    if (!name) {
        Diagnose("Failure : CINIFile::SectionGetName() > Invalid param passed to function!");
        return 0;
    }
    if (!opRoot) {
        Diagnose("Failure : CINIFile::SectionGetName() > Instance has not been created!");
        return 0;
    }
    if (!opRoot->opFirstSection) {
        Diagnose("Failure : CINIFile::SectionGetName() > No sections exist in this INI file!");
        return 0;
    }
    name->Format("%s", opRoot->opCurrentSection->caName);
    return 1;
}

int CINIFile::SectionFirst() {
    if (!opRoot) {
        Diagnose("Failure : CINIFile::SectionFirst() > Instance has not been created!");
        return 0;
    }
    if (!opRoot->opFirstSection) {
        Diagnose("Failure : CINIFile::SectionFirst() > No sections exist in this INI file!");
        return 0;
    }
    opRoot->opCurrentSection = opRoot->opFirstSection;
    return 1;
}

int CINIFile::SectionAdd(const char* name) {
    if (!opRoot) {
        Diagnose("Failure : CINIFile::SectionAdd() > Instance has not been created!");
        return 0;
    }
    if (!INIIsValidName(name)) {
        Diagnose("Failure : CINIFile::SectionAdd() > Invalid name passed to function!");
        return 0;
    }
    size_t length = 0;
    uint32_t hash = HashNoCase(name, &length);
    if (INIFindSection(opRoot, name, hash)) {
        Diagnose("Failure : CINIFile::SectionAdd() > The section <%s> already exists in this INI file!",
                 name);
        return 0;
    }
    return INIAppendSection(opRoot, name, length, hash) ? 1 : 0;
}

SINISectionPool* INIFindSection(SINIFilePool* root, const char* name, uint32_t hash) {
    return name_index::Find<SINISectionPool>(root->sectionIndex, name, hash);
}

SINISectionPool* INIAppendSection(SINIFilePool* root, const char* name, size_t length, uint32_t hash) {
    size_t bytes = sizeof(SINISectionPool) + length + 1;
    SINISectionPool* section = static_cast<SINISectionPool*>(DocumentAllocate(root, bytes));
    if (!section || !name_index::Reserve<SINISectionPool>(root->sectionIndex, root->iSectionCount + 1)) {
        if (section)
            DocumentGiveBack(root, section, bytes);
        Diagnose("Failure : CINIFile::SectionAdd() > Could not allocate opSection instance memory of "
                 "SINISectionPool!");
        return nullptr;
    }
    std::memset(section, 0, sizeof(SINISectionPool));
    std::memcpy(section->caName, name, length);
    section->caName[length] = '\0';
    if (root->opLastSection)
        root->opLastSection->opNext = section;
    else
        root->opFirstSection = section;
    root->opLastSection = section;
    name_index::PutUnchecked(root->sectionIndex, section, hash);
    root->opCurrentSection = section;
    ++root->iSectionCount;
    return section;
}
