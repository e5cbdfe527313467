// Generic INI files of many small records, beside the catalogues: a file of one-value sections, and the same
// shape with section names chosen to collide under an unkeyed name hash, for showing that a crafted file
// cannot make the section index slow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// `count` sections "[record<i>]" of one decimal value each, with LF line ends and an empty line after each
// section.
std::string TinySectionsText(size_t count);

// `count` one-value sections whose names, if hashed without a key as the engine once did, would all fall
// into the same slot of an open-addressing index sized for `count` names; with `colliding` false, the same
// number of sections named alike but not chosen, as the plain counterpart.
std::string CraftedNamesText(size_t count, bool colliding);

// The unkeyed name hash that the crafted names defeat (lower-case names only).
uint32_t UnkeyedNameHash(const char* name, size_t length);
