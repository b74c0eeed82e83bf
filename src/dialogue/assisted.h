// src/dialogue owns every question and every flow: the classic, assisted and unattended runs,
// the check, the options, the file names of a run and the output stage. It may use every layer
// below it: src/assist, src/export, src/import and src/platform.
//
// The assisted and unattended doors' parts of a dive's review: usable gases, the gas switch
// with a picture and the earliest switch the MOD allows, and --ja's decisions.
#pragma once

#include "assist/checks.h"
#include "assist/scan.h"
#include "dialogue/review.h"
#include "import/divetable.h"
#include "import/logbook.h"

// A first gas the export does not give is air; a second one that is no share is dropped.
void settleGases(DiveRecord& r);

// Asks for the switch of a dive with two gases, showing its picture and the earliest switch
// the MOD allows; 'n' at a WARNUNG about the switch asks again.
ReviewResult assistedSwitch(const Logbook& lb, DiveRecord& r, const DiveScan& scan);

// --ja: the switch `given` with --wechsel (null: none, Mix1 throughout), each decision printed.
void unattendedSwitch(const Logbook& lb, DiveRecord& r, const DiveScan& scan,
                      const GivenSwitch* given);

// --ja: of the export's interval and the one of the dates and times the shorter, printed.
void unattendedInterval(const Logbook& lb, DiveRecord& r);
