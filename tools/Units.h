// Hoop coordinates are tenths of a millimetre; people read millimetres.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The distance between two coordinates, which does not fit 32 bits when they lie far apart.
inline int64_t Extent(int32_t a, int32_t b) {
    int64_t difference = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return difference < 0 ? -difference : difference;
}

// 1005 tenths -> "100.5".
inline std::string FormatMm(int64_t tenths) {
    const char* sign = tenths < 0 ? "-" : "";
    uint64_t magnitude = tenths < 0 ? 0 - static_cast<uint64_t>(tenths) : static_cast<uint64_t>(tenths);
    return sign + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

// 1000 tenths -> "100", 1005 tenths -> "100.5".
inline std::string FormatMmShort(int64_t tenths) {
    return tenths % 10 == 0 ? std::to_string(tenths / 10) : FormatMm(tenths);
}

inline std::string FormatMm(double millimetres) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", millimetres);
    return text;
}

// "130.0 x 180.0".
inline std::string FormatSizeMm(int64_t widthTenths, int64_t heightTenths) {
    return FormatMm(widthTenths) + " x " + FormatMm(heightTenths);
}
