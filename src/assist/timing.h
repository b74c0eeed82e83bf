// Which sample a typed switch time stands for, and when a sample was taken.
#pragma once

#include "import/divetable.h"

// The classic entry's sample for a typed time of `seconds` at `rate` (above 0): the one after
// the step the time falls in, seconds / rate + 1.
long long sampleAfterStep(long long seconds, int rate);

// The assisted entry's sample: the first one taken at or after `seconds`, so that the time a
// suggestion shows, typed again, gives that very sample.
long long firstSampleFrom(long long seconds, int rate);

// The seconds from the dive's start at which sample s was taken, as every message shows it.
long long sampleSeconds(long long s, const DiveRecord& r);

// The sample a switch typed in the assisted entry or given with --wechsel stands for: the first
// one at or after `seconds`. -1 when the time lies after the dive's last sample, where no gas can
// be switched any more.
int typedSwitchSample(long long seconds, const DiveRecord& r);
