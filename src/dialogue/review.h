// The review: each dive's summary, and the questions that complete its record.
#pragma once

#include <vector>

#include "assist/checks.h"
#include "import/divetable.h"

// Walks through every dive in file order; `switches` are those given on the command line (none
// in the classic start). False when the console input ended before all questions were answered.
bool reviewDives(const std::vector<GivenSwitch>& switches);

// Names the dive's two gases; when its sampling rate maps no time to a sample, says so and
// returns false: no switch can be asked for then.
bool announceGases(const DiveRecord& r);

// Asks whether dive d's surface interval stays; on 'n' `entry` reads the new one into r and it
// is confirmed. False when the console input ended.
bool askSurfaceInterval(int d, DiveRecord& r, bool (*entry)(DiveRecord& r));
