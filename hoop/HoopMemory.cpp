#include "hoop/HoopMemory.h"

#include <cstdint>
#include <cstring>

#include "hoop/HoopRecords.h"
#include "platform/Memory.h"

// Under AddressSanitizer the room of the block that no piece has taken stays poisoned, so that a piece
// overrun into the rounding behind it, or the block read past its used part, is reported as on the heap.
#if defined(__SANITIZE_ADDRESS__)
#define BREVANT_POISON_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BREVANT_POISON_BLOCKS 1
#endif
#endif
#ifdef BREVANT_POISON_BLOCKS
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#endif

namespace {

bool InBlock(const HoopCatalogue* catalogue, const void* memory) {
    auto address = reinterpret_cast<uintptr_t>(memory);
    auto start = reinterpret_cast<uintptr_t>(catalogue->opBlock);
    return catalogue->opBlock != nullptr && address >= start && address - start < catalogue->iBlockSize;
}

} // namespace

bool OpenCatalogueBlock(HoopCatalogue* catalogue, size_t bytes) {
    bytes = CatalogueBlockRoom(bytes);
    if (bytes == 0)
        return true;
    // Freed with MemFreeSized, the block is kept by the thread for the next load of the same catalogue.
    catalogue->opBlock = static_cast<char*>(MemAlloc(bytes));
    if (catalogue->opBlock == nullptr)
        return false;
    catalogue->iBlockSize = bytes;
    catalogue->iBlockUsed = 0;
    ASAN_POISON_MEMORY_REGION(catalogue->opBlock, bytes);
    return true;
}

void CloseCatalogueBlock(HoopCatalogue* catalogue) {
    catalogue->iBlockUsed = catalogue->iBlockSize;
}

void FreeCatalogueBlock(HoopCatalogue* catalogue) {
    if (catalogue->opBlock == nullptr)
        return;
    ASAN_UNPOISON_MEMORY_REGION(catalogue->opBlock, catalogue->iBlockSize);
    MemFreeSized(catalogue->opBlock, catalogue->iBlockSize);
    catalogue->opBlock = nullptr;
    catalogue->iBlockSize = catalogue->iBlockUsed = 0;
}

void* CatalogueAlloc(HoopCatalogue* catalogue, size_t bytes) {
    size_t room = CatalogueBlockRoom(bytes);
    if (room == 0 || room > catalogue->iBlockSize - catalogue->iBlockUsed)
        return MemAlloc(bytes);
    void* memory = catalogue->opBlock + catalogue->iBlockUsed;
    catalogue->iBlockUsed += room;
    ASAN_UNPOISON_MEMORY_REGION(memory, bytes);
    return memory;
}

void* CatalogueAllocZeroed(HoopCatalogue* catalogue, size_t bytes) {
    void* memory = CatalogueAlloc(catalogue, bytes);
    if (memory != nullptr)
        std::memset(memory, 0, bytes);
    return memory;
}

void CatalogueFree(const HoopCatalogue* catalogue, void* memory) {
    if (!InBlock(catalogue, memory))
        MemFree(memory);
}
