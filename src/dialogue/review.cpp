// The review of every dive: gas switch, air for a missing first gas, surface interval.
#include "dialogue/review.h"

#include <cstdio>

#include "assist/gas.h"
#include "dialogue/prompts.h"
#include "dialogue/summary.h"
#include "import/dive.h"

namespace {

bool reviewGasSwitch(const Logbook& lb, DiveRecord& r) {
    announceGases(r);
    printf("Bitte im PC-Logbook den Zeitpunkt (%ds Schritte) des Gaswechsels\n", r.sampleRate);
    printf("auf das Dekogas (Mix2) ablesen und in der Form Minuten:Sekunden eingeben: ");
    int sample;
    bool answered = askGasSwitch(lb, r, &sample);
    r.switchSample = sample;
    return answered;
}

}  // namespace

void announceGases(const DiveRecord& r) {
    printf("Es wurden Mix1(%d%%O2) und Mix2(%d%%O2) verwendet.\n", r.mix1, r.mix2);
}

bool askSurfaceInterval(DiveRecord& r, bool (*entry)(DiveRecord& r)) {
    printf("\nSoll die Oberflaechenpause zum naechsten Tauchgang von %d:%02dh\n",
           r.surfaceInterval / 60, r.surfaceInterval % 60);
    printf("aus dem Datensatz von Tauchgang %d uebernommen werden?\n", r.number + 1);
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return false;
    if (choice == 1) {
        if (!entry(r)) return false;
        printf(" Oberflaechenpause zum naechsten Tauchgang: %2d:%02dh\n", r.surfaceInterval / 60,
               r.surfaceInterval % 60);
    }
    return true;
}

bool classicReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch*,
                   const DiveScan*) {
    // A share that is no share (an empty field reads 0) is as good as none: an unknown first
    // gas becomes air below, an unknown second one is not used.
    if (!gasKnown(r.mix1)) r.mix1 = -1;
    if (!gasKnown(r.mix2)) r.mix2 = -1;
    if (r.mix1 != -1 && r.mix2 != -1 && !reviewGasSwitch(lb, r)) return false;
    if (r.mix1 == -1) {
        printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
        r.mix1 = kAirOxygen;
    }
    return last || askSurfaceInterval(r, readInterval);
}

bool reviewDives(const Logbook& lb, std::vector<DiveRecord>& dives, DiveReviewer review,
                 const std::vector<GivenSwitch>& switches, bool scans) {
    // The dives whose gas switch the review looks at: two usable gases and a rate.
    std::vector<DiveRecord> scanned;
    std::vector<int> scanOf(dives.size(), -1);
    for (size_t i = 0; scans && i < dives.size(); i++) {
        if (!gasKnown(dives[i].mix2)) continue;
        scanOf[i] = static_cast<int>(scanned.size());
        scanned.push_back(dives[i]);
    }
    std::vector<DiveScan> done = scanDives(lb, scanned);
    for (size_t i = 0; i < dives.size(); i++) {
        const GivenSwitch* given = nullptr;
        for (const GivenSwitch& s : switches) {
            if (s.dive == dives[i].number) given = &s;
        }
        const DiveScan* scan = scanOf[i] >= 0 ? &done[static_cast<size_t>(scanOf[i])] : nullptr;
        printDive(lb, dives[i]);
        if (!review(lb, dives[i], i + 1 == dives.size(), given, scan)) return false;
    }
    return true;
}
