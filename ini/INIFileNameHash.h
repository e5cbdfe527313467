// The hash of section and value names: of the folded bytes, so that names equal under CompareNoCase hash
// alike.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t HashNoCase(const char* text, size_t* length = nullptr);
// The same hash of the first `length` bytes of a text.
uint32_t HashNoCaseBytes(const char* text, size_t length);
