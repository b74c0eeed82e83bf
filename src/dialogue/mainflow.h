// The runs from the banner to the final wait: the classic dialogue and the exports given as
// arguments.
#pragma once

#include <string>
#include <vector>

#include "import/logbook.h"

// Runs the classic conversion once, asking for the file name; returns the exit code: 0 after a
// completed run, -1 when the export could not be used, the profile not written or the console
// input ended early.
int mainFlow();

// Converts the exports named on the command line one after the other: with questions, or with
// `unattended` (--ja) without any. 0 when every profile was written (or kept at the user's
// wish), else -1.
int exportsFlow(const std::vector<std::string>& exports, bool unattended);

// Loads the export named in `names` into *lb and counts its dives, refusing an export with too
// few rows or, with `refuseEmpty`, without dives. False once the refusal is printed.
bool loadUsable(const FileNames& names, bool refuseEmpty, Logbook* lb);
