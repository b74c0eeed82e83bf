// The UDDF reader: gas definitions, dives with their waypoints, switches, mode and times, for
// every UDDF version, with or without a namespace.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/logparse.h"

struct UddfReader {
    std::unordered_map<std::string, int> mixIds;  // id as written -> index into mixes
    std::vector<LogGas> mixes;
    // The mix being read.
    std::string mixId;
    double mixO2 = -1, mixHe = -1, mixN2 = -1;  // as written, -1 absent
    // The dive being read.
    bool inDive = false;
    size_t diveLevel = 0;  // depth of the dive's element in the path
    LogDive dive;
    std::vector<RawSwitch> raw;  // gas is an index into mixes
    std::vector<int> tanks;      // the mixes the dive's tankdata link to, indexes into mixes
    double lastTime = 0;
    // The waypoint being read.
    double wpTime = 0, wpDepth = 0;
    bool wpHasTime = false, wpHasDepth = false;
    int wpMix = -1;
};

// An element opens or closes; `p->path` ends with its local name (the driver pops it after
// uddfEnd). The element's text is in `p->text` at its end. Problems go to `p->error`.
// A switchmix must name a mix defined before it, as UDDF puts gasdefinitions first; ids are
// matched as plain strings. A waypoint without a divetime switches at the time before it.
void uddfStart(UddfReader* r, LogParse* p, const char** attrs);
void uddfEnd(UddfReader* r, LogParse* p);
