// --pruefen: every dive's summary and findings, without writing or asking anything.
#pragma once

#include <string>
#include <vector>

// Checks the exports one after the other. 0 when none has a finding, 1 when any has, -1 when
// any cannot be used at all (cannot be opened or read, a line too long, too few rows, no dives).
// A UDDF or Subsurface log among them gets its list of dives instead, the dives of `diveList`
// (empty: its last series) checked. With a `profile` name (--profil) the exports are the logs
// of one trip, checked as one list of dives with one closing line.
int checkExports(const std::vector<std::string>& exports, const std::string& diveList = "",
                 const std::string& profile = "");
