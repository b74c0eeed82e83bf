// The Subsurface reader (<divelog>): dives, also inside trips, with their cylinders and the
// samples and gas changes of the deepest of their dive computers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "import/logparse.h"

// What one <divecomputer> of a dive recorded (or the samples standing directly in <dive>).
struct SubsurfaceComputer {
    std::string model;  // plain ASCII, cut short; empty when the file names none
    std::vector<LogSample> samples;
    std::vector<RawSwitch> raw;
    double lastDepth = 0;
    bool hasDepth = false;
};

struct SubsurfaceReader {
    bool inDive = false;
    size_t diveLevel = 0;  // depth of the dive's element in the path
    LogDive dive;
    std::vector<SubsurfaceComputer> computers;
    int current = -1;   // the computer being read; -1 outside one
    int direct = -1;    // the computer of samples standing directly in <dive>; -1 none yet
    int cylinders = 0;  // the dive's first gases are its cylinders, by index
    GasKeys keys;
};

// An element opens (attributes at hand) or closes; `p->path` ends with its local name.
// Problems go to `p->error`. Of several computers the one with the greatest depth is used (of
// equal ones the longer recording, then the first); the dive's note names them all.
void subsurfaceStart(SubsurfaceReader* r, LogParse* p, const char** attrs);
void subsurfaceEnd(SubsurfaceReader* r, LogParse* p);
