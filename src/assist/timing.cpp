// The classic and the timed rule for a dive's profile minutes.
#include "assist/timing.h"

#include <climits>

namespace {

int sampleIndex(long long s) {
    return s > INT_MAX ? INT_MAX : static_cast<int>(s);
}

}  // namespace

bool canBeTimed(const DiveRecord& r) {
    constexpr long long kLongestSeconds = 6000LL * 60;
    return r.sampleRate > 0 &&
           (static_cast<long long>(r.sampleCount) - 1) * r.sampleRate <= kLongestSeconds;
}

ProfileMinute profileMinute(const DiveRecord& r, long long i, bool timed) {
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

long long minutesOf(const DiveRecord& r, bool timed) {
    if (r.sampleCount < 1) return 0;
    if (!timed) return r.sampleCount / 2;
    return ((static_cast<long long>(r.sampleCount) - 1) * r.sampleRate + 30) / 60;
}
