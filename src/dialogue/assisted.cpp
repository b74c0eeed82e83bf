// The assisted questions about a dive, and their unattended answers.
#include "dialogue/assisted.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "assist/checks.h"
#include "assist/clock.h"
#include "assist/gas.h"
#include "assist/minutes.h"
#include "assist/picture.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "import/dive.h"
#include "import/logbook.h"

namespace {

constexpr int kNoSwitch = -1;

// The suggestion is only the earliest switch the MOD allows; the minutes on Mix2 it would give
// show how far it may be from the real one.
void printSuggestion(const Logbook& lb, const DiveRecord& r, const DiveScan& scan) {
    int k = scan.suggested;
    for (const std::string& line : divePicture(lb, r, scan, k))
        printf("%s\n", line.c_str());
    std::string mod = metresText(modTenths(r.mix2));
    if (k < 0) {
        printf(
            "Kein Vorschlag: Nach der tiefsten Stelle liegt keine Probe innerhalb der\n"
            "MOD von Mix2 (%s m).\n",
            mod.c_str());
        return;
    }
    printf("Fruehester Gaswechsel: %s Minuten in %s m Tiefe (MOD von Mix2: %s m).\n",
           clockText(sampleSeconds(k, r)).c_str(), metresText(sampleTenths(lb, r, k)).c_str(),
           mod.c_str());
    DiveRecord with = r;
    with.switchSample = k;
    Dive dive = exportDive(lb, with);
    printf("Mix2 damit %lld von %lld Minuten; ein spaeterer Wechsel ist die sichere Seite.\n",
           minutesAfterSwitch(dive, 0), minuteCount(dive));
}

void printQuestion(const DiveRecord& r) {
    printf("Zeitpunkt (%ds Schritte) des Gaswechsels auf das Dekogas (Mix2) in der Form\n",
           r.sampleRate);
    printf("Minuten:Sekunden eingeben (-: kein Gaswechsel): ");
}

// One answer to the gas-switch question: a sample, or kNoSwitch. An empty line is no answer.
// False when the input ended.
bool readSwitch(const DiveRecord& r, int* sample) {
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty()) continue;
        if (meansNoSwitch(answer)) {
            *sample = kNoSwitch;
            return true;
        }
        long long seconds;
        int typed = parseClock(answer, &seconds) ? typedSwitchSample(seconds, r) : -1;
        if (typed >= 0) {
            *sample = typed;
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

}  // namespace

void settleGases(DiveRecord& r) {
    if (!gasKnown(r.mix1)) {
        printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
        r.mix1 = kAirOxygen;
    }
    if (r.mix2 != -1 && !gasKnown(r.mix2)) {
        printf("Hinweis: Mix2(%d%%O2) ist kein Anteil von 1 bis 100 %% und wird nicht verwendet.\n",
               r.mix2);
        r.mix2 = -1;
    }
}

ReviewResult assistedSwitch(const Logbook& lb, DiveRecord& r, const DiveScan& scan) {
    announceGases(r);
    if (mix2NotRicher(r)) {
        // No deco gas: a suggestion would only put a leaner gas on earlier.
        for (const std::string& line : divePicture(lb, r, scan, -1))
            printf("%s\n", line.c_str());
        printf("Kein Vorschlag, Mix2 ist nicht reicher als Mix1; mit - gilt Mix1.\n");
    } else {
        printSuggestion(lb, r, scan);
    }
    for (;;) {
        printQuestion(r);
        int sample;
        if (!readSwitch(r, &sample)) return kReviewEnded;
        if (sample == kNoSwitch) {
            printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
            return kReviewed;
        }
        printSwitch(lb, r, sample);
        r.switchSample = sample;
        ReviewResult checked = checkSwitchMod(lb, r);
        if (checked != kReviewDeclined) return checked;
        r.switchSample = kNoSwitch;
    }
}

void unattendedSwitch(const Logbook& lb, DiveRecord& r, const DiveScan& scan,
                      const GivenSwitch* given) {
    announceGases(r);
    int d = r.number;
    int sample = given && given->seconds != kNoSwitchGiven ? typedSwitchSample(given->seconds, r)
                                                           : kNoSwitch;
    for (const std::string& line : divePicture(lb, r, scan, sample))
        printf("%s\n", line.c_str());
    if (given && sample == kNoSwitch) {
        printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
    } else if (sample == kNoSwitch && scan.suggested >= 0) {
        printf(
            "Hinweis: Tauchgang %d mit Mix1 durchgehend; Gaswechsel fruehestens bei %s,\n"
            "angeben mit --wechsel %d=M:SS.\n",
            d, clockText(sampleSeconds(scan.suggested, r)).c_str(), d);
    } else if (sample == kNoSwitch) {
        printf(
            "Hinweis: Tauchgang %d mit Mix1 durchgehend; kein Vorschlag fuer den Gaswechsel,\n"
            "angeben mit --wechsel %d=M:SS.\n",
            d, d);
    } else {
        printSwitch(lb, r, sample);
        r.switchSample = sample;
    }
}

void unattendedInterval(const Logbook& lb, DiveRecord& r) {
    long long logged = disagreeingInterval(lb, r);
    // Of two intervals the shorter one: it leaves the diver more nitrogen.
    int exported = r.surfaceInterval;
    r.surfaceInterval = intervalToWrite(lb, r);
    if (logged < 0) {
        printf("\nOberflaechenpause von %d:%02dh aus dem Datensatz uebernommen.\n", exported / 60,
               exported % 60);
    } else if (r.surfaceInterval == exported) {
        printf(
            "\nOberflaechenpause von %d:%02dh aus dem Datensatz uebernommen,\n"
            "kuerzer als %lld:%02lldh laut Datum und Uhrzeit: die sichere Seite.\n",
            exported / 60, exported % 60, logged / 60, logged % 60);
    } else {
        printf(
            "\nOberflaechenpause von %lld:%02lldh laut Datum und Uhrzeit uebernommen,\n"
            "kuerzer als %d:%02dh im Datensatz: die sichere Seite.\n",
            logged / 60, logged % 60, exported / 60, exported % 60);
    }
}
