#include "HoopData.h"

#include "ToolOutput.h"

namespace {

HoopRect FromCRect(const CRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToCRect(const HoopRect& rect) {
    return CRect(rect.left, rect.top, rect.right, rect.bottom);
}

MountData ReadMount(CINIHoop& catalogue, int hoop, int mount) {
    MountData data;
    CString label;
    catalogue.GetHoopMount(hoop, mount, &label, &data.id, &data.rotation, &data.lowX, &data.highX, &data.lowY,
                           &data.highY);
    data.label = label.GetString();
    return data;
}

HoopData ReadHoop(CINIHoop& catalogue, int hoop) {
    HoopData data;
    CString description;
    CString shape;
    catalogue.GetHoop(hoop, &description, &shape);
    data.description = description.GetString();
    data.shape = shape.GetString();
    data.rotation = catalogue.GetHoopRotation(hoop);
    CRect rect;
    catalogue.GetHoopSewField(hoop, &rect);
    data.sewField = FromCRect(rect);
    catalogue.GetHoopInnerDim(hoop, &rect);
    data.innerDim = FromCRect(rect);
    catalogue.GetHoopOuterDim(hoop, &rect);
    data.outerDim = FromCRect(rect);
    CArray<POINT, POINT> points;
    catalogue.GetHoopPoints(hoop, &points);
    for (int index = 0; index < points.GetSize(); ++index)
        data.points.push_back(points[index]);
    int mounts = catalogue.GetHoopMountCount(hoop);
    for (int mount = 0; mount < mounts; ++mount)
        data.mounts.push_back(ReadMount(catalogue, hoop, mount));
    data.spanDir = catalogue.GetHoopSpanDir(hoop);
    catalogue.GetHoopRect(hoop, &rect);
    data.hoopRect = FromCRect(rect);
    return data;
}

std::string AddHoop(CINIHoop& catalogue, const HoopData& hoop) {
    int index = catalogue.InsertHoop(hoop.description.c_str(), hoop.shape.c_str());
    if (index < 0)
        return "the library could not add a hoop";
    CRect sewField = ToCRect(hoop.sewField);
    CRect innerDim = ToCRect(hoop.innerDim);
    CRect outerDim = ToCRect(hoop.outerDim);
    catalogue.SetHoopSewField(index, &sewField);
    catalogue.SetHoopInnerDim(index, &innerDim);
    catalogue.SetHoopOuterDim(index, &outerDim);
    CArray<POINT, POINT> points;
    for (const POINT& point : hoop.points)
        points.Add(point);
    if (!catalogue.SetHoopPoints(index, &points))
        return "the library could not store the outline of " + HoopName(index, hoop);
    for (const MountData& mount : hoop.mounts) {
        if (catalogue.InsertHoopMount(index, mount.label.c_str(), mount.id, mount.rotation, mount.lowX,
                                      mount.highX, mount.lowY, mount.highY) < 0)
            return "the library could not add a mount to " + HoopName(index, hoop);
    }
    return {};
}

std::string RectText(const HoopRect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom);
}

// The outline that the reader makes for a first hoop without points: its hoop rectangle times four, wrapping.
std::vector<POINT> DefaultOutline(const HoopRect& rect) {
    auto times4 = [](int32_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value) * 4u); };
    int32_t left = times4(rect.left);
    int32_t top = times4(rect.top);
    int32_t right = times4(rect.right);
    int32_t bottom = times4(rect.bottom);
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
}

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t index = 0; index < a.size(); ++index) {
        if (a[index].x != b[index].x || a[index].y != b[index].y)
            return false;
    }
    return true;
}

std::string TextDifference(const char* field, const std::string& expected, const std::string& saved) {
    if (expected == saved)
        return {};
    return std::string("its ") + field + " " + Quoted(expected) + " reads back as " + Quoted(saved);
}

std::string RectDifference(const char* field, const HoopRect& expected, const HoopRect& saved) {
    if (expected == saved)
        return {};
    return std::string("its ") + field + " " + RectText(expected) + " reads back as " + RectText(saved);
}

std::string MountDifference(size_t index, const MountData& expected, const MountData& saved) {
    std::string mount = "mount " + std::to_string(index);
    if (expected.label != saved.label)
        return mount + " label " + Quoted(expected.label) + " reads back as " + Quoted(saved.label);
    bool same = expected.id == saved.id && expected.rotation == saved.rotation &&
                expected.lowX == saved.lowX && expected.highX == saved.highX && expected.lowY == saved.lowY &&
                expected.highY == saved.highY;
    return same ? std::string() : mount + " does not read back with the same id, rotation and limits";
}

std::string OutlineDifference(int index, const HoopData& expected, const HoopData& saved) {
    if (SamePoints(expected.points, saved.points))
        return {};
    if (index == 0 && expected.points.empty() && SamePoints(DefaultOutline(expected.hoopRect), saved.points))
        return {};
    return "its outline of " + Plural(static_cast<long long>(expected.points.size()), "point", "points") +
           " reads back as " + Plural(static_cast<long long>(saved.points.size()), "point", "points");
}

std::string HoopDifference(int index, const HoopData& expected, const HoopData& saved) {
    std::string difference = TextDifference("description", expected.description, saved.description);
    if (difference.empty())
        difference = TextDifference("shape", expected.shape, saved.shape);
    if (difference.empty())
        difference = RectDifference("sew field", expected.sewField, saved.sewField);
    if (difference.empty())
        difference = RectDifference("inner dimension", expected.innerDim, saved.innerDim);
    if (difference.empty())
        difference = RectDifference("outer dimension", expected.outerDim, saved.outerDim);
    if (difference.empty())
        difference = OutlineDifference(index, expected, saved);
    if (difference.empty() && expected.mounts.size() != saved.mounts.size())
        difference = "its " + Plural(static_cast<long long>(expected.mounts.size()), "mount", "mounts") +
                     " read back as " + std::to_string(saved.mounts.size());
    for (size_t mount = 0; difference.empty() && mount < expected.mounts.size(); ++mount)
        difference = MountDifference(mount, expected.mounts[mount], saved.mounts[mount]);
    return difference;
}

} // namespace

std::vector<HoopData> ReadHoops(CINIHoop& catalogue) {
    std::vector<HoopData> hoops;
    int count = catalogue.GetHoopCount();
    for (int hoop = 0; hoop < count; ++hoop)
        hoops.push_back(ReadHoop(catalogue, hoop));
    return hoops;
}

std::string AddHoops(CINIHoop& catalogue, const std::vector<HoopData>& hoops) {
    for (const HoopData& hoop : hoops) {
        std::string problem = AddHoop(catalogue, hoop);
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::string FirstDifference(const std::vector<HoopData>& expected, const std::vector<HoopData>& saved) {
    if (expected.size() != saved.size())
        return Plural(static_cast<long long>(expected.size()), "hoop", "hoops") + " read back as " +
               std::to_string(saved.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        std::string difference = HoopDifference(static_cast<int>(index), expected[index], saved[index]);
        if (!difference.empty())
            return HoopName(static_cast<int>(index), expected[index]) + ": " + difference;
    }
    return {};
}

const char* SpanName(int spanDir) {
    switch (spanDir) {
    case 1:
        return "x";
    case 2:
        return "y";
    case 3:
        return "xy";
    default:
        return "none";
    }
}

std::string HoopName(int index, const HoopData& hoop) {
    std::string name = "hoop " + std::to_string(index);
    return hoop.description.empty() ? name : name + " (" + hoop.description + ")";
}
