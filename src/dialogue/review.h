// The review: each dive's summary, and the questions that complete its record.
#pragma once

#include <vector>

#include "assist/checks.h"
#include "assist/scan.h"
#include "import/divetable.h"
#include "import/logbook.h"

// Completes one dive's record after its summary: the classic questions, the assisted ones, or
// the unattended decisions. `last` says whether an interval follows; `given` is the switch the
// command line gives for the dive (null: none); `scan` the dive's scan where the review asked
// for scans and the dive has two gases (null: none). False when the console input
// ended.
using DiveReviewer = bool (*)(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                              const DiveScan* scan);

// Walks through every dive in file order: its summary, then the reviewer with the dive's switch
// of `switches` and, with `scans`, the scan of every dive with two gases, all read in one pass
// over the rows first. False when the console input ended before all questions were answered.
bool reviewDives(const Logbook& lb, std::vector<DiveRecord>& dives, DiveReviewer review,
                 const std::vector<GivenSwitch>& switches, bool scans);

// The classic questions: the gas switch of a dive with two gases, air for a first gas that is
// no share, and whether the surface interval stays. No switch is ever given, no scan used.
bool classicReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                   const DiveScan* scan);

// Names the dive's two gases.
void announceGases(const DiveRecord& r);

// Asks whether dive r's surface interval stays; on 'n' `entry` reads the new one into r and it
// is confirmed. False when the console input ended.
bool askSurfaceInterval(DiveRecord& r, bool (*entry)(DiveRecord& r));
