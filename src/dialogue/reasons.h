// The reasons why an export's profile may be wrong, printed alike as the "ERROR:" lines with
// which --ja refuses an export and as the "Befund:" lines of --pruefen.
#pragma once

#include <string>
#include <vector>

#include "assist/checks.h"
#include "import/divetable.h"
#include "import/logbook.h"

// Each printer puts `lead` before every line it prints ("Befund: ", or "ERROR: " with the
// dive) and returns how many lines it printed.

// The rows with another number of commas than row 1; only the first few runs one by one.
int printRaggedRows(const Logbook& lb, const std::string& lead);

// The sampling rate when it is no plain number above 0.
int printRateReason(const Logbook& lb, const std::string& lead, const DiveRecord& r);

// Too few samples, or samples x rate far off the dive time.
int printSampleReasons(const Logbook& lb, const std::string& lead, const DiveRecord& r);

// A mix2 that is no richer than mix1.
int printGasReason(const std::string& lead, const DiveRecord& r);

// The profile reaching the planner's limit with `lines` lines.
int printLengthReason(const std::string& lead, long long lines);

// The profile of `names` is that of an earlier export of this run.
int printTakenProfile(const FileNames& names, const std::string& lead,
                      const std::vector<FileNames>& earlier);

// The closing line of a refusal: the export is refused, its profile is not written.
void printRefused(const FileNames& names);

// --ja: prints every reason to refuse the loaded export, and every given switch that does not
// fit it, as "ERROR:" lines, then that nothing is written. True when the export is refused.
bool refuseUnattended(const Logbook& lb, const std::vector<DiveRecord>& dives,
                      const std::vector<FileNames>& written,
                      const std::vector<GivenSwitch>& switches);
