// Other logbooks' files given as arguments (UDDF, Subsurface XML): the dives chosen, their
// recorded gases, switches and intervals, and the profile; or, for --pruefen, a list of them.
#pragma once

#include <string>
#include <vector>

#include "import/logbook.h"

// How converting one file ended.
enum LogOutcome {
    kLogConverted,  // written, or the user kept the earlier profile
    kLogNotUsable,  // refused before writing; the reasons are out
    kLogFailed,     // the profile could not be written
    kLogGone,       // the console input ended
    kLogDeclined,   // 'n' after a WARNUNG: nothing is written, the run ends
};

// Converts the log named in `names`: the dives of `list` ("3-5", "2,4"; empty: the last series).
// Asks only for an interval neither the file nor the dates give, and whether to replace an
// existing profile; `unattended` (--ja) asks nothing and refuses such a file instead. A dive on
// a rebreather, an apnoe dive or one without samples refuses the file: nothing is written.
// With `picture`, NAME.svg follows a written profile.
LogOutcome convertLog(const FileNames& names, const std::string& list, bool unattended,
                      bool picture = true);

// Lists every dive of the log with its number, date, time, duration, greatest depth and gases,
// marks the last series, and reports as "Befund:" what would keep the chosen dives from being
// converted unattended, a profile of `earlier` files of this run among them. The number of
// findings; -1 when the file cannot be used (its reason is printed).
int checkLog(const FileNames& names, const std::string& list,
             const std::vector<FileNames>& earlier);
