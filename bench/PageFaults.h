// Page faults per load in a steady state: the same file loaded and freed again and again in a fresh process,
// under each of its names. A load that hands its memory back to the system between loads pays for faulting
// it in again every time; whether it does depends on the heap that the loads meet, so each name gets a
// process of its own, as a host that has just started.
#pragma once

#include <string>
#include <vector>

#include "BenchInputs.h"

struct FaultRow {
    std::string file;   // the input's name, with "-nopoints" or ".inb" for its variants
    std::string engine; // document (CINIFile::Load) or catalogue (CINIHoop::Load)
    size_t fileBytes;
    double worst;    // page faults per load under the worst name; -1 when unknown
    int worstLength; // the length of that name
    double best;     // page faults per load under the best name
};

// Child side of a probe: loads FILE with ENGINE a few times, then counts the page faults of further loads and
// prints their number per load; returns the process's exit code.
int RunFaultProbe(const std::string& engine, const char* path);
// Runs `program` --fault-probe for every name of every file.
std::vector<FaultRow> MeasurePageFaults(const std::string& program, const BenchInputs& inputs);
