// The review of every dive: gas switch, air for a missing first gas, surface interval.
#include "dialogue/review.h"

#include <cstdio>

#include "dialogue/assisted.h"
#include "dialogue/mainflow.h"
#include "dialogue/prompts.h"
#include "dialogue/summary.h"
#include "import/divetable.h"
#include "import/logbook.h"
#include "platform/console.h"

static int hours;
static int minutes;

namespace {

constexpr int kAir = 21;

void reviewGasSwitch(int d, DiveRecord& r) {
    if (!announceGases(r)) return;
    printf("Bitte im PC-Logbook den Zeitpunkt (%ds Schritte) des Gaswechsels\n", r.sampleRate);
    printf("auf das Dekogas (Mix2) ablesen und in der Form Minuten:Sekunden eingeben: ");
    r.switchSample = askGasSwitch(d - 1);
}

// Hours and minutes of the last entry carry over when an entry leaves them unfilled.
bool classicEntry(DiveRecord& r) {
    consoleDiscard();
    printf(" Oberflaechenpause in Stunden:Minuten eingeben: ");
    consoleDiscard();
    if (consoleScanTime(&hours, &minutes) == EOF) return false;
    r.surfaceInterval = clampToInt(static_cast<long long>(hours) * 60 + minutes);
    return true;
}

}  // namespace

bool announceGases(const DiveRecord& r) {
    printf("Es wurden Mix1(%d%%O2) und Mix2(%d%%O2) verwendet.\n", r.mix1, r.mix2);
    if (r.sampleRate > 0) return true;
    // Without a sampling rate no time maps to a sample.
    printf("ERROR: Samplingrate %d s ungueltig, ein Gaswechsel kann nicht erfasst werden.\n",
           r.sampleRate);
    return false;
}

bool askSurfaceInterval(int d, DiveRecord& r, bool (*entry)(DiveRecord& r)) {
    printf("\nSoll die Oberflaechenpause zum naechsten Tauchgang von %d:%02dh\n",
           r.surfaceInterval / 60, r.surfaceInterval % 60);
    printf("aus dem Datensatz von Tauchgang %d uebernommen werden?\n", d + 1);
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return false;
    if (choice == 1) {
        if (!entry(r)) return false;
        printf(" Oberflaechenpause zum naechsten Tauchgang: %2d:%02dh\n", r.surfaceInterval / 60,
               r.surfaceInterval % 60);
    }
    return true;
}

bool reviewDives() {
    hours = 0;
    minutes = 0;
    for (int d = 1; d <= tauchgaenge; d++) {
        DiveRecord& r = tgListe[d - 1];
        printDive(d);
        if (runMode != kClassic) {
            if (!assistDive(d, r)) return false;
            continue;
        }
        if (r.mix1 != -1 && r.mix2 != -1) {
            reviewGasSwitch(d, r);
            if (promptInputEnded()) return false;
        }
        if (r.mix1 == -1) {
            printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
            r.mix1 = kAir;
        }
        if (d != tauchgaenge && !askSurfaceInterval(d, r, classicEntry)) return false;
    }
    return true;
}
