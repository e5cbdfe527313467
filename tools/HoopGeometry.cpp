#include "HoopGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Rounds half away from zero, as the library rounds turned rectangle corners.
double RoundHalfAway(double value) {
    return value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5);
}

bool FitsInt32(double value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

// The turned point in doubles: exact for quarter turns, rounded otherwise.
void Turned(double x, double y, int degrees, double& outX, double& outY) {
    switch (degrees) {
    case 0:
        outX = x, outY = y;
        return;
    case 90:
        outX = y, outY = -x;
        return;
    case 180:
        outX = -x, outY = -y;
        return;
    case 270:
        outX = -y, outY = x;
        return;
    default:
        break;
    }
    double t = degrees * kRadiansPerDegree;
    double sine = std::sin(t);
    double cosine = std::cos(t);
    outX = RoundHalfAway(x * cosine + y * sine);
    outY = RoundHalfAway(y * cosine - x * sine);
}

bool CanTurn(double x, double y, int degrees) {
    double turnedX = 0;
    double turnedY = 0;
    Turned(x, y, degrees, turnedX, turnedY);
    return FitsInt32(turnedX) && FitsInt32(turnedY);
}

bool CanTurnRect(const HoopRect& rect, int degrees) {
    return CanTurn(rect.left, rect.top, degrees) && CanTurn(rect.right, rect.bottom, degrees);
}

bool OnSegment(const POINT& a, const POINT& b, double x, double y) {
    double cross =
        (b.x - static_cast<double>(a.x)) * (y - a.y) - (b.y - static_cast<double>(a.y)) * (x - a.x);
    if (cross != 0)
        return false;
    return x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) && y >= std::min(a.y, b.y) &&
           y <= std::max(a.y, b.y);
}

} // namespace

int NormalisedDegrees(long long degrees) {
    return static_cast<int>(((degrees % 360) + 360) % 360);
}

bool TurnPoint(POINT& point, int degrees) {
    double x = 0;
    double y = 0;
    Turned(point.x, point.y, NormalisedDegrees(degrees), x, y);
    if (!FitsInt32(x) || !FitsInt32(y))
        return false;
    point.x = static_cast<int32_t>(x);
    point.y = static_cast<int32_t>(y);
    return true;
}

std::string CannotTurn(const HoopData& hoop, int degrees) {
    degrees = NormalisedDegrees(degrees);
    for (const POINT& point : hoop.points) {
        if (!CanTurn(point.x, point.y, degrees))
            return "the outline point " + std::to_string(point.x) + "," + std::to_string(point.y);
    }
    if (!CanTurnRect(hoop.sewField, degrees))
        return "the sew field";
    if (!CanTurnRect(hoop.innerDim, degrees))
        return "the inner dimension";
    if (!CanTurnRect(hoop.outerDim, degrees))
        return "the outer dimension";
    for (size_t index = 0; index < hoop.mounts.size(); ++index) {
        const MountData& mount = hoop.mounts[index];
        if (!CanTurn(mount.lowX, mount.lowY, degrees) || !CanTurn(mount.highX, mount.highY, degrees))
            return "the limits of mount " + std::to_string(index);
    }
    return {};
}

bool InsideOutline(const std::vector<POINT>& outline, double x, double y) {
    if (outline.size() < 3)
        return false;
    bool inside = false;
    for (size_t index = 0, previous = outline.size() - 1; index < outline.size(); previous = index++) {
        const POINT& a = outline[previous];
        const POINT& b = outline[index];
        if (OnSegment(a, b, x, y))
            return true;
        if ((a.y > y) != (b.y > y)) {
            double crossingX =
                a.x + (y - a.y) * (static_cast<double>(b.x) - a.x) / (static_cast<double>(b.y) - a.y);
            if (x < crossingX)
                inside = !inside;
        }
    }
    return inside;
}

bool SewFieldInsideOutline(const HoopData& hoop) {
    if (hoop.points.empty() || hoop.sewField == HoopRect{})
        return true;
    double left = std::min(hoop.sewField.left, hoop.sewField.right);
    double right = std::max(hoop.sewField.left, hoop.sewField.right);
    double bottom = std::min(hoop.sewField.top, hoop.sewField.bottom);
    double top = std::max(hoop.sewField.top, hoop.sewField.bottom);
    for (double x : {left, right}) {
        for (double y : {bottom, top}) {
            if (!InsideOutline(hoop.points, x, y))
                return false;
        }
    }
    for (const POINT& point : hoop.points) {
        if (point.x > left && point.x < right && point.y > bottom && point.y < top)
            return false;
    }
    return true;
}

bool TurnHoop(CINIHoop& catalogue, int hoop, int degrees) {
    degrees = NormalisedDegrees(degrees);
    if (degrees == 0)
        return true;
    catalogue.SetHoopRotation(hoop, 0);
    catalogue.SetHoopRotation(hoop, degrees);
    CArray<POINT, POINT> points;
    catalogue.GetHoopPoints(hoop, &points);
    for (int index = 0; index < points.GetSize(); ++index)
        TurnPoint(points[index], degrees);
    return catalogue.SetHoopPoints(hoop, &points) != 0;
}
