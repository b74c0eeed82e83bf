// Which samples each profile minute of a dive takes its depth and gas from, and which sample a
// typed switch time stands for.
#pragma once

#include <climits>

#include "import/divetable.h"

// A sample index, held at INT_MAX for minutes past any dive the export can hold.
inline int sampleIndex(long long s) {
    return s > INT_MAX ? INT_MAX : static_cast<int>(s);
}

struct ProfileMinute {
    int lower;  // the minute's depth is that of its deepest sample from lower to upper
    int upper;
    bool exists;     // the dive's recording reaches the minute's time
    bool secondGas;  // mix2 is breathed at that time
};

// A dive can be timed when its sampling rate is above 0; an empty or dashed rate cannot say
// when a sample was taken.
bool canBeTimed(const DiveRecord& r);

// Whether the dive's minutes follow its own time: every rate above 0 but 30 s, where every
// second sample is already one minute and both rules give the same profile.
inline bool timedMinutes(const DiveRecord& r) {
    return r.sampleRate > 0 && r.sampleRate != 30;
}

// The classic rule: every second sample is one minute, minute i being sample 2i - 1, whatever
// the sampling rate; mix2 from sample switchSample on.
inline ProfileMinute classicMinute(const DiveRecord& r, long long i) {
    long long s = 2 * i - 1;
    bool second = r.switchSample != -1 && s >= r.switchSample;
    return {sampleIndex(s), sampleIndex(s), s < r.sampleCount, second};
}

// The timed rule (needs a sampleRate above 0): minute i exists while 60i - 30 <= (sampleCount -
// 1) * rate; x = (60i - 30) / rate. At 30 s and more it takes the sample at x, or the two around
// it. Below 30 s it takes every sample whose time lies in [60(i - 1), 60i], so that a short
// excursion deeper down is not lost between two middles. Mix2 from x >= switchSample on. At
// 30 s it gives the classic rule's minutes.
inline ProfileMinute timedMinute(const DiveRecord& r, long long i) {
    // In seconds, so that no fraction of a sample is ever rounded.
    long long at = 60 * i - 30;
    long long rate = r.sampleRate;
    long long last = static_cast<long long>(r.sampleCount) - 1;
    long long lower = at / rate;
    long long upper = lower + (at % rate != 0);
    if (rate < 30) {
        lower = (at - 30 + rate - 1) / rate;
        upper = (at + 30) / rate;
        if (upper > last) upper = last;
    }
    bool exists = at <= last * rate;
    bool second = r.switchSample != -1 && at >= static_cast<long long>(r.switchSample) * rate;
    return {sampleIndex(lower), sampleIndex(upper), exists, second};
}

// Minute i (from 1) of dive r by the timed or the classic rule.
// Inline: the writer asks for every minute of every dive, and as a call returning this struct
// it cost a tenth of a whole classic conversion.
inline ProfileMinute profileMinute(const DiveRecord& r, long long i, bool timed) {
    return timed ? timedMinute(r, i) : classicMinute(r, i);
}

// The number of minutes that exist by the same rule: the last i for which one does.
long long minutesOf(const DiveRecord& r, bool timed);

// The classic entry's sample for a typed time of `seconds` at `rate` (above 0): the one after
// the step the time falls in, seconds / rate + 1.
long long sampleAfterStep(long long seconds, int rate);

// The assisted entry's sample: the first one taken at or after `seconds`, so that the time a
// suggestion shows, typed again, gives that very sample.
long long firstSampleFrom(long long seconds, int rate);

// The seconds from the dive's start at which sample s was taken, as every message shows it.
long long sampleSeconds(long long s, const DiveRecord& r);

// The sample a switch typed in the assisted entry or given with --wechsel stands for: the first
// one at or after `seconds`. -1 when the dive cannot be timed or the time lies after its last
// sample, where no gas can be switched any more.
int typedSwitchSample(long long seconds, const DiveRecord& r);

// How many of the dive's profile minutes (minutesOf) would be on mix2 with a switch at
// `switchSample`, by the same rule as profileMinute, without walking the minutes.
long long minutesOnMix2(const DiveRecord& r, int switchSample);
