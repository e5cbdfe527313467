// Line utilities: finding a character in a text and removing the blanks around a text.
#include <cstring>

#include "ini/INITextString.h"

namespace {

bool IsBlank(char character) {
    return character == ' ' || character == '\t';
}

} // namespace

int INIStringIndexOfFirst(const char* text, char character) {
    for (int index = 0; text[index]; ++index)
        if (text[index] == character)
            return index;
    return -1;
}

// Works in place: the kept characters move to the front, so no second buffer is needed. Every text comes from
// a line of at most INI_LINE_CAPACITY - 1 characters, so none is too long.
int INIStringStripPrePostSpace(char* text) {
    if (text[0] == '\0')
        return 1;
    size_t length = std::strlen(text);
    size_t start = 0;
    while (start < length && IsBlank(text[start]))
        ++start;
    if (start == length)
        return 0; // blanks only: the caller's text stays as it was
    size_t end = length;
    while (IsBlank(text[end - 1]))
        --end;
    if (start > 0) // most texts have no leading blanks: nothing to move
        std::memmove(text, text + start, end - start);
    text[end - start] = '\0';
    return 1;
}
