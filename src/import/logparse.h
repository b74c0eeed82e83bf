// What the two XML log readers share: the state of one parse, the values read from element
// text and attributes, and how a dive's gas switches are put in order once it is complete.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/logdive.h"

// More dives or gas definitions than any logbook holds: a file of empty elements must not cost
// many times its size in memory.
constexpr size_t kMaxLogDives = 100000;
constexpr size_t kMaxLogMixes = 100000;

// One parse in progress. The driver (logfile.cpp) keeps `path`, `text` and `line`; the format
// readers add dives and set `error`, which stops the parse.
struct LogParse {
    std::vector<std::string> path;  // local names of the open elements, the root first
    std::string text;               // character data of the innermost element (cut at 256 bytes)
    long line = 0;                  // line of the innermost element's start tag
    std::string shownName;          // the file as messages name it
    std::string error;
    std::vector<LogDive> dives;
};

// The name without any "prefix:", so that every namespace (or none) reads alike.
const char* localName(const char* name);

// The value of the attribute with this local name, or null.
const char* attribute(const char** attrs, const char* name);

// A finite decimal number with optional surrounding blanks ("1.80000007", " 12 ", "6e-1").
bool parseNumber(const std::string& text, double* value);

// Seconds from "1:30 min", "45 sec", "0:01:30", "90"; "2 min" is minutes. Not negative.
bool parseDuration(const std::string& text, double* seconds);

// Metres from "12.3 m", "40 ft" or a bare number.
bool parseDepth(const std::string& text, double* metres);

// Percent from "32.0%" or a bare number, 0..100.
bool parsePercent(const std::string& text, double* percent);

// A local date and time: "2024-08-10T10:41:48", with optional seconds, fraction and offset
// ("Z", "+02:00", "-0500"), or with a blank for the T; the offset is kept, not applied.
// `hasTime` false for a bare date. Minutes since 1970-01-01 of the time as written.
struct LocalTime {
    long long minute;
    bool hasTime;
    int offset;        // minutes east of UTC; kNoOffset when the text names none
    std::string date;  // "10.08.2024"
    std::string time;  // "10:41", empty for a bare date
};
bool parseDateTime(const std::string& text, LocalTime* out);

// Sets the parse's error: "ERROR: In FILE ist <element> in Zeile N WHAT: 'text'." with the
// text cut short and made plain ASCII.
void failValue(LogParse* p, const char* element, const char* what, const std::string& text);

// False, with the parse's error set, when the file already gave `limit` of `what` (a German
// plural, "Tauchgaenge").
bool withinLimit(LogParse* p, size_t count, size_t limit, const char* what);

// A gas switch as the file gives it, before the rules below.
struct RawSwitch {
    double seconds;
    int gas;
};

// Completes a dive: orders `raw` by time (stably), lets every switch at or before the first
// sample's time set the first gas (starting from `startGas`), drops switches to the gas in use
// (by whole percents: another cylinder of the same mix is no switch), sets greatestDepth and the
// duration, at least to the last sample, and the refusal of refuseImplausible.
void finishDive(LogDive* dive, int startGas, std::vector<RawSwitch> raw);

// True when `value`, blanks around it removed, is `word` in any case ("ClosedCircuit ").
bool isWord(const char* value, const char* word);

// Checks what no recording can hold and sets the dive's refusal for the first such value, a
// sample at a negative time or a depth less than -1 m or more than 350 m, unless it has one.
void refuseImplausible(LogDive* dive);

// Refuses the dive for a negative surface interval before it, which is then none.
void refuseInterval(LogDive* dive, double seconds);

// Puts the dives in time order of their start, stably, and says whether that moved any. The
// start compared is UTC when every dated dive names its offset, else the wall-clock time as
// written. A dive without a known start stays right behind the dive before it in the file (at
// the front when none is dated before it): its place in time cannot be told, and the file's
// neighbour is the best guess; its intervals are unknown either way, so they are asked for.
bool sortByStart(std::vector<LogDive>* dives);

// The time of the dive's earliest sample, wherever it stands in the file; 0 without samples.
double earliestSample(const LogDive& dive);

// The dive's gases by whole percents, so that finding one costs the same however many there
// are. Catches up with gases added to the dive directly; a fresh one per dive.
struct GasKeys {
    std::unordered_map<long, int> index;
    size_t seen = 0;
};

// Index of a gas in the dive's list, added when no gas there has the same whole percents.
int gasIndex(LogDive* dive, LogGas gas, GasKeys* keys);
