// Surface intervals of a log's dives.
#include "assist/logintervals.h"

#include <cmath>

namespace {

// Whole minutes of a span in seconds, cut down; -1 for none or a negative one.
long long wholeMinutes(double seconds) {
    if (!(seconds >= 0) || seconds > 1e15) return -1;
    return static_cast<long long>(std::floor(seconds / 60));
}

}  // namespace

bool intervalsDisagree(long long one, long long other) {
    long long off = one - other;
    return off > 1 || off < -1;
}

LogInterval intervalBetween(const LogDive& a, const LogDive& b, bool adjacent) {
    LogInterval i{-1, -1, -1};
    if (adjacent && b.intervalBeforeSeconds >= 0)
        i.fromFile = wholeMinutes(b.intervalBeforeSeconds);
    if (a.startMinute >= 0 && b.startMinute >= 0 && a.durationSeconds >= 0) {
        double between =
            static_cast<double>(b.startMinute - a.startMinute) * 60 - a.durationSeconds;
        i.fromTimes = wholeMinutes(between);
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
