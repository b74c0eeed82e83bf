// Other logbooks' files given as arguments (UDDF, Subsurface XML): the dives chosen, their
// recorded gases, switches and intervals, and the profile; or, for --pruefen, a list of them.
#pragma once

#include <string>
#include <vector>

#include "assist/trip.h"
#include "import/logbook.h"

// How converting one file ended.
enum LogOutcome {
    kLogConverted,  // written, or the user kept the earlier profile
    kLogNotUsable,  // refused before writing; the reasons are out
    kLogFailed,     // the profile could not be written
    kLogGone,       // the console input ended
    kLogDeclined,   // 'n' after a WARNUNG: nothing is written, the run ends
};

// Reads each log of `files` (one, or the logs of a trip) and says so, then joins their dives in
// time order. False once a failure is printed: a file that cannot be read or holds no dive
// refuses them all, so that no trip is written with a gap nobody asked for.
bool readLogs(const std::vector<FileNames>& files, JoinedDives* joined);

// Converts the joined dives into names.profilePath: the dives of `list` ("3-5", "2,4", counted
// in the joined list; empty: the last series). Asks only for an interval neither the file nor
// the dates give, and whether to replace an existing profile; `unattended` (--ja) asks nothing
// and refuses such a list instead. A dive on a rebreather, an apnoe dive or one without samples
// refuses the list: nothing is written. Messages about a dive of a trip name its file too.
// With `picture`, NAME.svg follows a written profile.
LogOutcome convertLog(const FileNames& names, const JoinedDives& joined, const std::string& list,
                      bool unattended, bool picture = true);

// Lists every joined dive with its number, date, time, duration, greatest depth and gases
// (for a trip, which file each comes from), marks the last series, and reports as "Befund:"
// what would keep the chosen dives from being converted unattended, a profile of `earlier`
// files of this run among them. The number of findings; -1 when the list cannot be used (its
// reason is printed).
int checkLog(const FileNames& names, const JoinedDives& joined, const std::string& list,
             const std::vector<FileNames>& earlier);
