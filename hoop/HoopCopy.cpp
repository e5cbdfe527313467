// Copying hoops between catalogues, built only on the public members of the handle.
#include <brevant/INIHoop.h>

namespace {
// The work variables of one hoop copy; the description string also carries each mount's label.
struct HoopCopyBuffer {
    CString description;
    CString shape;
    CRect rect;
    CArray<POINT, POINT> points;
    int id = 0, rotation = 0, lowX = 0, highX = 0, lowY = 0, highY = 0;
};

void CopyPoints(CINIHoop& source, int from, CINIHoop& target, int to, HoopCopyBuffer& buffer) {
    source.GetHoopPoints(from, &buffer.points);
    target.SetHoopPoints(to, &buffer.points);
}

// Appends mount j of hoop `from` of the source to hoop `to` of the target; answers -1 on failure.
int CopyMount(CINIHoop& source, int from, int mount, CINIHoop& target, int to, HoopCopyBuffer& buffer) {
    source.GetHoopMount(from, mount, &buffer.description, &buffer.id, &buffer.rotation, &buffer.lowX,
                        &buffer.highX, &buffer.lowY, &buffer.highY);
    return target.InsertHoopMount(to, buffer.description, buffer.id, buffer.rotation, buffer.lowX,
                                  buffer.highX, buffer.lowY, buffer.highY);
}
} // namespace

int CINIHoop::AppendHoop(CINIHoop* source, int hoop) {
    if (source == nullptr)
        return 0;
    if (hoop < 0 || hoop >= source->GetHoopCount())
        return 0;
    if (opCatalogue == nullptr && !Create())
        return 0;
    HoopCopyBuffer buffer;
    source->GetHoop(hoop, &buffer.description, &buffer.shape);
    int copy = InsertHoop(buffer.description, buffer.shape);
    if (copy == -1)
        return 0;
    source->GetHoopSewField(hoop, &buffer.rect);
    SetHoopSewField(copy, &buffer.rect);
    source->GetHoopInnerDim(hoop, &buffer.rect);
    SetHoopInnerDim(copy, &buffer.rect);
    source->GetHoopOuterDim(hoop, &buffer.rect);
    SetHoopOuterDim(copy, &buffer.rect);
    CopyPoints(*source, hoop, *this, copy, buffer);
    // Counted once, so that appending a hoop of this catalogue to itself copies only the mounts it had.
    int mounts = source->GetHoopMountCount(hoop);
    for (int mount = 0; mount < mounts; ++mount) {
        if (CopyMount(*source, hoop, mount, *this, copy, buffer) == -1) {
            RemoveHoop(copy);
            return 0;
        }
    }
    return 1;
}

int CINIHoop::CloneTo(CINIHoop* target) {
    if (target == nullptr)
        return 0;
    if (!target->Create())
        return 0;
    HoopCopyBuffer buffer;
    for (int hoop = 0; hoop < GetHoopCount(); ++hoop) {
        GetHoop(hoop, &buffer.description, &buffer.shape);
        int copy = target->InsertHoop(buffer.description, buffer.shape);
        if (copy == -1) {
            target->Release();
            return 0;
        }
        GetHoopOuterDim(hoop, &buffer.rect);
        target->SetHoopOuterDim(copy, &buffer.rect);
        GetHoopInnerDim(hoop, &buffer.rect);
        target->SetHoopInnerDim(copy, &buffer.rect);
        GetHoopSewField(hoop, &buffer.rect);
        target->SetHoopSewField(copy, &buffer.rect);
        CopyPoints(*this, hoop, *target, copy, buffer);
        for (int mount = 0; mount < GetHoopMountCount(hoop); ++mount) {
            if (CopyMount(*this, hoop, mount, *target, copy, buffer) == -1) {
                target->Release();
                return 0;
            }
        }
    }
    return 1;
}
