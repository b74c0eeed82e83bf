// Turning a dive's samples into profile minutes.
#include "assist/minutes.h"

#include <algorithm>
#include <climits>

#include "assist/timing.h"

namespace {

constexpr int kAir = 21;
constexpr int kPlannerAir = 22;  // the planner's air: 78 % nitrogen, as the surface lines have

// Depths round to whole metres; the clamp keeps the conversion defined for any field.
int roundDepth(double depth) {
    double rounded = depth + 0.5;
    if (!(rounded >= 0.0)) return 0;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}

// Air becomes the planner's air once the dive has a minute line; one without keeps its 21.
int nitrogenOf(const DiveRecord& r, bool secondGas, bool anyMinute) {
    int oxygen = secondGas ? r.mix2 : r.mix1;
    if (anyMinute && oxygen == kAir) oxygen = kPlannerAir;
    return 100 - oxygen;
}

}  // namespace

long long minuteCount(const DiveRecord& r) {
    return minutesOf(r, timedMinutes(r));
}

long long diveMinutes(const Logbook& lb, const DiveRecord& r, long long first, DiveMinute* out,
                      long long n) {
    bool timed = timedMinutes(r);
    long long last = std::min(minutesOf(r, timed), first + n - 1);
    long long filled = 0;
    for (long long i = first; i <= last; i++) {
        ProfileMinute m = profileMinute(r, i, timed);
        int depth = roundDepth(sampleDepth(lb, r, m.lower));
        for (int s = m.lower + 1; s <= m.upper; s++)
            depth = std::max(depth, roundDepth(sampleDepth(lb, r, s)));
        out[filled++] = {depth, nitrogenOf(r, m.secondGas, true), kExportHelium};
    }
    return filled;
}

DiveMinute ascentMinute(const DiveRecord& r) {
    bool timed = timedMinutes(r);
    long long minutes = minutesOf(r, timed);
    bool second = profileMinute(r, minutes + 1, timed).secondGas;
    return {0, nitrogenOf(r, second, minutes > 0), kExportHelium};
}
