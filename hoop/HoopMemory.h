// Where the records, texts and points of a catalogue live. A load places all of them in one block, taken once
// and freed with the catalogue; records and texts made by edits come from the heap one by one.
#pragma once

#include <cstddef>

struct HoopCatalogue;

// The room that `bytes` bytes take in a block: rounded up so that every record in it stays aligned.
constexpr size_t CatalogueBlockRoom(size_t bytes) {
    return (bytes + 7) & ~size_t(7);
}

// Gives the catalogue a block of `bytes` bytes (rounded as above) for what a load makes; false when memory
// runs out. No block is taken for 0 bytes.
bool OpenCatalogueBlock(HoopCatalogue* catalogue, size_t bytes);
// The block takes nothing more: later records come from the heap.
void CloseCatalogueBlock(HoopCatalogue* catalogue);
// Frees the block as a whole, once the catalogue's records are gone.
void FreeCatalogueBlock(HoopCatalogue* catalogue);

// Memory for a record, text or point array of the catalogue: from its block while the block has room, from
// the heap otherwise; null when memory runs out.
void* CatalogueAlloc(HoopCatalogue* catalogue, size_t bytes);
void* CatalogueAllocZeroed(HoopCatalogue* catalogue, size_t bytes);
// Frees memory from CatalogueAlloc (or null): what lies in the block stays there until the block is freed.
void CatalogueFree(const HoopCatalogue* catalogue, void* memory);
