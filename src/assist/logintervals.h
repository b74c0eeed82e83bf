// The surface interval between two dives of a log, as the file gives it and as their dates,
// times and durations give it; the shorter one where they disagree.
#pragma once

#include "import/logfile.h"

struct LogInterval {
    long long fromFile;   // minutes the file names (UDDF surfaceintervalbeforedive); -1 none
    long long fromTimes;  // minutes from the first dive's end to the next one's start; -1 none
    long long chosen;     // the one to write: the shorter where both exist; -1 when neither
};

// The interval after dive `a` before dive `b`. The file's own value counts only when b follows a
// directly in the file (it names the pause after the dive before b). Whole minutes, cut down:
// a shorter pause leaves the diver more nitrogen, never less.
LogInterval intervalBetween(const LogDive& a, const LogDive& b, bool adjacent);

// True when two intervals in minutes differ by more than a minute.
bool intervalsDisagree(long long one, long long other);
