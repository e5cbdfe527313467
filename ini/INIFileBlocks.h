// The storage of a document's records: large blocks from the C heap, handed out front to back and freed
// together when the document is destroyed. Records removed before that stay in their block, so a document
// costs what its text holds plus a few percent, without a heap header per record.
#pragma once

#include <cstddef>

struct SINIFilePool;

void* DocumentAllocate(SINIFilePool* root, size_t bytes);
// True when the next `bytes` bytes fit in the block at hand, without a new block.
bool DocumentHasRoom(const SINIFilePool* root, size_t bytes);
// Gives back the most recent allocation when nothing was handed out after it; otherwise does nothing.
void DocumentGiveBack(SINIFilePool* root, void* block, size_t bytes);
void DocumentFreeAll(SINIFilePool* root);
