// The hash of section and value names: of the folded bytes, so that names equal under CompareNoCase hash
// alike. The hash is keyed with a secret that each process draws when it first hashes a name, so that no file
// can choose names that fall on the same slots of a document's indexes; which names collide differs from
// process to process, and nothing that a load reports or saves depends on it.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t HashNoCase(const char* text, size_t* length = nullptr);
// The same hash of the first `length` bytes of a text.
uint32_t HashNoCaseBytes(const char* text, size_t length);
// The hash under a key of the caller's choice; the two above use the process's key.
uint32_t HashNoCaseKeyed(const char* text, size_t length, uint64_t key);
