// Large blocks that the library frees (with MemFreeSized) and soon asks for again: the blocks of a document,
// the work record of a load, the slots of an index. Given back with their size, they are kept by the thread
// that frees them, up to kKeptBytes in all, and handed out again by the next MemAlloc of the same size on
// that thread.
//
// Without them, loading the same file again and again can cost a page fault for every page of the document
// on every load: the C heap returns a large free stretch at its top to the system (how large depends on the
// allocator's history, and so on the host), and the next load faults it in again.
#pragma once

#include <cstddef>

// Blocks of at least this size are kept; smaller ones go straight back to the heap.
constexpr size_t kSmallestKeptBlock = 4096;
// The most that one thread keeps; beyond it, the blocks kept longest are freed first.
constexpr size_t kKeptBytes = size_t(8) << 20;

// A kept block of exactly `bytes` bytes, or null; for MemAlloc.
void* TakeKeptBlock(size_t bytes);
// The number and the bytes of the blocks that this thread keeps.
size_t KeptBlockCount();
size_t KeptBlockBytes();
