// The handle's lifecycle: construction, assignment (counted sharing), Create and Release.
#include <new>

#include "hoop/HoopMemory.h"
#include "hoop/HoopRecords.h"
#include "ini/INIFile.h"
#include "platform/Memory.h"
#include <brevant/INIHoop.h>

HoopCatalogue* NewCatalogue() {
    HoopCatalogue* catalogue = static_cast<HoopCatalogue*>(MemAllocZeroed(sizeof(HoopCatalogue)));
    if (catalogue == nullptr)
        return nullptr;
    catalogue->iHandles = 1;
    catalogue->opINIFile = new (std::nothrow) CINIFile;
    if (catalogue->opINIFile == nullptr) {
        MemFree(catalogue);
        return nullptr;
    }
    return catalogue;
}

// The hoops go from the head, so that emptying a catalogue takes time in proportion to its size.
void FreeCatalogue(HoopCatalogue* catalogue) {
    while (catalogue->opFirstHoop != nullptr)
        RemoveHoopRecord(catalogue, catalogue->opFirstHoop);
    FreeCatalogueBlock(catalogue);
    if (catalogue->opINIFile != nullptr) {
        catalogue->opINIFile->Destroy();
        delete catalogue->opINIFile;
    }
    MemFree(catalogue);
}

CINIHoop::CINIHoop() : opCatalogue(nullptr) {}

CINIHoop::~CINIHoop() {
    if (opCatalogue != nullptr)
        Release();
}

CINIHoop& CINIHoop::operator=(const CINIHoop& source) {
    if (source.opCatalogue == opCatalogue)
        return *this;
    Release();
    opCatalogue = source.opCatalogue;
    if (opCatalogue != nullptr)
        ++opCatalogue->iHandles;
    return *this;
}

int CINIHoop::Create() {
    Release();
    HoopCatalogue* catalogue = NewCatalogue();
    if (catalogue == nullptr)
        return 0;
    if (!catalogue->opINIFile->Create()) {
        FreeCatalogue(catalogue);
        return 0;
    }
    opCatalogue = catalogue;
    return 1;
}

int CINIHoop::Release() {
    HoopCatalogue* catalogue = opCatalogue;
    if (catalogue == nullptr)
        return 1;
    if (catalogue->iHandles > 1) {
        // Another handle still shares the catalogue: only this handle lets it go.
        --catalogue->iHandles;
        opCatalogue = nullptr;
        return 1;
    }
    FreeCatalogue(catalogue);
    opCatalogue = nullptr;
    return 1;
}
