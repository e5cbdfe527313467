// The mount list of a hoop: inserting, counting, reading, changing and removing mounts.
#include "hoop/HoopMounts.h"

#include "hoop/HoopText.h"
#include <brevant/INIHoop.h>

int CINIHoop::InsertHoopMount(int hoop, const char* label, int id, int rotation, int lowX, int highX,
                              int lowY, int highY) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return -1;
    MountRecord* mount = AppendMountRecord(opCatalogue, record);
    if (mount == nullptr)
        return -1;
    if (label != nullptr)
        mount->caLabel = HoopCopyText(opCatalogue, label);
    const int numbers[kMountNumbers] = {id, rotation, lowX, highX, lowY, highY};
    for (int field = 0; field < kMountNumbers; ++field)
        mount->*kMountNumberFields[field] = numbers[field];
    return record->iMountCount - 1;
}

int CINIHoop::GetHoopMountCount(int hoop) {
    const HoopRecord* record = FindHoop(opCatalogue, hoop);
    return record ? record->iMountCount : 0;
}

int CINIHoop::GetHoopMount(int hoop, int mount, CString* label, int* id, int* rotation, int* lowX, int* highX,
                           int* lowY, int* highY) {
    const MountRecord* found = FindMount(opCatalogue, hoop, mount);
    if (found == nullptr)
        return 0;
    if (label != nullptr)
        HoopHandOutText(label, found->caLabel);
    int* const outs[kMountNumbers] = {id, rotation, lowX, highX, lowY, highY};
    for (int field = 0; field < kMountNumbers; ++field) {
        if (outs[field] != nullptr)
            *outs[field] = found->*kMountNumberFields[field];
    }
    return 1;
}

int CINIHoop::SetHoopMount(int hoop, int mount, const char* label, int id, int rotation, int lowX, int highX,
                           int lowY, int highY) {
    MountRecord* found = FindMount(opCatalogue, hoop, mount);
    if (found == nullptr)
        return 0;
    if (label != nullptr)
        HoopReplaceText(opCatalogue, &found->caLabel, label);
    const int numbers[kMountNumbers] = {id, rotation, lowX, highX, lowY, highY};
    for (int field = 0; field < kMountNumbers; ++field) {
        if (numbers[field] != kKeepStoredValue)
            found->*kMountNumberFields[field] = numbers[field];
    }
    return 1;
}

int CINIHoop::RemoveHoopMount(int hoop, int mount) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    MountRecord* found = FindMountOf(record, mount);
    if (found == nullptr)
        return 0;
    RemoveMountRecord(opCatalogue, record, found);
    return 1;
}
