// Reading dive logs in XML (UDDF, Subsurface's <divelog>): the reader that streams a file through
// expat into the values of import/logdive.h.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "import/logdive.h"

// Reads a UDDF or Subsurface log; the kind is told by the root element, not by the name. The
// file is fed to the parser in 64 KiB pieces, so memory stays near what the dives hold.
// Messages name the file as the console shows it. Never throws; a shortage of memory is an
// error like any other.
LogFile readLogFile(const std::string& path);

// What the start of a file says it is. A log: its first character, after a byte order mark
// (UTF-8, UTF-16 little or big endian) and blanks, opens an XML tag, or it is a gzip or zip
// archive (which readLogFile refuses by name); empty: no byte at all; other: anything else, a
// CSV export, a file that cannot be read or no file at all.
enum LogProbe { kProbeLog, kProbeEmpty, kProbeOther };
LogProbe probeLogFile(const std::string& path);

// The same for bytes in memory; `shownName` stands in the messages.
LogFile readLogBuffer(const char* data, size_t size, const std::string& shownName);
