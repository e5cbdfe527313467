// A plain copy of a catalogue's hoops, read through the library's members, and the way back into a catalogue.
#pragma once

#include <brevant/Brevant.h>

#include <cstdint>
#include <string>
#include <vector>

struct HoopRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const HoopRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const HoopRect& other) const { return !(*this == other); }
};

struct MountData {
    std::string label;
    int id = 0;
    int rotation = 0;
    int lowX = 0;
    int highX = 0;
    int lowY = 0;
    int highY = 0;
};

struct HoopData {
    std::string description;
    std::string shape;
    int rotation = 0;
    HoopRect sewField;
    HoopRect innerDim;
    HoopRect outerDim;
    std::vector<POINT> points;
    std::vector<MountData> mounts;
    // Derived by the library from the sew field and the mounts.
    int spanDir = 0;
    HoopRect hoopRect;
};

std::vector<HoopData> ReadHoops(CINIHoop& catalogue);

// Appends the hoops to the catalogue that the handle holds. The rotation is not applied: the rectangles and
// mount limits are stored already turned, and turning them again would turn them twice. Answers an empty
// text, or what went wrong.
std::string AddHoops(CINIHoop& catalogue, const std::vector<HoopData>& hoops);

// Compares a catalogue with the catalogue that its saved file reads back as, and answers the first
// difference in plain words, or an empty text. What a hoop file does not carry is not compared: the hoop's
// rotation, and the outline the reader gives a first hoop that has none.
std::string FirstDifference(const std::vector<HoopData>& expected, const std::vector<HoopData>& saved);

// "Span" in words: none, x, y or xy.
const char* SpanName(int spanDir);

// "hoop 3 (Oval 130x180)".
std::string HoopName(int index, const HoopData& hoop);
