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

// Appends a copy of hoop `from` of the source to the target: its texts, rectangles, points and mounts, not
// its rotation. The mounts are counted once, so that a hoop appended to its own catalogue takes only the
// mounts it had. Answers 0, with the target as it was, when a hoop or mount record cannot be made.
int CopyHoop(CINIHoop& source, int from, CINIHoop& target, HoopCopyBuffer& buffer) {
    source.GetHoop(from, &buffer.description, &buffer.shape);
    int copy = target.InsertHoop(buffer.description, buffer.shape);
    if (copy == -1)
        return 0;
    source.GetHoopSewField(from, &buffer.rect);
    target.SetHoopSewField(copy, &buffer.rect);
    source.GetHoopInnerDim(from, &buffer.rect);
    target.SetHoopInnerDim(copy, &buffer.rect);
    source.GetHoopOuterDim(from, &buffer.rect);
    target.SetHoopOuterDim(copy, &buffer.rect);
    source.GetHoopPoints(from, &buffer.points);
    target.SetHoopPoints(copy, &buffer.points);
    int mounts = source.GetHoopMountCount(from);
    for (int mount = 0; mount < mounts; ++mount) {
        source.GetHoopMount(from, mount, &buffer.description, &buffer.id, &buffer.rotation, &buffer.lowX,
                            &buffer.highX, &buffer.lowY, &buffer.highY);
        if (target.InsertHoopMount(copy, buffer.description, buffer.id, buffer.rotation, buffer.lowX,
                                   buffer.highX, buffer.lowY, buffer.highY) == -1) {
            target.RemoveHoop(copy);
            return 0;
        }
    }
    return 1;
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
    return CopyHoop(*source, hoop, *this, buffer);
}

int CINIHoop::CloneTo(CINIHoop* target) {
    if (target == nullptr)
        return 0;
    if (!target->Create())
        return 0;
    HoopCopyBuffer buffer;
    for (int hoop = 0; hoop < GetHoopCount(); ++hoop) {
        if (!CopyHoop(*this, hoop, *target, buffer)) {
            target->Release();
            return 0;
        }
    }
    return 1;
}
