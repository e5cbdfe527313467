// Finding hoop i and mount j: every lookup walks its list from the head.
#include "hoop/HoopRecords.h"

#include "platform/Memory.h"

HoopRecord* FindHoop(HoopCatalogue* catalogue, int hoop) {
    if (catalogue == nullptr)
        return nullptr;
    if (hoop < 0 || hoop >= catalogue->iHoopCount)
        return nullptr;
    HoopRecord* record = catalogue->opFirstHoop;
    for (int i = 0; i < hoop; ++i)
        record = record->opNext;
    return record;
}

MountRecord* FindMount(HoopCatalogue* catalogue, int hoop, int mount) {
    HoopRecord* record = FindHoop(catalogue, hoop);
    if (record == nullptr)
        return nullptr;
    return FindMountOf(record, mount);
}

MountRecord* FindMountOf(HoopRecord* hoop, int mount) {
    if (mount < 0 || mount >= hoop->iMountCount)
        return nullptr;
    MountRecord* found = hoop->opFirstMount;
    for (int j = 0; j < mount; ++j)
        found = found->opNext;
    return found;
}

// Frees every mount of the hoop in list order, then its points, texts and the record itself.
void FreeHoopRecord(HoopRecord* record) {
    MountRecord* mount = record->opFirstMount;
    while (mount != nullptr) {
        MountRecord* next = mount->opNext;
        MemFree(mount->caLabel);
        MemFree(mount);
        mount = next;
    }
    MemFree(record->opPoints);
    MemFree(record->caDescription);
    MemFree(record->caShape);
    MemFree(record);
}
