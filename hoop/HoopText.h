// The texts of hoops and mounts: copies handed in, CString copies handed out.
#pragma once

#include <brevant/CString.h>

struct HoopCatalogue;

// A copy of a NUL-terminated text for a record of the catalogue, or null when the copy cannot be allocated.
char* HoopCopyText(HoopCatalogue* catalogue, const char* text);
// Replaces a stored text with a copy of `text`; a failed copy leaves the field null.
void HoopReplaceText(HoopCatalogue* catalogue, char** field, const char* text);
// Fills the caller's string with a stored text taken literally; a null text gives the empty string.
void HoopHandOutText(CString* out, const char* text);
