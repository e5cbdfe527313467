#include "Utf8.h"

namespace {
// The length of the UTF-8 sequence that starts with `lead`, or 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    if ((lead >> 3) == 0x1E)
        return 4;
    return 0;
}
} // namespace

bool IsUtf8(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
        if (length == 0 || at + length > text.size())
            return false;
        for (size_t next = 1; next < length; ++next) {
            if ((static_cast<unsigned char>(text[at + next]) & 0xC0) != 0x80)
                return false;
        }
        at += length;
    }
    return true;
}

std::string ToUtf8(const std::string& text) {
    if (IsUtf8(text))
        return text;
    std::string converted;
    for (unsigned char byte : text) {
        if (byte < 0x80) {
            converted += static_cast<char>(byte);
            continue;
        }
        converted += static_cast<char>(0xC0 | (byte >> 6));
        converted += static_cast<char>(0x80 | (byte & 0x3F));
    }
    return converted;
}
