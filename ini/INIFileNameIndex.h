// Open-addressing hash index from names (compared without regard to ASCII case) to the records that carry
// them. Names are unique within one index, so a lookup gives the same record as a walk of the list.
#pragma once

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

template <class Record> Record* Find(const NameIndex& index, const char* name, uint32_t hash) {
    if (index.capacity == 0)
        return nullptr;
    for (uint32_t slot = Slot(index, hash);; slot = (slot + 1) & (index.capacity - 1)) {
        const NameSlot& entry = index.slots[slot];
        if (entry.record == nullptr)
            return nullptr;
        Record* record = static_cast<Record*>(entry.record);
        if (entry.hash == hash && SameName(record->caName, name))
            return record;
    }
}

inline void PutUnchecked(NameIndex& index, void* record, uint32_t hash) {
    uint32_t slot = Slot(index, hash);
    while (index.slots[slot].record != nullptr)
        slot = (slot + 1) & (index.capacity - 1);
    index.slots[slot] = NameSlot{record, hash};
    ++index.used;
}

// Makes room for `count` entries at a load of at most three quarters; false when memory runs out.
template <class Record> bool Reserve(NameIndex& index, uint32_t count) {
    if (uint64_t(count) * 4 <= uint64_t(index.capacity) * 3)
        return true;
    uint32_t capacity = index.capacity ? index.capacity : 16;
    while (uint64_t(count) * 4 > uint64_t(capacity) * 3)
        capacity *= 2;
    NameSlot* slots = static_cast<NameSlot*>(MemAllocZeroed(sizeof(NameSlot) * capacity));
    if (!slots)
        return false;
    NameIndex grown{slots, capacity, 0};
    for (uint32_t i = 0; i < index.capacity; ++i)
        if (index.slots[i].record)
            PutUnchecked(grown, index.slots[i].record, index.slots[i].hash);
    MemFreeSized(index.slots, sizeof(NameSlot) * index.capacity);
    index = grown;
    return true;
}

// Removes a record, shifting later members of its probe run back so that no tombstones are needed.
template <class Record> void Erase(NameIndex& index, Record* record) {
    if (index.capacity == 0)
        return;
    uint32_t mask = index.capacity - 1;
    uint32_t slot = Slot(index, HashNoCase(record->caName));
    while (index.slots[slot].record != record) {
        if (index.slots[slot].record == nullptr)
            return;
        slot = (slot + 1) & mask;
    }
    index.slots[slot] = NameSlot{nullptr, 0};
    --index.used;
    for (uint32_t next = (slot + 1) & mask; index.slots[next].record != nullptr; next = (next + 1) & mask) {
        uint32_t home = Slot(index, index.slots[next].hash);
        bool between = slot <= next ? (slot < home && home <= next) : (slot < home || home <= next);
        if (between)
            continue;
        index.slots[slot] = index.slots[next];
        index.slots[next] = NameSlot{nullptr, 0};
        slot = next;
    }
}

// How far the entries of an index lie from their home slots: the most slots that finding one entry reads
// beyond its home, and the sum over all entries.
struct ProbeDistances {
    uint32_t longest;
    uint64_t total;
};
inline ProbeDistances Distances(const NameIndex& index) {
    ProbeDistances distances{0, 0};
    for (uint32_t slot = 0; slot < index.capacity; ++slot) {
        if (!index.slots[slot].record)
            continue;
        uint32_t distance = (slot - Slot(index, index.slots[slot].hash)) & (index.capacity - 1);
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
