// The outline points of a hoop, handed out and taken in through the platform's point array.
#include "hoop/HoopMemory.h"
#include "hoop/HoopRecords.h"
#include <brevant/INIHoop.h>

int CINIHoop::GetHoopPoints(int hoop, CArray<POINT, POINT>* points) {
    if (points == nullptr)
        return 0;
    const HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    points->RemoveAll();
    for (int i = 0; i < record->iPointCount; ++i)
        points->Add(POINT{record->opPoints[i].x, record->opPoints[i].y});
    return 1;
}

int CINIHoop::SetHoopPoints(int hoop, const CArray<POINT, POINT>* points) {
    if (points == nullptr)
        return 0;
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    CatalogueFree(opCatalogue, record->opPoints);
    record->opPoints = nullptr;
    record->iPointCount = 0;
    int count = points->GetSize();
    if (count == 0)
        return 1;
    POINT* copy =
        static_cast<POINT*>(CatalogueAlloc(opCatalogue, sizeof(POINT) * static_cast<size_t>(count)));
    if (copy == nullptr)
        return 0;
    for (int i = 0; i < count; ++i)
        copy[i] = POINT{points->GetAt(i).x, points->GetAt(i).y};
    record->opPoints = copy;
    record->iPointCount = count;
    return 1;
}
