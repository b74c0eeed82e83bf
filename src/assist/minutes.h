// A dive's profile minutes, by the one rule for every format: the depth and gas of each minute,
// the ascent line after them, and where the rule held a depth the samples do not show.
#pragma once

#include <vector>

#include "import/dive.h"

// Longer dives are refused: nothing a diver logs lasts 100,000 minutes, and the cap keeps a
// damaged time from asking for gigabytes.
constexpr int kMaxDiveMinutes = 100000;

// Two samples of a log further apart than this say nothing of the depth between them: the
// deeper end is held over the gap.
constexpr double kLongestGapSeconds = 60;

// A log's last sample deeper than this is no surfacing: the diver is held there and brought up.
constexpr double kSurfacedMetres = 1;

// The minutes of a dive. Minute i (from 1) covers [60(i-1), 60i] seconds.
// - An export's dive has minute i while 60i - 30 <= its last sample's time; a log's dive up to
//   its last sample's time (minutes started count), with the additions below.
// - Depth: the deepest sample whose time lies in the minute; where none does, the deeper of the
//   last sample before and the first after. A log also takes the depths at both ends of the
//   minute, interpolated, or the deeper end of a gap longer than kLongestGapSeconds; before its
//   first sample the diver is at 0 m at 0 s; a last sample deeper than kSurfacedMetres is held
//   until the logged duration when that is later, then goes up at 10 m/min.
// - Gas: of the gases breathed at any time in [60(i-1), 60i), the one with more inert gas
//   (nitrogen and helium as written; a tie takes the later gas).
// Depths round half up to whole metres.
long long minuteCount(const Dive& dive);

// The last sample an export's minutes read at this rate (above 0) and sample count: the deepest
// minute is the deepest of samples 0 to it. -1 when the dive has no minute.
long long lastSampleRead(int rate, long long samples);

// Minutes first, first + 1, ... into out, at most n and none past the last; returns how many.
long long diveMinutes(const Dive& dive, long long first, DiveMinute* out, long long n);

// Every minute of a dive of at most kMaxDiveMinutes (none for a longer one).
std::vector<DiveMinute> allMinutes(const Dive& dive);

// The ascent line after the dive: 0 m on the gas of its last minute, the first gas when it has
// none (an export's air then as 79 % nitrogen, no minute having made it the planner's air).
DiveMinute ascentMinute(const Dive& dive);

// The first minute written on the gas of switch `index`, as the rule above gives it: a gas with
// less inert gas from the first minute that starts at or after the switch, any other from the
// minute the switch falls into. 0 when no minute of the dive is written on it from there.
long long switchMinute(const Dive& dive, size_t index);

// The minutes from switchMinute to the dive's last: those on the switch's gas when no later
// switch follows.
long long minutesAfterSwitch(const Dive& dive, size_t index);

// A log's gap whose deeper end the minutes hold: from, to (seconds) and the depth held.
struct HeldGap {
    double from;
    double to;
    double depth;
};
std::vector<HeldGap> heldGaps(const Dive& dive);

// A log's deep end: the last sample deeper than kSurfacedMetres, held until `heldUntil` and
// brought up in `ascentSeconds`.
struct DeepEnd {
    bool added;
    double depth;
    double lastSeconds;
    double heldUntil;
    double ascentSeconds;
};
DeepEnd deepEnd(const Dive& dive);

// The lines a profile of these dives has, as the writer counts them: every minute, an ascent
// line a dive, and the intervalAfter of every dive but the last.
long long profileLines(const std::vector<Dive>& dives);

// The gases of a dive's minutes as written (nitrogen and helium), each with how many minutes
// carry it, in the order they first come.
struct GasMinutes {
    DiveMinute gas;  // depth unused
    long long minutes;
};
std::vector<GasMinutes> minutesOnEachGas(const Dive& dive);
