// Changing one field of a hoop by its name, as `brevant set` does: "description", "sewfield",
// "sewfield.left", "points", "mounts.0.label", "mounts.2.lowhighxy" and so on, named as in the hoop file
// (in any letter case, so the JSON names "sewField" and "lowX" work too).
#pragma once

#include <brevant/Brevant.h>

#include <string>
#include <vector>

// The field names `brevant set` takes, with N standing for a mount index; for help texts and completion.
const std::vector<std::string>& HoopFieldNames();

// Sets the field of hoop `hoop` (which exists) from the text the person typed. Numbers are decimal
// integers in tenths of a millimetre (degrees for rotations), lists are separated by commas. Answers an
// empty text, or what is wrong, with nothing changed.
std::string SetHoopField(CINIHoop& catalogue, int hoop, const std::string& field, const std::string& value);
