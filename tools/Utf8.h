// Hoop texts are single bytes in no declared encoding; JSON and the pictures need UTF-8.
#pragma once

#include <string>

bool IsUtf8(const std::string& text);

// The text itself when it is UTF-8 already; otherwise the text read as Latin-1.
std::string ToUtf8(const std::string& text);
