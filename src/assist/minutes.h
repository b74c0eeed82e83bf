// A dive's profile minutes: the depth and gas of each, by the dive's minute rule, as the writer
// takes them.
#pragma once

#include "import/divetable.h"
#include "import/logbook.h"

// How many minutes dive r has by its rule (timed wherever its rate allows, see timing.h).
long long minuteCount(const DiveRecord& r);

// Minutes first, first + 1, ... (from 1) of dive r into out, at most n of them and none past the
// last; returns how many. Depths are the deepest of the minute's samples rounded to whole
// metres (halves up); nitrogen is 100 minus the oxygen of the gas then breathed, air counting
// as 22 % oxygen; helium is 0, as the export has none.
long long diveMinutes(const Logbook& lb, const DiveRecord& r, long long first, DiveMinute* out,
                      long long n);

// The ascent line after dive r: 0 m, on the gas of the first minute the recording no longer
// reaches. A dive without any minute keeps air at 21 % here.
DiveMinute ascentMinute(const DiveRecord& r);
