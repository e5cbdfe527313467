// The handle's lifecycle: construction, assignment (counted sharing), Create and Release.
#include <new>

#include "hoop/HoopRecords.h"
#include "hoop/INIHoop.h"
#include "ini/INIFile.h"
#include "platform/Memory.h"

namespace {
// Empties the catalogue (last hoop first, its mounts last to first), destroys its document and frees it.
void FreeCatalogue(CINIHoop& handle, HoopCatalogue* catalogue) {
    while (handle.GetHoopCount() > 0) {
        int last = handle.GetHoopCount() - 1;
        for (int mount = handle.GetHoopMountCount(last) - 1; mount >= 0; --mount)
            handle.RemoveHoopMount(last, mount);
        handle.RemoveHoop(last);
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
    FreeCatalogue(*this, catalogue);
    opCatalogue = nullptr;
    return 1;
}
