// The document object and its root record.
#include <cstring>

#include "ini/INIFile.h"
#include "ini/INIFileBlocks.h"
#include "ini/INIFileNameIndex.h"
#include "platform/Diagnostics.h"
#include "platform/Memory.h"

CINIFile::CINIFile() : opRoot(nullptr) {}

void* CINIFile::operator new(size_t bytes, const std::nothrow_t&) noexcept {
    return MemAlloc(bytes);
}
void CINIFile::operator delete(void* block) noexcept {
    MemFree(block);
}

int CINIFile::Create() {
    Destroy();
    SINIFilePool* root = static_cast<SINIFilePool*>(MemAllocZeroed(sizeof(SINIFilePool)));
    if (!root) {
        Diagnose(
            "Failure : CINIFile::Create() > Could not allocate memory for opLink instance of SINIFilePool!");
        return 0;
    }
    opRoot = root;
    return 1;
}

int CINIFile::Destroy() {
    if (!opRoot)
        return 1;
    // Every record lives in the document's blocks; only the indexes have storage of their own.
    for (SINISectionPool* section = opRoot->opFirstSection; section && opRoot->iValueIndexes;
         section = section->opNext) {
        INIFreeValueIndex(opRoot, section);
    }
    name_index::Free(opRoot->sectionIndex);
    DocumentFreeAll(opRoot);
    MemFree(opRoot);
    opRoot = nullptr;
    return 1;
}

int CINIFile::GetCount() {
    if (!opRoot) {
        Diagnose("Failure : CINIFile::GetCount() > Instance has not been created!");
        return 0;
    }
    return opRoot->iSectionCount;
}
