// The output stage: the question before an existing profile is replaced, then every dive's
// minutes and surface interval handed to the writer.
#pragma once

#include <vector>

#include "export/profile.h"
#include "import/divetable.h"
#include "import/logbook.h"

// Writes the profile of the reviewed dives to lb.names.profilePath. An existing file is asked
// about first, or, with `replace` (--ja), replaced with a line saying so; a directory, FIFO or
// the export itself standing there is refused.
WriteResult writeDives(const Logbook& lb, const std::vector<DiveRecord>& dives, bool replace);

// A dive of another logbook's file, ready to write: its minutes, its ascent line and the
// surface interval after it (minutes; not written after the last dive).
struct LoggedDive {
    std::vector<DiveMinute> minutes;
    DiveMinute ascent;
    long long intervalAfter;
};

// The same for such dives, to names.profilePath.
WriteResult writeLogged(const FileNames& names, const std::vector<LoggedDive>& dives, bool replace);
