// The file names of an export given on the command line, and of its profile beside it.
#pragma once

#include <string>

#include "import/logbook.h"

// True when the name ends in ".csv", in any case.
bool endsWithCsv(const std::string& path);

// The export's path: `given` as it stands, or with ".csv" appended when no file (a folder
// does not count) of that name exists and it does not end in ".csv" already. A folder (or
// device) keeps its name when there is no file of the name with ".csv" beside it.
std::string exportPathFor(const std::string& given);

// The profile beside the export: the export's extension replaced by ".vdp". An export that has
// no extension, or ".vdp" itself, keeps its whole name, so the export is never overwritten.
std::string profilePathFor(const std::string& exportPath);

// The names of an export given on the command line and of its profile.
FileNames namesFromArgument(const std::string& given);
