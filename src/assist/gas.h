// The gases of a dive: which shares are usable, the deco gas's maximum operating depth (MOD)
// and where the switch to it can be made. Depths are tenths of a metre, as the export has them.
#pragma once

#include <string>

#include "import/dive.h"
#include "import/divetable.h"

// A share of oxygen means something from 1 to 100 %.
bool gasKnown(int oxygen);

// The MOD of a gas at a pO2 of 1.6 bar, 10 * (160 / oxygen - 1) metres, in tenths rounded down;
// and whether a depth in tenths lies within it, compared exactly for whole percents. The one
// MOD rule: the export's whole percents below go through it too.
int gasModTenths(const DiveGas& gas);
bool gasWithinMod(const DiveGas& gas, int tenths);

// The MOD at a pO2 of 1.6 bar, 10 * (160 / oxygen - 1) metres, in tenths, rounded down.
int modTenths(int oxygen);

// True when a depth lies within the MOD, compared exactly (50 % may be breathed at 22.0 m).
bool withinMod(int tenths, int oxygen);

// Sample s of dive r (row 23 + s), in tenths of a metre; s must be below its sampleCount.
int sampleTenths(const Logbook& lb, const DiveRecord& r, int s);

// The deepest sample from `from` to the last of the dive, the first of equal ones; -1 when
// there is none.
int deepestSample(const Logbook& lb, const DiveRecord& r, int from);

// Tenths of a metre as the export writes them: "21.5".
std::string metresText(int tenths);
