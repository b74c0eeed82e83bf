// The output stage: the question before an existing profile is replaced, then every dive's
// minutes and surface interval handed to the writer.
#pragma once

#include <vector>

#include "export/profile.h"
#include "import/dive.h"
#include "import/logbook.h"

// Writes the profile of `dives` to names.profilePath: each dive's minutes and ascent line, and
// after every dive but the last its intervalAfter at the surface. An existing file is asked
// about first, or, with `replace` (--ja), replaced with a line saying so; a directory, FIFO or
// the export itself standing there is refused.
WriteResult writeProfile(const FileNames& names, const std::vector<Dive>& dives, bool replace);
