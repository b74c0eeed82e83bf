// How the messages about a log's dives name them, and the refusal of chosen dives that overlap.
#pragma once

#include <string>
#include <vector>

#include "assist/trip.h"
#include "import/logfile.h"

// "Tauchgang 3 vom 01.07.2026", or "Tauchgang 3 (ohne Datum)": every message about a dive names
// its number (its place in time order, from 1) and its date.
std::string diveName(int number, const LogDive& dive);

// The same with the start time where known: "Tauchgang 3 vom 01.07.2026 09:00".
std::string diveWhen(int number, const LogDive& dive);

// The same for dive `index` of a joined list; where it joins several files, the dive's file
// follows: "Tauchgang 3 vom 01.07.2026 (aus tag2.ssrf)".
std::string diveName(const JoinedDives& joined, int index);
std::string diveWhen(const JoinedDives& joined, int index);

// Prints each pair of the chosen dives (indexes in time order) that overlap or start in the same
// minute, both named, the first line after `lead` ("\nERROR: ", "Befund: "). Sets `clashed` to
// one flag per dive of the list, set for the later dive of each pair. The number of pairs.
int printClashes(const JoinedDives& joined, const std::vector<int>& chosen, const char* lead,
                 std::vector<bool>* clashed);
