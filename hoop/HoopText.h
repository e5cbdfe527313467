// The texts of hoops and mounts: heap copies handed in, CString copies handed out.
#pragma once

#include <brevant/CString.h>

// A heap copy of a NUL-terminated text, or null when the copy cannot be allocated.
char* HoopCopyText(const char* text);
// Replaces a stored text with a copy of `text`; a failed copy leaves the field null.
void HoopReplaceText(char** field, const char* text);
// Fills the caller's string with a stored text taken literally; a null text gives the empty string.
void HoopHandOutText(CString* out, const char* text);
