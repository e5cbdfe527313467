#include "ini/INIFileBlocks.h"

#include "ini/INIFile.h"
#include "ini/INIFileNameIndex.h"
#include "platform/Memory.h"

struct DocumentBlock {
    DocumentBlock* next;
    size_t used;
    size_t size;
    alignas(16) char data[];
};

namespace {

const size_t kAlignment = 8;
const size_t kFirstBlock = 4096;
const size_t kLargestBlock = 1 << 20;

size_t Aligned(size_t bytes) {
    return (bytes + kAlignment - 1) & ~(kAlignment - 1);
}

DocumentBlock* NewBlock(size_t size) {
    DocumentBlock* block = static_cast<DocumentBlock*>(MemAlloc(sizeof(DocumentBlock) + size));
    if (block && !name_index::Fits(block->data + size)) { // the indexes could not hold its records
        MemFree(block);
        return nullptr;
    }
    if (block) {
        block->next = nullptr;
        block->used = 0;
        block->size = size;
    }
    return block;
}

// Blocks grow with the document, so that the number of blocks stays logarithmic in its size.
size_t NextBlockSize(const DocumentBlock* head) {
    size_t size = head ? head->size * 2 : kFirstBlock;
    return size > kLargestBlock ? kLargestBlock : size;
}

} // namespace

void* DocumentAllocate(SINIFilePool* root, size_t bytes) {
    bytes = Aligned(bytes);
    DocumentBlock* head = root->blocks;
    if (head && head->size - head->used >= bytes) {
        void* result = head->data + head->used;
        head->used += bytes;
        return result;
    }
    size_t size = NextBlockSize(head);
    if (bytes > size / 2) {
        // A large request gets a block of its own behind the head, which keeps its free room.
        DocumentBlock* own = NewBlock(bytes);
        if (!own)
            return nullptr;
        own->used = bytes;
        if (head) {
            own->next = head->next;
            head->next = own;
        } else {
            root->blocks = own;
        }
        return own->data;
    }
    DocumentBlock* fresh = NewBlock(size);
    if (!fresh)
        return nullptr;
    fresh->next = head;
    fresh->used = bytes;
    root->blocks = fresh;
    return fresh->data;
}

bool DocumentHasRoom(const SINIFilePool* root, size_t bytes) {
    const DocumentBlock* head = root->blocks;
    return head && head->size - head->used >= Aligned(bytes);
}

void DocumentGiveBack(SINIFilePool* root, void* block, size_t bytes) {
    DocumentBlock* head = root->blocks;
    bytes = Aligned(bytes);
    if (head && head->used >= bytes && head->data + head->used - bytes == block)
        head->used -= bytes;
}

void DocumentFreeAll(SINIFilePool* root) {
    DocumentBlock* block = root->blocks;
    while (block) {
        DocumentBlock* next = block->next;
        MemFreeSized(block, sizeof(DocumentBlock) + block->size);
        block = next;
    }
    root->blocks = nullptr;
}
