// Turning a hoop's geometry by a person's angle, and asking whether its sew field lies inside its outline.
#pragma once

#include "HoopData.h"

#include <string>
#include <vector>

// An angle in degrees brought into 0 to 359: -90 and 270 are the same turn.
int NormalisedDegrees(long long degrees);

// Turns a point clockwise (y pointing up) about the origin, as the library turns a rectangle's corners:
// x' = x cos t + y sin t, y' = y cos t - x sin t, rounded half away from zero. Quarter turns are exact.
// Answers false, with the point untouched, when the turned point does not fit 32 bits.
bool TurnPoint(POINT& point, int degrees);

// Answers an empty text when every coordinate of the hoop (outline, rectangles, mount limits) can be turned
// by `degrees` and still fit 32 bits; otherwise what cannot.
std::string CannotTurn(const HoopData& hoop, int degrees);

// A point on the outline's edge counts as inside. An outline of fewer than three points encloses nothing.
bool InsideOutline(const std::vector<POINT>& outline, double x, double y);

// The sew field lies inside the outline: its four corners are inside or on it, and no outline point lies
// strictly inside the sew field (which a dent of the outline would need). A hoop without an outline or
// without a sew field passes.
bool SewFieldInsideOutline(const HoopData& hoop);

// Turns hoop `hoop` of the catalogue by `degrees` as a whole. The library turns the rectangles and mount
// limits by the hoop's new rotation, which for a hoop just read from a file is the whole turn; it leaves the
// outline alone, so the outline is turned here the same way. Answers false when the library could not store
// the turned outline.
bool TurnHoop(CINIHoop& catalogue, int hoop, int degrees);
