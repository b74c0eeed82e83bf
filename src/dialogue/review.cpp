// The review of every dive: findings, gas switch, air for a missing first gas, surface interval.
#include "dialogue/review.h"

#include <cstdio>
#include <string>

#include "assist/clock.h"
#include "assist/gas.h"
#include "assist/interval.h"
#include "dialogue/assisted.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/summary.h"
#include "import/dive.h"

namespace {

// The classic question; 'n' at a WARNUNG about the switch asks it again.
ReviewResult classicSwitch(const Logbook& lb, DiveRecord& r) {
    announceGases(r);
    for (;;) {
        printf("Bitte im PC-Logbook den Zeitpunkt (%ds Schritte) des Gaswechsels\n", r.sampleRate);
        printf("auf das Dekogas (Mix2) ablesen und in der Form Minuten:Sekunden eingeben: ");
        int sample;
        if (!askGasSwitch(lb, r, &sample)) return kReviewEnded;
        r.switchSample = sample;
        ReviewResult checked = checkSwitchMod(lb, r);
        if (checked != kReviewDeclined) return checked;
        r.switchSample = -1;
    }
}

// A first gas breathed deeper than its MOD, up to the switch.
ReviewResult checkMix1Mod(const Logbook& lb, const DiveRecord& r) {
    Dive dive = exportDive(lb, r);
    int deepest = deepestOnEachGas(dive)[0];
    if (deepest < 0 || gasWithinMod(dive.gases[0], deepest)) return kReviewed;
    return warnAndAsk(modReason(mixName(1, r.mix1), deepest, gasModTenths(dive.gases[0])));
}

std::string hoursText(long long minutes) {
    return clockText(minutes) + "h";
}

// The interval question: the export's value, or, where the dates and times disagree with it,
// the shorter of the two with both named. A typed one much longer than the dates' is asked
// about. False when the input ended.
bool askInterval(const Logbook& lb, DiveRecord& r) {
    long long logged = disagreeingInterval(lb, r);
    if (logged < 0) {
        printf("\nSoll die Oberflaechenpause zum naechsten Tauchgang von %d:%02dh\n",
               r.surfaceInterval / 60, r.surfaceInterval % 60);
        printf("aus dem Datensatz von Tauchgang %d uebernommen werden?\n", r.number + 1);
    } else {
        long long shorter = logged < r.surfaceInterval ? logged : r.surfaceInterval;
        printf("\nSoll die kuerzere Oberflaechenpause von %s uebernommen werden?\n",
               hoursText(shorter).c_str());
        printf("Laut Datum und Uhrzeit %s, laut Datensatz von Tauchgang %d %s;\n",
               hoursText(logged).c_str(), r.number + 1, hoursText(r.surfaceInterval).c_str());
        printf("die kuerzere laesst mehr Stickstoff im Profil.\n");
        r.surfaceInterval = static_cast<int>(shorter);
    }
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return false;
    if (choice == 0) return true;
    long long dates = loggedInterval(lb, r.number);
    for (;;) {
        if (!readInterval(r)) return false;
        printf(" Oberflaechenpause zum naechsten Tauchgang: %2d:%02dh\n", r.surfaceInterval / 60,
               r.surfaceInterval % 60);
        if (dates < 0 || r.surfaceInterval <= dates + 1) return true;
        // A longer pause leaves less nitrogen than the diver carried.
        std::string text = "Die Pause von " + hoursText(r.surfaceInterval) + " ist laenger als " +
                           hoursText(dates) +
                           " laut Datum und Uhrzeit;\neine laengere Pause laesst weniger " +
                           "Stickstoff im Profil.";
        ReviewResult anyway = warnAndAsk(text);
        if (anyway == kReviewEnded) return false;
        if (anyway == kReviewed) return true;
    }
}

// One dive after its summary, in any door.
ReviewResult reviewDive(const Logbook& lb, DiveRecord& r, bool last, Door door,
                        const GivenSwitch* given, const DiveScan& scan) {
    if (door == kClassicDoor) {
        // A share that is no share (an empty field reads 0) is as good as none: an unknown
        // first gas becomes air below, an unknown second one is not used.
        if (!gasKnown(r.mix1)) r.mix1 = -1;
        if (!gasKnown(r.mix2)) r.mix2 = -1;
    } else {
        settleGases(r);
    }
    if (door != kUnattendedDoor) {
        for (const std::string& text : diveReasons(lb, r, scan)) {
            ReviewResult anyway = warnAndAsk(text);
            if (anyway != kReviewed) return anyway;
        }
    }
    ReviewResult switched = kReviewed;
    if (door == kClassicDoor && r.mix1 != -1 && r.mix2 != -1) switched = classicSwitch(lb, r);
    if (door == kAssistedDoor && r.mix2 != -1) switched = assistedSwitch(lb, r, scan);
    if (door == kUnattendedDoor && r.mix2 != -1) unattendedSwitch(lb, r, scan, given);
    if (switched != kReviewed) return switched;
    if (r.mix1 == -1) {
        printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
        r.mix1 = kAirOxygen;
    }
    if (door != kUnattendedDoor) {
        ReviewResult mod = checkMix1Mod(lb, r);
        if (mod != kReviewed) return mod;
    }
    if (last) return kReviewed;
    if (door == kUnattendedDoor) {
        unattendedInterval(lb, r);
        return kReviewed;
    }
    return askInterval(lb, r) ? kReviewed : kReviewEnded;
}

}  // namespace

void announceGases(const DiveRecord& r) {
    printf("Es wurden Mix1(%d%%O2) und Mix2(%d%%O2) verwendet.\n", r.mix1, r.mix2);
}

ReviewResult warnAndAsk(const std::string& text) {
    printReason("WARNUNG: ", text);
    printf(" Trotzdem uebernehmen?");
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return kReviewEnded;
    return choice == 0 ? kReviewed : kReviewDeclined;
}

ReviewResult checkSwitchMod(const Logbook& lb, const DiveRecord& r) {
    if (r.switchSample < 0) return kReviewed;
    Dive dive = exportDive(lb, r);
    std::vector<int> deepest = deepestOnEachGas(dive);
    if (deepest.size() < 2 || deepest[1] < 0 || gasWithinMod(dive.gases[1], deepest[1])) {
        return kReviewed;
    }
    return warnAndAsk(switchModReason(deepest[1], gasModTenths(dive.gases[1])));
}

ReviewResult reviewDives(const Logbook& lb, std::vector<DiveRecord>& dives, Door door,
                         const std::vector<GivenSwitch>& switches,
                         const std::vector<DiveScan>& scans) {
    for (size_t i = 0; i < dives.size(); i++) {
        const GivenSwitch* given = nullptr;
        for (const GivenSwitch& s : switches) {
            if (s.dive == dives[i].number) given = &s;
        }
        printDive(lb, dives[i]);
        ReviewResult result =
            reviewDive(lb, dives[i], i + 1 == dives.size(), door, given, scans[i]);
        if (result != kReviewed) return result;
    }
    return kReviewed;
}
