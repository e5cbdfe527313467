// The hoop and mount lists: finding hoop i and mount j by walking from the head, appending at the tail and
// removing.
#include "hoop/HoopRecords.h"

#include "hoop/HoopMemory.h"

namespace {

// The lists link forwards only, with a tail pointer for appending: a caller finds a record by walking from
// the head anyway, and a back link would cost eight bytes in every record of a loaded catalogue.
template <class Record> void LinkAtTail(Record*& first, Record*& last, Record* record) {
    if (last != nullptr)
        last->opNext = record;
    else
        first = record;
    last = record;
}

template <class Record> void Unlink(Record*& first, Record*& last, Record* record) {
    Record* previous = nullptr;
    for (Record* walk = first; walk != record; walk = walk->opNext)
        previous = walk;
    if (previous != nullptr)
        previous->opNext = record->opNext;
    else
        first = record->opNext;
    if (last == record)
        last = previous;
}

void FreeMountRecord(const HoopCatalogue* catalogue, MountRecord* mount) {
    CatalogueFree(catalogue, mount->caLabel);
    CatalogueFree(catalogue, mount);
}

// Frees every mount of the hoop in list order, then its points, texts and the record itself.
void FreeHoopRecord(const HoopCatalogue* catalogue, HoopRecord* record) {
    MountRecord* mount = record->opFirstMount;
    while (mount != nullptr) {
        MountRecord* next = mount->opNext;
        FreeMountRecord(catalogue, mount);
        mount = next;
    }
    CatalogueFree(catalogue, record->opPoints);
    CatalogueFree(catalogue, record->caDescription);
    CatalogueFree(catalogue, record->caShape);
    CatalogueFree(catalogue, record);
}

} // namespace

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

HoopRecord* AppendHoopRecord(HoopCatalogue* catalogue) {
    HoopRecord* record = static_cast<HoopRecord*>(CatalogueAllocZeroed(catalogue, sizeof(HoopRecord)));
    if (record == nullptr)
        return nullptr;
    LinkAtTail(catalogue->opFirstHoop, catalogue->opLastHoop, record);
    ++catalogue->iHoopCount;
    return record;
}

MountRecord* AppendMountRecord(HoopCatalogue* catalogue, HoopRecord* hoop) {
    MountRecord* mount = static_cast<MountRecord*>(CatalogueAllocZeroed(catalogue, sizeof(MountRecord)));
    if (mount == nullptr)
        return nullptr;
    LinkAtTail(hoop->opFirstMount, hoop->opLastMount, mount);
    ++hoop->iMountCount;
    return mount;
}

void RemoveHoopRecord(HoopCatalogue* catalogue, HoopRecord* record) {
    Unlink(catalogue->opFirstHoop, catalogue->opLastHoop, record);
    FreeHoopRecord(catalogue, record);
    --catalogue->iHoopCount;
}

void RemoveMountRecord(HoopCatalogue* catalogue, HoopRecord* hoop, MountRecord* mount) {
    Unlink(hoop->opFirstMount, hoop->opLastMount, mount);
    FreeMountRecord(catalogue, mount);
    --hoop->iMountCount;
}
