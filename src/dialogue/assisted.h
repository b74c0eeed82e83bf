// src/dialogue owns every question and every flow: the classic, assisted and unattended runs,
// the check, the options, the file names of a run and the output stage. It may use every layer
// below it: src/assist, src/export, src/import and src/platform.
//
// The assisted dialogue about one dive: usable gases, the gas switch with a suggestion, a
// picture and a MOD check, and the surface interval with a hint from the dates and times.
#pragma once

#include "assist/checks.h"
#include "assist/scan.h"
#include "import/divetable.h"
#include "import/logbook.h"

// Completes dive r's record after its summary, asking the diver. False when the console input
// ended. A DiveReviewer; `given` plays no part.
bool assistedReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                    const DiveScan* scan);

// The same without a question (--ja). Nothing is guessed: the switch is `given` (null: none,
// Mix1 throughout) and the interval the shorter one; every decision is printed.
bool unattendedReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                      const DiveScan* scan);
