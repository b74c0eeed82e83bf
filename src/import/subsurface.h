// The Subsurface reader (<divelog>): dives, also inside trips, with their cylinders and the
// samples and gas changes of the first dive computer.
#pragma once

#include <cstddef>
#include <vector>

#include "import/logparse.h"

struct SubsurfaceReader {
    bool inDive = false;
    size_t diveLevel = 0;  // depth of the dive's element in the path
    LogDive dive;
    int computers = 0;     // <divecomputer> elements of the dive so far
    bool inFirst = false;  // inside the dive's first one
    int cylinders = 0;     // the dive's first gases are its cylinders, by index
    std::vector<RawSwitch> raw;
    GasKeys keys;
    double lastDepth = 0;
    bool hasDepth = false;
};

// An element opens (attributes at hand) or closes; `p->path` ends with its local name.
// Problems go to `p->error`.
void subsurfaceStart(SubsurfaceReader* r, LogParse* p, const char** attrs);
void subsurfaceEnd(SubsurfaceReader* r, LogParse* p);
