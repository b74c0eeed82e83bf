// The review: each dive's summary, its findings and the questions that complete its record. One
// review serves every door; the doors differ only in their texts and in whether they ask.
#pragma once

#include <vector>

#include "assist/checks.h"
#include "assist/scan.h"
#include "import/divetable.h"
#include "import/logbook.h"

// The door a run came in by.
enum Door {
    kClassicDoor,     // no arguments: the classic dialogue with its own texts
    kAssistedDoor,    // an export as argument: a picture and a suggestion for the switch
    kUnattendedDoor,  // --ja: no question; what would be asked was refused before the review
};

// How a review ended.
enum ReviewResult {
    kReviewed,
    kReviewEnded,     // the console input ended
    kReviewDeclined,  // 'n' after a WARNUNG: no profile is written
};

// Walks through every dive in file order: its summary, its findings, its gas switch (from
// `switches` with --ja), its first gas and its surface interval. `scans` are the dives' scans
// (scanDives), in the same order.
ReviewResult reviewDives(const Logbook& lb, std::vector<DiveRecord>& dives, Door door,
                         const std::vector<GivenSwitch>& switches,
                         const std::vector<DiveScan>& scans);

// Prints a finding as a WARNUNG line and asks " Trotzdem uebernehmen? y oder n ?: ": kReviewed
// for yes, kReviewDeclined for no, kReviewEnded when the input ended.
ReviewResult warnAndAsk(const std::string& text);

// Names the dive's two gases.
void announceGases(const DiveRecord& r);

// kReviewed when Mix2 stays within its MOD from the switch on, else the WARNUNG and its question.
ReviewResult checkSwitchMod(const Logbook& lb, const DiveRecord& r);
