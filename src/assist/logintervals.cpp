// Surface intervals of a log's dives, their start times compared with or without UTC offsets,
// and dives that overlap.
#include "assist/logintervals.h"

#include <algorithm>
#include <cmath>

namespace {

// Whole minutes of a span in seconds, cut down; -1 for none or a negative one.
long long wholeMinutes(double seconds) {
    if (!(seconds >= 0) || seconds > 1e15) return -1;
    return static_cast<long long>(std::floor(seconds / 60));
}

double lasting(const LogDive& d) {
    return d.durationSeconds > 0 ? d.durationSeconds : 0;
}

}  // namespace

bool startGap(const LogDive& a, const LogDive& b, long long* minutes, TimeReading* reading) {
    if (a.startMinute < 0 || b.startMinute < 0) return false;
    long long local = b.startMinute - a.startMinute;
    bool aUtc = a.utcOffset != kNoOffset, bUtc = b.utcOffset != kNoOffset;
    if (aUtc && bUtc) {
        *minutes = local - b.utcOffset + a.utcOffset;
        *reading = kOffsetsApplied;
    } else if (!aUtc && !bUtc) {
        *minutes = local;
        *reading = kWallClock;
    } else {
        // The start without an offset read as UTC moves by the other one's offset.
        long long asUtc = aUtc ? local + a.utcOffset : local - b.utcOffset;
        *minutes = std::min(local, asUtc);
        *reading = asUtc < local ? kOneAsUtc : kBothLocal;
    }
    return true;
}

bool intervalsDisagree(long long one, long long other) {
    long long off = one - other;
    return off > 1 || off < -1;
}

LogInterval intervalBetween(const LogDive& a, const LogDive& b, bool adjacent) {
    LogInterval i{-1, -1, -1, kWallClock};
    if (adjacent && b.intervalBeforeSeconds >= 0)
        i.fromFile = wholeMinutes(b.intervalBeforeSeconds);
    long long gap = 0;
    if (a.durationSeconds >= 0 && startGap(a, b, &gap, &i.reading)) {
        i.fromTimes = wholeMinutes(static_cast<double>(gap) * 60 - a.durationSeconds);
    }
    if (i.fromFile < 0) {
        i.chosen = i.fromTimes;
    } else if (i.fromTimes < 0) {
        i.chosen = i.fromFile;
    } else {
        i.chosen = intervalsDisagree(i.fromFile, i.fromTimes) && i.fromTimes < i.fromFile
                       ? i.fromTimes
                       : i.fromFile;
    }
    return i;
}

std::vector<DiveClash> findClashes(const std::vector<LogDive>& dives,
                                   const std::vector<int>& chosen) {
    std::vector<DiveClash> clashes;
    int last = -1;  // the dive so far that ends last
    for (int k : chosen) {
        if (k < 0 || static_cast<size_t>(k) >= dives.size()) continue;
        const LogDive& b = dives[static_cast<size_t>(k)];
        long long gap = 0;
        TimeReading reading;
        if (last < 0 || !startGap(dives[static_cast<size_t>(last)], b, &gap, &reading)) {
            if (b.startMinute >= 0) last = k;
            continue;
        }
        double before = lasting(dives[static_cast<size_t>(last)]);
        double startsAt = static_cast<double>(gap) * 60;
        if (gap == 0 || startsAt < before) clashes.push_back(DiveClash{last, k, gap == 0});
        if (startsAt + lasting(b) > before) last = k;
    }
    return clashes;
}
