// The list of hoops and the description and shape texts of each hoop.
#include "hoop/HoopRecords.h"
#include "hoop/HoopText.h"
#include "platform/Memory.h"
#include <brevant/INIHoop.h>

namespace {
void AppendHoopRecord(HoopCatalogue* catalogue, HoopRecord* record) {
    if (catalogue->opFirstHoop == nullptr) {
        catalogue->opFirstHoop = record;
        return;
    }
    HoopRecord* tail = catalogue->opFirstHoop;
    while (tail->opNext != nullptr)
        tail = tail->opNext;
    record->opPrev = tail;
    tail->opNext = record;
}

void UnlinkHoopRecord(HoopCatalogue* catalogue, HoopRecord* record) {
    if (record->opNext != nullptr)
        record->opNext->opPrev = record->opPrev;
    if (record->opPrev != nullptr)
        record->opPrev->opNext = record->opNext;
    else
        catalogue->opFirstHoop = record->opNext;
    if (catalogue->opLastHoop == record) // the reader's mark never outlives its hoop
        catalogue->opLastHoop = nullptr;
}

} // namespace

int CINIHoop::GetHoopCount() {
    return opCatalogue ? opCatalogue->iHoopCount : 0;
}

int CINIHoop::GetHoop(int hoop, CString* description, CString* shape) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    if (description != nullptr)
        HoopHandOutText(description, record->caDescription);
    if (shape != nullptr)
        HoopHandOutText(shape, record->caShape);
    return 1;
}

int CINIHoop::SetHoop(int hoop, const char* description, const char* shape) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    if (description != nullptr)
        HoopReplaceText(&record->caDescription, description);
    if (shape != nullptr)
        HoopReplaceText(&record->caShape, shape);
    return 1;
}

int CINIHoop::InsertHoop(const char* description, const char* shape) {
    if (opCatalogue == nullptr)
        return -1;
    HoopRecord* record = static_cast<HoopRecord*>(MemAllocZeroed(sizeof(HoopRecord)));
    if (record == nullptr)
        return -1;
    AppendHoopRecord(opCatalogue, record);
    if (description != nullptr)
        record->caDescription = HoopCopyText(description);
    if (shape != nullptr)
        record->caShape = HoopCopyText(shape);
    ++opCatalogue->iHoopCount;
    return opCatalogue->iHoopCount - 1;
}

int CINIHoop::RemoveHoop(int hoop) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    UnlinkHoopRecord(opCatalogue, record);
    FreeHoopRecord(record);
    --opCatalogue->iHoopCount;
    return 1;
}
