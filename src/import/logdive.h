// The dives of a logbook's XML file (UDDF, Subsurface's <divelog>) as values: samples, gases,
// switches, dive mode, start, duration and the interval the file gives.
#pragma once

#include <climits>
#include <string>
#include <vector>

// Air, as the export names it (21 % oxygen) and as the planner is given it (78 % nitrogen, the
// surface lines' value too): the one home of both numbers.
constexpr int kAirOxygen = 21;
constexpr int kAirNitrogen = 78;

struct LogSample {
    double seconds;  // since the dive began
    double depth;    // metres
};

struct LogGas {
    double o2;  // percent, 0..100
    double he;  // percent, 0..100
};

struct LogSwitch {
    double seconds;
    int gas;  // index into LogDive::gases
};

enum LogDiveKind { kOpenCircuit, kRebreather, kApnoe };

// A start time without a UTC offset in the file.
constexpr int kNoOffset = INT_MIN;

struct LogDive {
    std::vector<LogSample> samples;   // in file order, times may repeat or step back
    std::vector<LogGas> gases;        // never empty: air when the file names no gas
    int firstGas = 0;                 // in use from time 0
    std::vector<LogSwitch> switches;  // later changes of gas, by time (file order when equal)
    LogDiveKind kind = kOpenCircuit;
    long long startMinute = -1;         // local wall-clock minutes since 1970-01-01; -1 unknown
    int utcOffset = kNoOffset;          // minutes east of UTC the start time names; kNoOffset none
    double durationSeconds = -1;        // from the file, else the last sample time; -1 unknown
    double intervalBeforeSeconds = -1;  // surface interval the file gives; -1 none
    double greatestDepth = 0;           // metres, the deepest sample
    std::string date;                   // "21.03.2025", empty when unknown
    std::string time;                   // "14:05", empty when unknown
    // Why the dive cannot be converted as the file holds it (a sample at a negative time, an
    // impossible depth, a negative interval): the rest of a German sentence after the dive's
    // name, plain ASCII, may hold line breaks; empty when nothing is wrong.
    std::string refusal;
    // What the reader decided for the diver to know (which computer of several was used):
    // German lines, plain ASCII, at most 80 columns each; empty when nothing.
    std::string note;
};

struct LogFile {
    bool ok = false;
    std::string error;           // when not ok: one German line beginning "ERROR: ", plain ASCII
    std::vector<LogDive> dives;  // in time order of their start (see sortByStart)
    bool sorted = false;         // the file stored them in another order
};
