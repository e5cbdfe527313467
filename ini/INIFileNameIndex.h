// Open-addressing hash index from names (compared without regard to ASCII case) to the records that carry
// them. Names are unique within one index, so a lookup gives the same record as a walk of the list.
#pragma once

#include <cstdint>
#include <cstring>

#include "ini/INIFile.h"
#include "ini/INIFileNameHash.h"
#include "platform/Memory.h"
#include "platform/NoCase.h"

namespace name_index {

// Equality under CompareNoCase, settled inline for the common cases: an exact match, or names that differ
// at their first differing byte even after folding.
inline bool SameName(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (; *x == *y; ++x, ++y)
        if (*x == 0)
            return true;
    if (FoldAscii(*x) != FoldAscii(*y))
        return false;
    return CompareNoCase(reinterpret_cast<const char*>(x), reinterpret_cast<const char*>(y)) == 0;
}

inline uint32_t Slot(const NameIndex& index, uint32_t hash) {
    return hash & (index.capacity - 1);
}

// The hash bits that a slot keeps beside the address.
constexpr bool kFullHash = sizeof(void*) <= 4;
constexpr int kAddressBits = kFullHash ? 32 : 48;
constexpr NameSlot kAddressMask = (NameSlot(1) << kAddressBits) - 1;

inline NameSlot Tag(uint32_t hash) {
    return kFullHash ? NameSlot(hash) << 32 : NameSlot(hash >> 16) << 48;
}
inline void* RecordOf(NameSlot slot) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(slot & kAddressMask));
}
// False for an address beyond the bits that a slot keeps, which no platform that the library runs on gives.
inline bool Fits(const void* record) {
    return (NameSlot(reinterpret_cast<uintptr_t>(record)) & ~kAddressMask) == 0;
}

// The full hash of a record's name, for finding its home slot again when the index grows.
template <class Record> uint32_t RecordHash(const Record* record) {
    return HashNoCase(record->caName);
}

template <class Record> Record* Find(const NameIndex& index, const char* name, uint32_t hash) {
    if (index.capacity == 0)
        return nullptr;
    const NameSlot tag = Tag(hash);
    for (uint32_t slot = Slot(index, hash);; slot = (slot + 1) & (index.capacity - 1)) {
        NameSlot entry = index.slots[slot];
        if (entry == 0)
            return nullptr;
        Record* record = static_cast<Record*>(RecordOf(entry));
        if ((entry & ~kAddressMask) == tag && SameName(record->caName, name))
            return record;
    }
}

inline void PutUnchecked(NameIndex& index, void* record, uint32_t hash) {
    uint32_t slot = Slot(index, hash);
    while (index.slots[slot] != 0)
        slot = (slot + 1) & (index.capacity - 1);
    index.slots[slot] = Tag(hash) | NameSlot(reinterpret_cast<uintptr_t>(record));
    ++index.used;
}

// An index fills to seven eighths before it doubles: the tag beside each address keeps the longer probe runs
// of a full index to a cache line or two, and a doubled index would cost eight bytes per slot.
inline bool HasRoom(uint32_t capacity, uint32_t count) {
    return uint64_t(count) * 8 <= uint64_t(capacity) * 7;
}

// Makes room for `count` entries; false when memory runs out.
template <class Record> bool Reserve(NameIndex& index, uint32_t count) {
    if (HasRoom(index.capacity, count))
        return true;
    uint32_t capacity = index.capacity ? index.capacity : 16;
    while (!HasRoom(capacity, count))
        capacity *= 2;
    NameSlot* slots = static_cast<NameSlot*>(MemAllocZeroed(sizeof(NameSlot) * capacity));
    if (!slots)
        return false;
    NameIndex grown{slots, capacity, 0};
    for (uint32_t i = 0; i < index.capacity; ++i)
        if (index.slots[i]) {
            const Record* record = static_cast<const Record*>(RecordOf(index.slots[i]));
            PutUnchecked(grown, RecordOf(index.slots[i]), RecordHash(record));
        }
    // The outgrown slots go straight back to the heap rather than to the thread's kept blocks: the records of
    // the growing document can use them at once.
    MemFree(index.slots);
    index = grown;
    return true;
}

// Removes a record, shifting later members of its probe run back so that no tombstones are needed.
template <class Record> void Erase(NameIndex& index, Record* record) {
    if (index.capacity == 0)
        return;
    uint32_t mask = index.capacity - 1;
    uint32_t slot = Slot(index, RecordHash(record));
    while (RecordOf(index.slots[slot]) != record) {
        if (index.slots[slot] == 0)
            return;
        slot = (slot + 1) & mask;
    }
    index.slots[slot] = 0;
    --index.used;
    for (uint32_t next = (slot + 1) & mask; index.slots[next] != 0; next = (next + 1) & mask) {
        uint32_t home = Slot(index, RecordHash(static_cast<const Record*>(RecordOf(index.slots[next]))));
        bool between = slot <= next ? (slot < home && home <= next) : (slot < home || home <= next);
        if (between)
            continue;
        index.slots[slot] = index.slots[next];
        index.slots[next] = 0;
        slot = next;
    }
}

// How far the entries of an index lie from their home slots: the most slots that finding one entry reads
// beyond its home, and the sum over all entries.
struct ProbeDistances {
    uint32_t longest;
    uint64_t total;
};
template <class Record> ProbeDistances Distances(const NameIndex& index) {
    ProbeDistances distances{0, 0};
    for (uint32_t slot = 0; slot < index.capacity; ++slot) {
        if (!index.slots[slot])
            continue;
        uint32_t home = Slot(index, RecordHash(static_cast<const Record*>(RecordOf(index.slots[slot]))));
        uint32_t distance = (slot - home) & (index.capacity - 1);
        distances.longest = distance > distances.longest ? distance : distances.longest;
        distances.total += distance;
    }
    return distances;
}

inline void Free(NameIndex& index) {
    MemFreeSized(index.slots, sizeof(NameSlot) * index.capacity);
    index = NameIndex{nullptr, 0, 0};
}

} // namespace name_index
