// Minutes of a dive whose samples come at any times: the profile's depth and gas per minute.
#pragma once

#include <vector>

#include "import/divetable.h"
#include "import/logfile.h"

// Longer dives are refused: nothing a diver logs lasts 100,000 minutes, and the cap keeps a
// damaged time from asking for gigabytes.
constexpr int kMaxDiveMinutes = 100000;

// Minute i (1 .. ceil(T/60), T the greatest sample time) covers [60(i-1), 60i] seconds. Its
// depth is the deepest of the samples inside and of the depths interpolated at both ends
// (samples ordered stably by time first), rounded half up and clamped; 0 where no sample
// reaches. Its gas is the one in use at the minute's start, so a switch counts from the first
// whole minute at or after it. Air (21 % O2, no helium) is written as 78 % nitrogen, as the
// CSV path writes it; a gas index the dive lacks reads as air, a switch at no finite time is
// left out. Empty when the dive has no samples, a sample time is not finite, T is not above 0,
// or the dive would last more than kMaxDiveMinutes. Time grows with samples + minutes.
std::vector<DiveMinute> irregularMinutes(const LogDive& dive);

// The first minute whose gas a switch at `seconds` sets: the first that starts at or after it.
long long switchMinute(double seconds);

// The ascent line after the dive's `minutes` minutes: 0 m, on the gas in use at the start of
// the first minute past them, as for an export's dive.
DiveMinute irregularAscent(const LogDive& dive, size_t minutes);

// Nitrogen and helium in whole percent for a gas, air as 78/0.
DiveMinute gasColumns(const LogGas& gas);
