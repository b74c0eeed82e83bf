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

int typedSwitchSample(long long seconds, const DiveRecord& r) {
    if (!canBeTimed(r) || r.sampleCount < 1 || seconds < 0) return -1;
    if (seconds > sampleSeconds(static_cast<long long>(r.sampleCount) - 1, r)) return -1;
    return sampleIndex(firstSampleFrom(seconds, r.sampleRate));
}

long long sampleSeconds(long long s, const DiveRecord& r) {
    return s * r.sampleRate;
}

long long minutesOnMix2(const DiveRecord& r, int switchSample) {
    bool timed = timedMinutes(r);
    long long minutes = minutesOf(r, timed);
    if (switchSample < 0) return 0;
    long long k = switchSample;
    // Classic: minute i is sample 2i - 1, on mix2 from 2i - 1 >= k. Timed: its time 60i - 30,
    // on mix2 from 60i - 30 >= k * rate. Either way every minute from the first such i on.
    long long first = timed ? (k * r.sampleRate + 30 + 59) / 60 : (k + 2) / 2;
    if (first < 1) first = 1;
    return first > minutes ? 0 : minutes - first + 1;
}
