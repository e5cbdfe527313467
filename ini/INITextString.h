// The text loader's small toolbox: character-list strings and the line utilities that work on NUL-terminated
// single-byte texts.
#pragma once

#include <cstdio>

// The loader's fixed text buffers hold 16384 bytes: lines, names and values of at most 16383 characters.
enum { INI_LINE_CAPACITY = 16384 };

struct kuResourceLineChar {
    kuResourceLineChar* opNext; // the following character, null at the last one
    kuResourceLineChar* opPrev; // the preceding character, null at the first one
    char cChar;
};

// A text held as a doubly linked list of characters. It never holds the character 0, so 0 means "none left".
struct kuResourceLineString {
    kuResourceLineChar* opFirst;
    kuResourceLineChar* opLast;
    int iCount;
};

kuResourceLineString* INISourceStringCreate();
int INISourceStringDestroy(kuResourceLineString* string);
int INISourceStringAddChar(kuResourceLineString* string, char character);
int INISourceStringDelFirstChar(kuResourceLineString* string);
int INISourceStringDelAllChars(kuResourceLineString* string);
char INISourceStringPopFirstChar(kuResourceLineString* string);
int INISourceStringSetString(kuResourceLineString* string, const char* text);

// 0-based index of the first or last occurrence of the character; -1 when absent, for an empty or a null
// text.
int INIStringIndexOfFirst(const char* text, char character);
int INIStringIndexOfLast(const char* text, char character);

// Removes leading and trailing blanks (space and tab) in place. 1 on success and for an empty text; 0 for a
// null text, a text of 16384 characters or more, and a text of blanks only, which is left as it was.
int INIStringStripPrePostSpace(char* text);

// Reads one line (ended by CR, LF or the byte 0xFF, which is not stored) into the buffer and terminates it.
// 1 when a line was read; 0 at the end of the file (silently) and on failure. `count`, when given, receives
// the number of bytes stored including the terminator.
int INIStringReadLine(FILE* stream, char* buffer, int capacity, int* count);
