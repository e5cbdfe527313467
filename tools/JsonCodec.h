// The JSON form of a catalogue: {"hoops": [{description, shape, rotation, sewField, innerDim, outerDim,
// points, mounts}, ...]}, with rectangles as {left, top, right, bottom}, points as [[x, y], ...] and mounts
// as {label, id, rotation, lowX, highX, lowY, highY}.
#pragma once

#include "HoopData.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

nlohmann::ordered_json HoopsToJson(const std::vector<HoopData>& hoops);

// Pretty text that keeps short objects and lists of numbers on one line each.
std::string FormatJson(const nlohmann::ordered_json& value);

// Reads hoops from a parsed document. On a wrong field answers false with the field's path and what was
// expected, e.g. "hoops[2].mounts[0].lowX: expected an integer".
bool HoopsFromJson(const nlohmann::json& document, std::vector<HoopData>& hoops, std::string& error);
