#include "platform/KeptBlocks.h"

#include "platform/Memory.h"

namespace {

struct KeptBlock {
    KeptBlock* next;
    size_t bytes;
};

// Plain data, so that it stays usable while the thread's destructors run; `closed` once the thread has let
// its blocks go, after which every block is freed at once.
struct KeptList {
    KeptBlock* newest;
    size_t count;
    size_t bytes;
    bool closed;
};

thread_local KeptList kept;

// Frees the thread's blocks when the thread ends.
struct KeptListRelease {
    bool armed = false;
    ~KeptListRelease() {
        while (KeptBlock* block = kept.newest) {
            kept.newest = block->next;
            MemFree(block);
        }
        kept = KeptList{nullptr, 0, 0, true};
    }
};

thread_local KeptListRelease release;

// Frees the blocks kept longest until `room` more bytes fit.
void MakeRoom(size_t room) {
    while (kept.bytes + room > kKeptBytes) {
        KeptBlock** oldest = &kept.newest;
        while ((*oldest)->next)
            oldest = &(*oldest)->next;
        kept.bytes -= (*oldest)->bytes;
        --kept.count;
        MemFree(*oldest);
        *oldest = nullptr;
    }
}

} // namespace

void MemFreeSized(void* block, size_t bytes) {
    if (!block || bytes < kSmallestKeptBlock || bytes > kKeptBytes || kept.closed) {
        MemFree(block);
        return;
    }
    release.armed = true; // the first use on a thread registers the release at its end
    MakeRoom(bytes);
    KeptBlock* entry = static_cast<KeptBlock*>(block);
    *entry = KeptBlock{kept.newest, bytes};
    kept.newest = entry;
    ++kept.count;
    kept.bytes += bytes;
}

void* TakeKeptBlock(size_t bytes) {
    if (bytes < kSmallestKeptBlock)
        return nullptr;
    for (KeptBlock** entry = &kept.newest; *entry; entry = &(*entry)->next) {
        if ((*entry)->bytes != bytes)
            continue;
        KeptBlock* block = *entry;
        *entry = block->next;
        --kept.count;
        kept.bytes -= bytes;
        return block;
    }
    return nullptr;
}

size_t KeptBlockCount() {
    return kept.count;
}

size_t KeptBlockBytes() {
    return kept.bytes;
}
