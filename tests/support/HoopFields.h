// A hoop catalogue as its getters show it: every field of every hoop as text, in a fixed order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <brevant/INIHoop.h>

using HoopField = std::pair<std::string, std::string>; // "hoop 1 shape", "oval"

inline std::string JoinNumbers(std::initializer_list<int> numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(n);
    return text;
}

// One hoop's fields: points read "x,y;x,y;", rectangles "left,top,right,bottom".
inline std::vector<HoopField> HoopFieldsOf(CINIHoop& hoops, int i) {
    CString description, shape;
    hoops.GetHoop(i, &description, &shape);
    CArray<POINT, POINT> points;
    hoops.GetHoopPoints(i, &points);
    std::string listed;
    for (int k = 0; k < points.GetSize(); ++k)
        listed += JoinNumbers({points[k].x, points[k].y}) + ";";
    std::vector<HoopField> fields{
        {"description", description.GetString()}, {"shape", shape.GetString()}, {"points", listed}};
    CRect rects[3];
    hoops.GetHoopSewField(i, &rects[0]);
    hoops.GetHoopInnerDim(i, &rects[1]);
    hoops.GetHoopOuterDim(i, &rects[2]);
    for (int r = 0; r < 3; ++r) {
        const CRect& e = rects[r];
        fields.push_back({"rect " + std::to_string(r), JoinNumbers({e.left, e.top, e.right, e.bottom})});
    }
    fields.push_back({"mounts", std::to_string(hoops.GetHoopMountCount(i))});
    for (int j = 0; j < hoops.GetHoopMountCount(i); ++j) {
        CString label;
        int f[6];
        hoops.GetHoopMount(i, j, &label, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
        std::string mount = "mount " + std::to_string(j) + " ";
        fields.insert(fields.end(), {{mount + "label", label.GetString()},
                                     {mount + "id", std::to_string(f[0])},
                                     {mount + "rotation", std::to_string(f[1])},
                                     {mount + "limits", JoinNumbers({f[2], f[3], f[4], f[5]})}});
    }
    return fields;
}

// The whole catalogue: the hoop count, then each hoop's fields named "hoop i field".
inline std::vector<HoopField> HoopFields(CINIHoop& hoops) {
    std::vector<HoopField> fields{{"hoops", std::to_string(hoops.GetHoopCount())}};
    for (int i = 0; i < hoops.GetHoopCount(); ++i)
        for (const HoopField& field : HoopFieldsOf(hoops, i))
            fields.push_back({"hoop " + std::to_string(i) + " " + field.first, field.second});
    return fields;
}

// The outline that the reader gives the first hoop without points of its own: four times its bounds, wrapped.
inline std::string DefaultOutline(CINIHoop& hoops) {
    CRect b;
    hoops.GetHoopRect(0, &b);
    auto times4 = [](int v) { return static_cast<int>(static_cast<unsigned>(v) * 4u); };
    int l = times4(b.left), t = times4(b.top), r = times4(b.right), bottom = times4(b.bottom);
    return JoinNumbers({l, t}) + ";" + JoinNumbers({r, t}) + ";" + JoinNumbers({r, bottom}) + ";" +
           JoinNumbers({l, bottom}) + ";" + JoinNumbers({l, t}) + ";";
}
