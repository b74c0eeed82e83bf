// The runs from the banner to the final wait: the classic dialogue and the exports given as
// arguments.
#pragma once

#include <string>
#include <vector>

#include "assist/checks.h"
#include "import/logbook.h"

// Runs the classic conversion once, asking for the file name; returns the exit code: 0 after a
// completed run, -1 when the export could not be used, the profile not written or the console
// input ended early.
int mainFlow();

// Converts the exports named on the command line one after the other: with questions, or with
// `unattended` (--ja) without any, refusing an export with a reason to doubt its values;
// `switches` are the gas switches given with --wechsel. A UDDF or Subsurface log among them is
// converted with the dives of `diveList` (empty: its last series). With a `profile` name
// (--profil) the exports are the logs of one trip, joined into that one profile. With `picture`,
// NAME.svg is written beside every profile written. 0 when every profile was written (or kept
// at the user's wish), else -1; a picture that could not be written changes nothing of that.
int exportsFlow(const std::vector<std::string>& exports, bool unattended,
                const std::vector<GivenSwitch>& switches = {}, const std::string& diveList = "",
                const std::string& profile = "", bool picture = true);

// True when an argument names a UDDF or Subsurface log (told by the content), not a CSV export;
// an empty file is one too unless its name ends in ".csv".
bool isLogFile(const FileNames& names);

// True, with the refusal printed, when the argument names a folder, device or pipe, not a file.
bool isNoFile(const FileNames& names);

// Refuses a dive list for a CSV export; false once the refusal is printed.
bool noDiveListFor(const FileNames& names, const std::string& diveList);

// Refuses --wechsel for a log, which names its switches itself: the log and the profile that is
// not written are named.
void printSwitchesRefused(const FileNames& log, const FileNames& profile);

// Loads the export named in `names` into *lb and counts its dives, refusing an export with too
// few rows or without dives. False once the refusal is printed.
bool loadUsable(const FileNames& names, Logbook* lb);
