// The assisted dialogue about one dive: usable gases, the gas switch with a suggestion, a
// picture and a MOD check, and the surface interval with a hint from the dates and times.
#pragma once

#include "assist/checks.h"
#include "import/divetable.h"

// Completes dive d's record after its summary, asking only in the assisted mode proper. In the
// unattended mode nothing is guessed: the switch is `given` (null: none, Mix1 throughout) and
// the interval the shorter one; every decision is printed. False when the console input ended.
bool assistDive(int d, DiveRecord& r, const GivenSwitch* given);
