// The text loader's line utilities, which work on NUL-terminated single-byte texts.
#pragma once

// The loader's fixed text buffers hold 16384 bytes: lines, names and values of at most 16383 characters.
enum { INI_LINE_CAPACITY = 16384 };

// 0-based index of the first occurrence of the character; -1 when absent, for an empty or a null text.
int INIStringIndexOfFirst(const char* text, char character);

// Removes leading and trailing blanks (space and tab) in place. 1 on success and for an empty text; 0 for a
// null text, a text of 16384 characters or more, and a text of blanks only, which is left as it was.
int INIStringStripPrePostSpace(char* text);
