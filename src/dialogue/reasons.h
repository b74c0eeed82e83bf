// The reasons why an export's profile may be wrong, one text per reason, printed alike as the
// "ERROR:" lines with which --ja refuses an export, the "Befund:" lines of --pruefen and the
// "WARNUNG:" lines of the dialogues.
#pragma once

#include <string>
#include <vector>

#include "assist/checks.h"
#include "assist/scan.h"
#include "import/dive.h"
#include "import/divetable.h"
#include "import/logbook.h"

// Prints `text` after `lead`, the lines after its first as they stand, and a line end.
void printReason(const std::string& lead, const std::string& text);

// The rows with another number of commas than row 1; only the first few runs one by one, each
// after `lead`. How many lines it printed.
int printRaggedRows(const Logbook& lb, const std::string& lead);

// The sampling rate when it is no plain number above 0: the dive is written as 30 s.
std::string rateReason(const Logbook& lb, const DiveRecord& r);

// Too few samples for a profile.
std::string sampleCountReason(const DiveRecord& r);

// Samples x rate far off the dive time.
std::string recordingReason(const Logbook& lb, const DiveRecord& r);

// A mix2 that is no richer than mix1.
std::string gasReason(const DiveRecord& r);

// The export's maximum depth (`field` tenths) far off the deepest sample.
std::string maxDepthReason(int deepestTenths, int field);

// A gas, named as `gas`, breathed at `tenths`, deeper than its MOD.
std::string modReason(const std::string& gas, int tenths, int modTenths);

// The depth after a switch, deeper than the MOD of mix2.
std::string switchModReason(int tenths, int modTenths);

// The profile reaching the planner's limit with `lines` lines, or beyond any dive.
std::string lengthReason(long long lines);
std::string endlessReason(long long lines);

// Every reason of dive r, in the order the doors name them, that its gas switch does not
// change: the rate, the recording, mix2, the maximum depth (with the dive's scan).
std::vector<std::string> diveReasons(const Logbook& lb, const DiveRecord& r, const DiveScan& scan);

// "Mix1(32%O2)", "Mix2(50%O2)".
std::string mixName(int mix, int oxygen);

// The profile of `names` is that of an earlier export of this run.
int printTakenProfile(const FileNames& names, const std::string& lead,
                      const std::vector<FileNames>& earlier);

// The closing line of a refusal: the export is refused, its profile is not written.
void printRefused(const FileNames& names);

// Every door: prints why the export cannot be converted at all (no dive, ragged rows, a
// profile of more than kMostProfileMinutes minutes), then that it is refused. True when it is.
bool refuseInEveryDoor(const Logbook& lb, const std::vector<DiveRecord>& dives);

// --ja: prints every reason to refuse the loaded export (with the dives' scans), and every given
// switch that does not fit it, as "ERROR:" lines, then that nothing is written. True when the
// export is refused.
bool refuseUnattended(const Logbook& lb, const std::vector<DiveRecord>& dives,
                      const std::vector<DiveScan>& scans, const std::vector<FileNames>& written,
                      const std::vector<GivenSwitch>& switches);
