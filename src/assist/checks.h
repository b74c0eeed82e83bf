// src/assist owns the pure rules: MOD and suggestion, minute rules, typed times, intervals,
// the picture and the checks. It uses src/import only: no console, no files.
//
// The rules of --pruefen and the refusals of --ja: what in an export would make its profile wrong
// or surprising. Plain functions over the dive model and the export's rows; the caller prints.
#pragma once

#include <vector>

#include "import/dive.h"
#include "import/divetable.h"
#include "import/logbook.h"

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

// Consecutive rows with one and the same number of commas other than row 1's.
struct RowRun {
    int first;
    int last;
    int commas;
};

// Every row, head or sample, with another number of commas than row 1, in runs: its values may
// be read for the wrong dive, or a row's label read as a value. Blank lines after the last row
// of text hold no value and do not count.
std::vector<RowRun> raggedRuns(const Logbook& lb);

// The interval from the dates and times when it disagrees with the export's one by more than
// a minute; -1 when they agree or the dates and times cannot be read. Not for the last dive.
long long disagreeingInterval(const Logbook& lb, const DiveRecord& r);

// The interval --ja writes after dive d (not the last): the shorter of the export's and the
// disagreeing one from the dates and times, since a shorter pause leaves more nitrogen.
int intervalToWrite(const Logbook& lb, const DiveRecord& r);

// Samples times rate disagrees with the dive time of row 9 by more than 2 minutes. Needs a
// sampling rate above 0.
bool recordingDisagrees(const Logbook& lb, const DiveRecord& r);

// The seconds the samples span as the check counts them: sampleCount x sampleRate.
long long recordedSeconds(const DiveRecord& r);

// Too few samples for a profile: fewer than 2 give no dive minute.
bool tooFewSamples(const DiveRecord& r);

// A usable mix2 with no more oxygen than the first gas (air when it is not usable): no deco
// gas, so the gas values likely belong to another dive.
bool mix2NotRicher(const DiveRecord& r);

// A usable mix1 breathed deeper than its MOD (a pO2 above 1.6 bar) at `deepestTenths`.
bool mix1BeyondMod(const DiveRecord& r, int deepestTenths);

// The lines the assisted writer puts into the profile for dive r: its minutes (timed where the
// dive can be), the ascent line and, unless it is the last dive, `interval`.
long long profileLines(const Logbook& lb, const DiveRecord& r, bool last, long long interval);

// The first dive after which the profile --ja would write (intervals from intervalToWrite)
// reaches the writer's warning, with the lines up to there in *lines; 0 when none does.
int diveReachingLimit(const Logbook& lb, const std::vector<DiveRecord>& dives, long long* lines);

// A gas switch given on the command line: dive (counted from 1 in the export) and the time in
// seconds, or kNoSwitchGiven for none.
constexpr long long kNoSwitchGiven = -1;
struct GivenSwitch {
    int dive;
    long long seconds;
};

// What keeps a given switch from fitting the loaded export.
enum SwitchProblem {
    kSwitchFits,
    kSwitchNoSuchDive,  // the export has no dive of that number
    kSwitchOneGas,      // the dive has no usable mix2
    kSwitchAfterDive,   // the time lies after the dive's last sample
};
SwitchProblem givenSwitchProblem(const std::vector<DiveRecord>& dives, const GivenSwitch& given);

// The deepest sample breathed on each gas of the dive, in tenths of a metre, a part of a tenth
// counting as a whole one (index as dive.gases; -1: never breathed). Each sample counts on the
// gas in use at its time, so the gas of a switch counts from the switch's own sample on.
std::vector<int> deepestOnEachGas(const Dive& dive);


// The export's maximum depth (row 6) in tenths when that field reads as a depth (digits with at
// most one point) and lies more than 3 m from the deepest sample; -1 otherwise. A sampling rate
// can miss a short peak, a misread field is off by far more.
int maxDepthOff(const Logbook& lb, const DiveRecord& r, int deepestTenths);

// A log whose last sample lies deeper than this is cut short: no safety stop is that deep.
constexpr double kCutShortMetres = 6;

// The dive is a log whose last sample lies deeper than kCutShortMetres.
bool endsCutShort(const Dive& dive);

// Above this many minutes a profile is no dive: refused in every door, before writing.
constexpr long long kMostProfileMinutes = 1000000;
