// Turning rectangles about the origin and rounding the results to 32-bit integers.
#pragma once

#include <cstdint>

#include <brevant/Geometry.h>

// The nearest signed 32-bit integer, halves away from zero; values beyond the 32-bit range give its nearest
// limit.
int32_t HoopRoundDouble(double value);
// Turns the corner points (left, top) and (right, bottom) of `in` about the origin by `degrees` into `out`,
// without reordering the edges. Answers 0 and writes nothing when either rectangle is missing.
int HoopRotateRect(RECT* out, const RECT* in, double degrees);
