// The mount list of a hoop: inserting, counting, reading, changing and removing mounts.
#include "hoop/HoopMounts.h"

#include "hoop/HoopText.h"
#include "platform/Memory.h"
#include <brevant/INIHoop.h>

namespace {
void AppendMountRecord(HoopRecord* hoop, MountRecord* mount) {
    if (hoop->opFirstMount == nullptr) {
        hoop->opFirstMount = mount;
        return;
    }
    MountRecord* tail = hoop->opFirstMount;
    while (tail->opNext != nullptr)
        tail = tail->opNext;
    mount->opPrev = tail;
    tail->opNext = mount;
}

void UnlinkMountRecord(HoopRecord* hoop, MountRecord* mount) {
    if (mount->opNext != nullptr)
        mount->opNext->opPrev = mount->opPrev;
    if (mount->opPrev != nullptr)
        mount->opPrev->opNext = mount->opNext;
    else
        hoop->opFirstMount = mount->opNext;
    if (hoop->opLastMount == mount) // the reader's mark never outlives its mount
        hoop->opLastMount = nullptr;
}
} // namespace

int CINIHoop::InsertHoopMount(int hoop, const char* label, int id, int rotation, int lowX, int highX,
                              int lowY, int highY) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return -1;
    MountRecord* mount = static_cast<MountRecord*>(MemAllocZeroed(sizeof(MountRecord)));
    if (mount == nullptr)
        return -1;
    AppendMountRecord(record, mount);
    if (label != nullptr)
        mount->caLabel = HoopCopyText(label);
    const int numbers[kMountNumbers] = {id, rotation, lowX, highX, lowY, highY};
    for (int field = 0; field < kMountNumbers; ++field)
        mount->*kMountNumberFields[field] = numbers[field];
    ++record->iMountCount;
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
        HoopReplaceText(&found->caLabel, label);
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
    UnlinkMountRecord(record, found);
    MemFree(found->caLabel);
    MemFree(found);
    --record->iMountCount;
    return 1;
}
