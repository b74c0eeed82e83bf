// The picture beside the profile: what it shows of each dive, worked out with the rules of
// src/assist, and NAME.svg written the safe way once NAME.vdp is.
#pragma once

#include <string>
#include <vector>

#include "assist/trip.h"
#include "export/picture.h"
#include "import/dive.h"
#include "import/logbook.h"
#include "import/logfile.h"

// What the picture shows of a dive: its minutes, each switch with its first minute, the MOD of
// each gas it breathes, held gaps and an added ascent, and as warnings each gas breathed deeper
// than its MOD (at its deepest sample on that gas) and a recording cut short (at its last
// sample). `when` is its date and time, `pauseSource` where its interval after came from.
PictureDive pictureNotes(const Dive& dive, const std::string& when, const std::string& pauseSource);

// The notes of an export's dives (those of lb): each one's date and descent time, and whether
// its interval is the export's, the one from the dates and times, or typed.
std::vector<PictureDive> exportNotes(const Logbook& lb, const std::vector<Dive>& dives);

// The notes of the chosen dives of one log or a trip (dives[k] made from
// joined.dives[chosen[k]]): date and time, and whether each interval is the file's, the one from
// the dates and times, or typed.
std::vector<PictureDive> logNotes(const JoinedDives& joined, const std::vector<int>& chosen,
                                  const std::vector<Dive>& dives);

// Where the picture of a profile goes: NAME.svg for NAME.vdp (any other name gets .svg added).
std::string picturePath(const std::string& profilePath);

// Writes the picture beside the profile of `names`, replacing an earlier picture only once the
// new one is whole, and prints "\nBild NAME.svg wurde gespeichert" or, where it cannot be
// written (a folder or the export itself stands there, a write fails), an ERROR line saying
// the profile is saved all the same. False when no picture was written.
bool writePicture(const FileNames& names, const std::vector<Dive>& dives,
                  const std::vector<PictureDive>& notes);
