// The output stage: the question before an existing profile is replaced, then every dive's
// minutes and surface interval handed to the writer.
#pragma once

#include <vector>

#include "export/profile.h"
#include "import/dive.h"
#include "import/logbook.h"

// How the look at the profile before writing ended.
enum ProfileCheck {
    kProfileFine,
    kProfileDeclined,    // 'n' after the WARNUNG about the planner's limit
    kProfileRefused,     // more minutes than any dive: refused, the reason is out
    kProfileInputEnded,  // the console input ended
};

// What the profile will hold, before it is written: "Im Profil:" and a line per dive with its
// minutes, its deepest minute (`deepest`, metres), the minutes on each gas and the interval
// after it. Then, with `asking`, a profile reaching the planner's limit is a WARNUNG with its
// question; one of more than kMostProfileMinutes minutes is refused in any case.
ProfileCheck checkProfile(const FileNames& names, const std::vector<Dive>& dives,
                          const std::vector<int>& deepest, bool asking);

// Writes the profile of `dives` to names.profilePath: each dive's minutes and ascent line, and
// after every dive but the last its intervalAfter at the surface. An existing file is asked
// about first, or, with `replace` (--ja), replaced with a line saying so; a directory, FIFO or
// the export itself standing there is refused.
WriteResult writeProfile(const FileNames& names, const std::vector<Dive>& dives, bool replace);
