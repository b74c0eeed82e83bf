// Which dives of a log become one profile: the series the converter proposes, and the list a
// diver names with --tauchgaenge.
#pragma once

#include <string>
#include <vector>

#include "import/logfile.h"

// Dives closer than this (from one's end to the next one's start) belong to one series.
constexpr double kSeriesGapSeconds = 48 * 3600.0;

// The last dive and, going back, every dive that the next one began less than 48 hours after.
// Only a gap known to be 48 hours or more ends the series: an unknown start, an overlap or a
// log listed newest first keeps the dive in, the side with more nitrogen (its interval is then
// asked for, or --ja refuses). Indexes from 0, in the log's order (time order of the starts);
// empty only for no dives. An unknown duration counts as none; starts compare as startGap does.
std::vector<int> defaultSeries(const std::vector<LogDive>& dives);

// The dives a list like "3-5", "2,4" or "1,3-4" names (counted from 1, blanks allowed around
// numbers), as indexes from 0 in the log's order whatever order the list has.
struct DiveChoice {
    bool ok = false;
    std::string error;  // when not ok: one German line beginning "ERROR: ", plain ASCII
    std::vector<int> dives;
};
DiveChoice parseDiveList(const std::string& text, int diveCount);
