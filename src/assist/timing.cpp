// Typed times and samples.
#include "assist/timing.h"

#include <climits>

long long sampleAfterStep(long long seconds, int rate) {
    return seconds / rate + 1;
}

long long firstSampleFrom(long long seconds, int rate) {
    return (seconds + rate - 1) / rate;
}

int typedSwitchSample(long long seconds, const DiveRecord& r) {
    if (r.sampleRate <= 0 || r.sampleCount < 1 || seconds < 0) return -1;
    if (seconds > sampleSeconds(static_cast<long long>(r.sampleCount) - 1, r)) return -1;
    long long s = firstSampleFrom(seconds, r.sampleRate);
    return s > INT_MAX ? INT_MAX : static_cast<int>(s);
}

long long sampleSeconds(long long s, const DiveRecord& r) {
    return s * r.sampleRate;
}
