// The assisted dialogue about one dive: usable gases, the gas switch with a suggestion, a
// picture and a MOD check, and the surface interval with a hint from the dates and times.
#pragma once

#include "import/divetable.h"

// Completes dive d's record after its summary, asking only in the assisted mode proper; in
// the unattended mode every decision is taken as suggested and printed. False when the
// console input ended.
bool assistDive(int d, DiveRecord& r);
