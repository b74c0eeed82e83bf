// The fuzzed run of the XML log layer: bytes as a log, then the series choice and the minutes.
#pragma once

#include <string>

// Reads `data` as a log, chooses the default series and a list named by the first bytes, and
// converts every dive of the file into minutes. Null when every result holds its promises,
// else what broke.
const char* logFileCase(const std::string& data);
