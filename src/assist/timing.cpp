// How long a dive lasts in profile minutes, and whether it can be timed at all.
#include "assist/timing.h"

bool canBeTimed(const DiveRecord& r) {
    return r.sampleRate > 0;
}

long long minutesOf(const DiveRecord& r, bool timed) {
    if (r.sampleCount < 1) return 0;
    if (!timed) return r.sampleCount / 2;
    return ((static_cast<long long>(r.sampleCount) - 1) * r.sampleRate + 30) / 60;
}

long long sampleAfterStep(long long seconds, int rate) {
    return seconds / rate + 1;
}

long long firstSampleFrom(long long seconds, int rate) {
    return (seconds + rate - 1) / rate;
}
