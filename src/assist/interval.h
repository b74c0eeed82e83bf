// The surface interval between two dives as their dates and times in the export give it.
#pragma once

#include "import/logbook.h"

// Minutes from dive d's surfacing to dive d+1's descent, read from rows 2 (date, D.M.YY or
// D.M.YYYY), 10 (descent, H:MM) and 11 (surfacing, H:MM) as the summary shows them. A dive
// that surfaces at an earlier time of day than it went down ended after midnight. -1 when a
// value cannot be read, or the next dive would begin before this one ended.
long long loggedInterval(const Logbook& lb, int d);
