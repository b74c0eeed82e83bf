// src/assist owns the pure rules: MOD and suggestion, minute rules, typed times, intervals,
// the picture and the checks. It uses src/import only: no console, no files.
//
// The rules of --pruefen: what in an export would make its profile wrong or surprising.
// Plain functions over the dive model and the export's rows; the caller prints the findings.
#pragma once

#include <vector>

#include "import/divetable.h"

// How a number field of the export reads.
enum NumberField {
    kFieldPlain,     // digits and nothing else
    kFieldDash,      // a dash alone: not given
    kFieldEmpty,     // nothing at all
    kFieldNotPlain,  // anything else, which the readers read in their own way: '32 ' is 31
};
NumberField numberField(const Logbook& lb, int d, int row);

// How a gas field reads: row 15 (Mix1) or 16 (Mix2) of dive d; `value` is what the dive table
// read from it.
enum MixField {
    kMixUsable,      // a share from 1 to 100 %
    kMixNotGiven,    // a dash: no such gas
    kMixEmpty,       // nothing at all
    kMixNotPlain,    // not digits alone
    kMixOutOfRange,  // digits, but 0 or above 100
};
MixField mixField(const Logbook& lb, int d, int row, int value);

// The rows of the export's head (0 to 22) that have another number of commas than row 1: their
// values may be read for the wrong dive.
std::vector<int> raggedRows(const Logbook& lb);

// The interval from the dates and times when it disagrees with the export's one by more than
// a minute; -1 when they agree or the dates and times cannot be read. Not for the last dive.
long long disagreeingInterval(const Logbook& lb, const DiveRecord& r);

// A usable second gas, but no sample after the deepest one lies within its MOD.
bool switchWithoutSuggestion(const Logbook& lb, const DiveRecord& r);

// A suggestion exists, but a sample after it lies deeper than the MOD of mix2.
bool suggestionBreaksMod(const Logbook& lb, const DiveRecord& r);

// Samples times rate disagrees with the dive time of row 9 by more than 2 minutes. Needs a
// sampling rate above 0.
bool recordingDisagrees(const Logbook& lb, const DiveRecord& r);

// The seconds the samples span as the check counts them: sampleCount x sampleRate.
long long recordedSeconds(const DiveRecord& r);

// The lines the assisted writer puts into the profile for dive r: its minutes (timed where the
// dive can be), the ascent line and, unless it is the last dive, the surface interval.
long long profileLines(const DiveRecord& r, bool last);
