// The reusable questions: the file name, a choice between two characters, the gas-switch time
// and the surface interval.
#pragma once

#include <string>

#include "import/divetable.h"
#include "import/logbook.h"

// Returned by askChoice once the console input has ended.
constexpr int kNoAnswer = -1;

// Asks for the export's base name until one of at most 30 characters arrives; false when the
// input ends.
bool askBaseName(std::string* base);

// 0 when the user typed `first`, 1 for `second`; asks until one of them comes. For 'y' and 'n'
// also 'j', 'J', 'Y' and 'N', as German and shifted keyboards type them. kNoAnswer when the
// input ends.
int askChoice(char first, char second);

// An answer to a switch question that means no switch: a line beginning with '-', or 'nein',
// 'kein', 'keiner', 'keinen' in any case.
bool meansNoSwitch(const std::string& answer);

// Asks for minutes:seconds within the dive's recorded time and sets *sample to the sample from
// which the second gas is breathed, the classic way (seconds / rate + 1); -1 for an answer
// beginning with '-': no switch. Needs a sampleRate above 0. False when the input ended.
bool askGasSwitch(const Logbook& lb, const DiveRecord& r, int* sample);

// The next answer line, its blanks at either end dropped, after the rest of the current line
// is discarded; false when the input ended.
bool readAnswer(std::string* answer);

// " Gaswechsel bei M:SS Minuten (ab Sample N, im Profil ab Minute M) vermerkt." for a switch
// to Mix2 at `sample` of dive r: the sample's own time and the first profile minute on Mix2.
void printSwitch(const Logbook& lb, const DiveRecord& r, int sample);

// Reads a surface interval as hours:minutes, or hours alone, into r; anything else is asked for
// again, and nothing carries over from an earlier entry. False when the input ended.
bool readInterval(DiveRecord& r);

// Says that the input ended early; the run then ends with kNoAnswer (-1).
int reportInputEnded();

// 64-bit results stored in 32-bit places saturate instead of wrapping.
int clampToInt(long long value);
