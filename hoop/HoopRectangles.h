// The three rectangles of a hoop (sew field, inner and outer dimension) as tables of their edge fields.
#pragma once

#include "hoop/HoopRecords.h"
#include <brevant/Geometry.h>

// The four edge fields of one rectangle of a hoop, in the order left, top, right, bottom.
struct HoopRectFields {
    int32_t HoopRecord::*left;
    int32_t HoopRecord::*top;
    int32_t HoopRecord::*right;
    int32_t HoopRecord::*bottom;
};

inline constexpr HoopRectFields kSewFieldEdges{&HoopRecord::iSewFieldLeft, &HoopRecord::iSewFieldTop,
                                               &HoopRecord::iSewFieldRight, &HoopRecord::iSewFieldBottom};
inline constexpr HoopRectFields kInnerDimEdges{&HoopRecord::iInnerDimLeft, &HoopRecord::iInnerDimTop,
                                               &HoopRecord::iInnerDimRight, &HoopRecord::iInnerDimBottom};
inline constexpr HoopRectFields kOuterDimEdges{&HoopRecord::iOuterDimLeft, &HoopRecord::iOuterDimTop,
                                               &HoopRecord::iOuterDimRight, &HoopRecord::iOuterDimBottom};

inline RECT ReadHoopRect(const HoopRecord& record, const HoopRectFields& edges) {
    return RECT{record.*edges.left, record.*edges.top, record.*edges.right, record.*edges.bottom};
}

inline void WriteHoopRect(HoopRecord& record, const HoopRectFields& edges, const RECT& rect) {
    record.*edges.left = rect.left;
    record.*edges.top = rect.top;
    record.*edges.right = rect.right;
    record.*edges.bottom = rect.bottom;
}
