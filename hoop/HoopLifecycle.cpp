// The handle's lifecycle: construction, assignment (counted sharing), Create and Release.
#include <new>

#include "hoop/HoopRecords.h"
#include "ini/INIFile.h"
#include "platform/Memory.h"
#include <brevant/INIHoop.h>

namespace {
// Frees the hoops from the last to the first, destroys the catalogue's document and frees the catalogue. The
// hoops are reached backwards from the tail, so that emptying a catalogue takes time in proportion to its
// size.
void FreeCatalogue(HoopCatalogue* catalogue) {
    HoopRecord* hoop = catalogue->opFirstHoop;
    while (hoop != nullptr && hoop->opNext != nullptr)
        hoop = hoop->opNext;
    while (hoop != nullptr) {
        HoopRecord* previous = hoop->opPrev;
        FreeHoopRecord(hoop);
        hoop = previous;
    }
    if (catalogue->opINIFile != nullptr) {
        catalogue->opINIFile->Destroy();
        delete catalogue->opINIFile;
        catalogue->opINIFile = nullptr;
    }
    MemFree(catalogue);
}
} // namespace

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
    if (opCatalogue != nullptr)
        Release();
    HoopCatalogue* catalogue = static_cast<HoopCatalogue*>(MemAllocZeroed(sizeof(HoopCatalogue)));
    if (catalogue == nullptr)
        return 0;
    catalogue->opOwner = this;
    catalogue->iHandles = 1;
    CINIFile* document = new (std::nothrow) CINIFile;
    if (document == nullptr) {
        MemFree(catalogue);
        return 0;
    }
    if (!document->Create()) {
        delete document;
        MemFree(catalogue);
        return 0;
    }
    catalogue->opINIFile = document;
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
        if (catalogue->opOwner == this)
            catalogue->opOwner = nullptr;
        opCatalogue = nullptr;
        return 1;
    }
    FreeCatalogue(catalogue);
    opCatalogue = nullptr;
    return 1;
}
