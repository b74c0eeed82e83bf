// The one dive model: an export's column and a log's dive both become this value, so that one
// minute rule, one set of checks and one writer feed serve every format.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "import/divetable.h"
#include "import/logbook.h"
#include "import/logdive.h"
#include "import/numbers.h"

struct DiveSample {
    double seconds;  // since the dive began
    double depth;    // metres
};

struct DiveGas {
    double o2;  // percent
    double he;  // percent
};

struct DiveSwitch {
    double seconds;
    int gas;  // index into Dive::gases
};

enum DiveFormat {
    kExportDive,  // a column of a CSV export: sample k in row 23 + k, taken k * rate seconds in
    kLogDive,     // a dive of a UDDF or Subsurface log: samples at the times the file gives
};

struct Dive {
    DiveFormat format = kLogDive;
    int number = 1;  // in its file, from 1, for messages
    // An export's samples stay in its rows (a dive may have a million): a view, read on demand.
    const Logbook* rows = nullptr;
    long long sampleCount = 0;         // export: samples in the rows
    int rate = 0;                      // export: seconds between samples, above 0
    std::vector<DiveSample> samples;   // log: ordered by time (stably)
    std::vector<DiveGas> gases;        // never empty
    int firstGas = 0;                  // in use from 0 s
    std::vector<DiveSwitch> switches;  // ordered by time (stably)
    long long startMinute = -1;        // local wall-clock minutes since 1970; -1 unknown
    int utcOffset = kNoOffset;         // minutes east of UTC of that start, when known
    double loggedSeconds = -1;         // the duration the file names; -1 unknown
    double loggedDepth = -1;           // the greatest depth the file names; -1 unknown
    long long intervalAfter = -1;      // minutes to the next dive as the file gives it; -1 none
};

// The number of samples, either format.
long long diveSampleCount(const Dive& dive);

// Sample k (below diveSampleCount): its time and depth; an export's depth as readDepth reads it.
DiveSample diveSample(const Dive& dive, long long k);

// An export's dive as its record stands after the review: Mix1 from 0 s, Mix2 from sample
// switchSample (at switchSample * rate) when one is set, the record's interval after it.
Dive exportDive(const Logbook& lb, const DiveRecord& r);

// exportDive of every record.
std::vector<Dive> exportDives(const Logbook& lb, const std::vector<DiveRecord>& records);

// A log's dive, number `number` in its file; samples and switches put in time order.
Dive logDive(const LogDive& dive, int number);

// A line of the profile for a gas: nitrogen and helium in whole percent, halves up; air (21 %
// oxygen, no helium) as the planner's 78 % nitrogen.
DiveMinute gasColumns(const DiveGas& gas);

// The gas `index` of the dive, air for an index it lacks.
DiveGas diveGas(const Dive& dive, int index);
