// Which samples each profile minute of a dive takes its depth and gas from.
#pragma once

#include <climits>

#include "import/divetable.h"

// A sample index, held at INT_MAX for minutes past any dive the export can hold.
inline int sampleIndex(long long s) {
    return s > INT_MAX ? INT_MAX : static_cast<int>(s);
}

struct ProfileMinute {
    int lower;       // the sample at or before the minute's time
    int upper;       // the sample at or after it; the same when the time falls on a sample
    bool exists;     // the dive's recording reaches the minute's time
    bool secondGas;  // mix2 is breathed at that time
};

// A dive can be timed when its sampling rate is above 0; an empty or dashed rate cannot say
// when a sample was taken.
bool canBeTimed(const DiveRecord& r);

// Minute i (from 1) of dive record r. Classic: every second sample is one minute, minute i
// being sample 2i - 1, whatever the sampling rate. Timed (needs a sampleRate above 0): minute
// i is the time 60i - 30 seconds into the dive, x = (60i - 30) / sampleRate samples; it exists
// while x <= sampleCount - 1 and takes the samples on either side of x. At 30 s both agree.
// Inline: the writer asks for every minute of every dive, and as a call returning this struct
// it cost a tenth of a whole classic conversion.
inline ProfileMinute profileMinute(const DiveRecord& r, long long i, bool timed) {
    bool switched = r.switchSample != -1;
    if (!timed) {
        long long s = 2 * i - 1;
        return {sampleIndex(s), sampleIndex(s), s < r.sampleCount, switched && s >= r.switchSample};
    }
    // In seconds, so that no fraction of a sample is ever rounded.
    long long at = 60 * i - 30;
    long long rate = r.sampleRate;
    long long lower = at / rate;
    long long upper = lower + (at % rate != 0);
    bool exists = at <= (static_cast<long long>(r.sampleCount) - 1) * rate;
    bool second = switched && at >= static_cast<long long>(r.switchSample) * rate;
    return {sampleIndex(lower), sampleIndex(upper), exists, second};
}

// The number of minutes that exist by the same rule: the last i for which one does.
long long minutesOf(const DiveRecord& r, bool timed);
