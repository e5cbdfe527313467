// The list of hoops and the description and shape texts of each hoop.
#include "hoop/HoopRecords.h"
#include "hoop/HoopText.h"
#include <brevant/INIHoop.h>

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
        HoopReplaceText(opCatalogue, &record->caDescription, description);
    if (shape != nullptr)
        HoopReplaceText(opCatalogue, &record->caShape, shape);
    return 1;
}

int CINIHoop::InsertHoop(const char* description, const char* shape) {
    if (opCatalogue == nullptr)
        return -1;
    HoopRecord* record = AppendHoopRecord(opCatalogue);
    if (record == nullptr)
        return -1;
    if (description != nullptr)
        record->caDescription = HoopCopyText(opCatalogue, description);
    if (shape != nullptr)
        record->caShape = HoopCopyText(opCatalogue, shape);
    return opCatalogue->iHoopCount - 1;
}

int CINIHoop::RemoveHoop(int hoop) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    RemoveHoopRecord(opCatalogue, record);
    return 1;
}
