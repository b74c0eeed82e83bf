// A trip: several UDDF and Subsurface logs given with --profil NAME, their dives joined in time
// order into the one profile NAME.vdp, so that the planner carries the nitrogen across them.
#pragma once

#include <string>
#include <vector>

#include "dialogue/logflow.h"

// The trip's names: the profile NAME as given, with ".vdp" appended unless it ends so (in any
// case), in the current folder; the first log stands as the export.
FileNames tripNames(const std::string& profile, const FileNames& firstLog);

// Converts the logs named in `logs` into one profile: every argument must be a UDDF or
// Subsurface log (a CSV export, a folder or, with `switchesGiven`, any log is refused), an
// existing file of the profile's name that is no profile is never replaced, and every log is
// read before anything else happens. Then as convertLog, over the joined list, its picture too.
LogOutcome convertTrip(const std::vector<std::string>& logs, const std::string& profile,
                       const std::string& list, bool unattended, bool switchesGiven,
                       bool picture = true);

// --pruefen with --profil: the joined list checked as checkLog checks one log. *shown gets the
// logs' names for the closing line ("tag1.uddf, tag2.ssrf"). The findings, or -1 when the trip
// cannot be used (its reason is printed).
int checkTrip(const std::vector<std::string>& logs, const std::string& profile,
              const std::string& list, std::string* shown);
