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

// True when the file's first byte, after a UTF-8 byte order mark and blanks, opens an XML tag:
// a log, not a CSV export, whatever its name. False too when it cannot be read.
bool looksLikeXmlLog(const std::string& path);

// The same for bytes in memory; `shownName` stands in the messages.
LogFile readLogBuffer(const char* data, size_t size, const std::string& shownName);
