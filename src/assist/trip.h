// Several logs strung into one list of dives in time order (a trip in one profile), each dive
// keeping which file it came from and its place there.
#pragma once

#include <string>
#include <vector>

#include "import/logfile.h"

// The dives of one or more logs in time order of their start, and where each came from.
struct JoinedDives {
    std::vector<LogDive> dives;
    std::vector<int> file;           // per dive: index into `files`
    std::vector<int> place;          // per dive: its index in its own file, from 0
    std::vector<std::string> files;  // each file's name as the messages show it
};

// Joins the logs (each already in time order, as readLogFile gives it) into one list. Starts
// compare in UTC when every dive with a start names its offset, else as written (one rule for
// the whole list). A dive without a start keeps its place behind the dive before it in the
// given order. Stable: equal starts keep the order of the files, then of each file.
JoinedDives joinLogs(const std::vector<LogFile>& logs, const std::vector<std::string>& shown);

// True when dive `later` follows dive `earlier` (indexes of the joined list) directly in the
// same file: only then does that file's own interval before `later` belong between them.
bool followsInFile(const JoinedDives& joined, int earlier, int later);
