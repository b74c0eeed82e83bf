// Which samples each profile minute of a dive takes its depth and gas from.
#pragma once

#include "import/divetable.h"

struct ProfileMinute {
    int lower;       // the sample at or before the minute's time
    int upper;       // the sample at or after it; the same when the time falls on a sample
    bool exists;     // the dive's recording reaches the minute's time
    bool secondGas;  // mix2 is breathed at that time
};

// A dive can be timed when its sampling rate is above 0 and its recording lasts no longer than
// the planner's 6000 minutes: a rate of billions of seconds is a broken field, not a dive.
bool canBeTimed(const DiveRecord& r);

// Minute i (from 1) of dive record r. Classic: every second sample is one minute, minute i
// being sample 2i - 1, whatever the sampling rate. Timed (needs a sampleRate above 0): minute
// i is the time 60i - 30 seconds into the dive, x = (60i - 30) / sampleRate samples; it exists
// while x <= sampleCount - 1 and takes the samples on either side of x. At 30 s both agree.
ProfileMinute profileMinute(const DiveRecord& r, long long i, bool timed);

// The number of minutes that exist by the same rule: the last i for which one does.
long long minutesOf(const DiveRecord& r, bool timed);
