// Memory of a loaded document, catalogue or competitor structure, measured in a fresh process so that no
// earlier load has left the heap or the resident set grown: the benchmark program runs itself with
// --memory-probe ENGINE FILE, and that child loads the file once and reports what it costs above the
// child's own baseline.
#pragma once

#include <string>

// What one load costs above the baseline: heap bytes still held while the result is alive (without the
// freed blocks that Brevant keeps for the next load, which are counted apart), and the peak resident size
// reached during the load. -1 when unknown.
struct MemoryFigures {
    long long heapBytes = -1;
    long long peakBytes = -1;
    long long keptBytes = -1;
};

// The engines a probe knows: "document" (CINIFile::Load), "catalogue" (CINIHoop::Load), "inih", "simpleini".
// Child side: loads and prints the two figures; returns the process's exit code.
int RunMemoryProbe(const std::string& engine, const char* path);
// Parent side: runs `program` --memory-probe ENGINE FILE and reads the figures.
MemoryFigures ProbeMemory(const std::string& program, const std::string& engine, const std::string& path);
