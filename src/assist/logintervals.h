// The surface interval between two dives of a log, as the file gives it and as their dates,
// times and durations give it; the shorter one where they disagree. Dives that overlap.
#pragma once

#include <vector>

#include "import/logfile.h"

// How two start times were compared.
enum TimeReading {
    kWallClock,       // neither names its UTC offset: both as written
    kOffsetsApplied,  // both name one: both in UTC
    kBothLocal,       // only one names one: both as written gave the shorter interval
    kOneAsUtc,        // only one names one: the other taken as UTC gave the shorter interval
};

struct LogInterval {
    long long fromFile;   // minutes the file names (UDDF surfaceintervalbeforedive); -1 none
    long long fromTimes;  // minutes from the first dive's end to the next one's start; -1 none
    long long chosen;     // the one to write: the shorter where both exist; -1 when neither
    TimeReading reading;  // how fromTimes compared the starts
};

// Minutes from a's start to b's start, negative when b starts first; false when either start
// is unknown. Offsets are applied when both dives name one. When only one does, the gap is
// read twice, both as written and with the other start as UTC, and the smaller is taken: the
// shorter interval leaves the diver more nitrogen.
bool startGap(const LogDive& a, const LogDive& b, long long* minutes, TimeReading* reading);

// The interval after dive `a` before dive `b`. The file's own value counts only when b follows a
// directly in the file (it names the pause after the dive before b). Whole minutes, cut down:
// a shorter pause leaves the diver more nitrogen, never less.
LogInterval intervalBetween(const LogDive& a, const LogDive& b, bool adjacent);

// True when two intervals in minutes differ by more than a minute.
bool intervalsDisagree(long long one, long long other);

// Two chosen dives that cannot both have happened as recorded: the later one starts before the
// earlier one ended, or in the same minute.
struct DiveClash {
    int earlier;     // index into the dives
    int later;       // index into the dives
    bool sameStart;  // both start in the same minute
};

// Every chosen dive (indexes in time order) checked against the one before it that ends last;
// an unknown start cannot clash, an unknown duration counts as none. Linear in the dives.
std::vector<DiveClash> findClashes(const std::vector<LogDive>& dives,
                                   const std::vector<int>& chosen);
