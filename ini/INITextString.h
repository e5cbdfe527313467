// The text loader's line utilities, which work on NUL-terminated single-byte texts.
#pragma once

// The loader's fixed text buffers hold 16384 bytes: lines, names and values of at most 16383 characters.
enum { INI_LINE_CAPACITY = 16384 };

// 0-based index of the first occurrence of the character; -1 when absent.
int INIStringIndexOfFirst(const char* text, char character);

// Removes leading and trailing blanks (space and tab) in place. 1 on success and for an empty text; 0 for a
// text of blanks only, which is left as it was.
int INIStringStripPrePostSpace(char* text);
