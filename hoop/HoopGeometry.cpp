// A hoop's rotation, span direction and bounding rectangle, and the turning and rounding they rely on.
#include "hoop/HoopGeometry.h"

#include <cmath>
#include <utility>

#include "hoop/HoopRectangles.h"
#include <brevant/INIHoop.h>

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;

// 32-bit results of the rectangle arithmetic wrap as the original 32-bit arithmetic does.
int32_t Wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

void TurnMount(MountRecord* mount, double degrees) {
    RECT limits{mount->iLowX, mount->iLowY, mount->iHighX, mount->iHighY};
    RECT turned;
    HoopRotateRect(&turned, &limits, degrees);
    mount->iLowX = turned.left;
    mount->iLowY = turned.top;
    mount->iHighX = turned.right;
    mount->iHighY = turned.bottom;
}

// Turns one rectangle of the hoop and puts its edges in order: left <= right, top >= bottom.
void TurnRectangle(HoopRecord* record, const HoopRectFields& edges, double degrees) {
    RECT stored = ReadHoopRect(*record, edges);
    RECT turned;
    HoopRotateRect(&turned, &stored, degrees);
    if (turned.right < turned.left)
        std::swap(turned.left, turned.right);
    if (turned.top < turned.bottom)
        std::swap(turned.top, turned.bottom);
    WriteHoopRect(*record, edges, turned);
}
} // namespace

int32_t HoopRoundDouble(double value) {
    double shifted = value < 0.0 ? value - 0.5 : value + 0.5;
    if (std::isnan(shifted))
        return 0;
    if (shifted >= 2147483648.0)
        return INT32_MAX;
    if (shifted <= -2147483649.0)
        return INT32_MIN;
    return static_cast<int32_t>(shifted);
}

int HoopRotateRect(RECT* out, const RECT* in, double degrees) {
    if (out == nullptr || in == nullptr)
        return 0;
    double t = degrees * kRadiansPerDegree;
    double sine = std::sin(t);
    double cosine = std::cos(t);
    double left = in->left, top = in->top, right = in->right, bottom = in->bottom;
    out->left = HoopRoundDouble((left * cosine) + (top * sine));
    out->top = HoopRoundDouble((top * cosine) - (left * sine));
    out->right = HoopRoundDouble((right * cosine) + (bottom * sine));
    out->bottom = HoopRoundDouble((bottom * cosine) - (right * sine));
    return 1;
}

int CINIHoop::GetHoopRotation(int hoop) {
    const HoopRecord* record = FindHoop(opCatalogue, hoop);
    return record ? record->iRotation : 0;
}

int CINIHoop::SetHoopRotation(int hoop, int rotation) {
    HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    if (record->iRotation == rotation)
        return 1;
    // Every turn is by the new rotation itself: the stored values are already turned by the earlier ones.
    double degrees = rotation;
    for (MountRecord* mount = record->opFirstMount; mount != nullptr; mount = mount->opNext)
        TurnMount(mount, degrees);
    TurnRectangle(record, kInnerDimEdges, degrees);
    TurnRectangle(record, kOuterDimEdges, degrees);
    TurnRectangle(record, kSewFieldEdges, degrees);
    record->iRotation = rotation;
    return 1;
}

int CINIHoop::GetHoopSpanDir(int hoop) {
    const HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr || record->iMountCount < 1)
        return 0;
    int flags = 0;
    for (int mount = 0; mount < record->iMountCount; ++mount) {
        if (GetHoopMountLowX(hoop, mount) != 0 || GetHoopMountHighX(hoop, mount) != 0)
            flags |= 1;
        if (GetHoopMountLowY(hoop, mount) != 0 || GetHoopMountHighY(hoop, mount) != 0)
            flags |= 2;
    }
    return flags;
}

int CINIHoop::GetHoopRect(int hoop, CRect* rect) {
    if (rect == nullptr)
        return 0;
    const HoopRecord* record = FindHoop(opCatalogue, hoop);
    if (record == nullptr)
        return 0;
    int32_t halfWidth = Wrap32(int64_t{record->iSewFieldRight} - record->iSewFieldLeft) / 2;
    int32_t halfHeight = Wrap32(int64_t{record->iSewFieldTop} - record->iSewFieldBottom) / 2;
    RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const MountRecord* mount = record->opFirstMount; mount != nullptr; mount = mount->opNext) {
        int32_t left = Wrap32(int64_t{mount->iLowX} - halfWidth);
        int32_t top = Wrap32(int64_t{mount->iLowY} - halfHeight);
        int32_t right = Wrap32(int64_t{mount->iHighX} + halfWidth);
        int32_t bottom = Wrap32(int64_t{mount->iHighY} + halfHeight);
        if (left < bounds.left)
            bounds.left = left;
        if (top < bounds.top)
            bounds.top = top;
        if (right > bounds.right)
            bounds.right = right;
        if (bottom > bounds.bottom)
            bounds.bottom = bottom;
    }
    rect->SetRect(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return 1;
}
