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
#include "dialogue/review.h"
#include "import/dive.h"
#include "import/logbook.h"

namespace {

constexpr int kNoSwitch = -1;

// A first gas the export does not give is air; a second one that is no share is dropped.
void settleGases(const Logbook& lb, DiveRecord& r) {
    if (!gasKnown(r.mix1)) {
        printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
        r.mix1 = kAirOxygen;
    }
    if (r.mix2 != -1 && !gasKnown(r.mix2)) {
        printf("Hinweis: Mix2(%d%%O2) ist kein Anteil von 1 bis 100 %% und wird nicht verwendet.\n",
               r.mix2);
        r.mix2 = -1;
    }
    if (!rateUsable(lb, r.number)) {
        printf(
            "Hinweis: Ohne gueltige Samplingrate wird Tauchgang %d mit %d s je Probe\n"
            "geschrieben: jede zweite Probe ist eine Minute.\n",
            r.number, kFallbackRate);
    }
}

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
    printf("Vorschlag: Gaswechsel fruehestens bei %s Minuten in %s m Tiefe (MOD von Mix2: %s m).\n",
           clockText(sampleSeconds(k, r)).c_str(), metresText(sampleTenths(lb, r, k)).c_str(),
           mod.c_str());
    DiveRecord with = r;
    with.switchSample = k;
    Dive dive = exportDive(lb, with);
    printf("Mix2 damit %lld von %lld Minuten; ein spaeterer Wechsel ist die sichere Seite.\n",
           minutesAfterSwitch(dive, 0), minuteCount(dive));
}

void printQuestion(const DiveRecord& r, int k) {
    printf("Zeitpunkt (%ds Schritte) des Gaswechsels auf das Dekogas (Mix2) in der Form\n",
           r.sampleRate);
    printf("Minuten:Sekunden eingeben (%s-: kein Gaswechsel): ",
           k >= 0 ? "leere Zeile: Vorschlag, " : "");
}

// True when Mix2 stays within its MOD from `sample` to the end of the dive; warns otherwise.
// The scan knows the answer for the suggestion; another time takes a pass of its own.
bool modHolds(const Logbook& lb, const DiveRecord& r, const DiveScan& scan, int sample) {
    int deepest = sample == scan.suggested ? scan.deepestAfter : deepestSample(lb, r, sample);
    if (deepest < 0 || withinMod(sampleTenths(lb, r, deepest), r.mix2)) return true;
    printf(
        "WARNUNG: Nach dem Gaswechsel geht es bis %s m tief, tiefer als die MOD von Mix2\n"
        "(%s m).\n",
        metresText(sampleTenths(lb, r, deepest)).c_str(), metresText(modTenths(r.mix2)).c_str());
    return false;
}

// One answer to the gas-switch question: a sample, kNoSwitch for '-', the suggestion for an
// empty line. False when the input ended.
bool readSwitch(const DiveRecord& r, int k, int* sample) {
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty() && k < 0) continue;  // no answer, as in the classic dialogue
        if (answer.empty() || answer == "-") {
            *sample = answer.empty() ? k : kNoSwitch;
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

// Unattended: the switch given with --wechsel, checked against the export already, is taken
// even with a deeper sample after it, the command line being explicit. Without one the dive is
// written on Mix1 throughout: more nitrogen than any real switch would give.
void takeGivenSwitch(const Logbook& lb, DiveRecord& r, const DiveScan& scan,
                     const GivenSwitch* given) {
    int d = r.number;
    int sample = given && given->seconds != kNoSwitchGiven ? typedSwitchSample(given->seconds, r)
                                                           : kNoSwitch;
    for (const std::string& line : divePicture(lb, r, scan, sample))
        printf("%s\n", line.c_str());
    if (given && sample == kNoSwitch) {
        printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
    } else if (sample == kNoSwitch && scan.suggested >= 0) {
        printf(
            "Hinweis: Tauchgang %d mit Mix1 durchgehend; Gaswechsel fruehestens bei %s, "
            "angeben mit --wechsel %d=M:SS.\n",
            d, clockText(sampleSeconds(scan.suggested, r)).c_str(), d);
    } else if (sample == kNoSwitch) {
        printf(
            "Hinweis: Tauchgang %d mit Mix1 durchgehend; kein Vorschlag fuer den Gaswechsel, "
            "angeben mit --wechsel %d=M:SS.\n",
            d, d);
    } else {
        printSwitch(lb, r, sample);
        modHolds(lb, r, scan, sample);
        r.switchSample = sample;
    }
}

bool reviewSwitch(const Logbook& lb, DiveRecord& r, const GivenSwitch* given,
                  const DiveScan* scanned, bool asking) {
    announceGases(r);
    DiveScan scan = scanned ? *scanned : scanDive(lb, r);
    if (!asking) {
        takeGivenSwitch(lb, r, scan, given);
        return true;
    }
    int k = scan.suggested;
    if (mix2NotRicher(r)) {
        // No deco gas: a suggestion would only put a leaner gas on earlier.
        k = -1;
        for (const std::string& line : divePicture(lb, r, scan, k))
            printf("%s\n", line.c_str());
        printf(
            "WARNUNG: Mix2(%d%%O2) ist nicht reicher als Mix1(%d%%O2); die Werte gehoeren\n"
            "wohl zu einem anderen Tauchgang. Kein Vorschlag; mit - gilt Mix1.\n",
            r.mix2, r.mix1);
    } else {
        printSuggestion(lb, r, scan);
    }
    for (;;) {
        printQuestion(r, k);
        int sample;
        if (!readSwitch(r, k, &sample)) return false;
        if (sample == kNoSwitch) {
            printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
            return true;
        }
        printSwitch(lb, r, sample);
        if (!modHolds(lb, r, scan, sample)) {
            printf(" Trotzdem uebernehmen?");
            int choice = askChoice('y', 'n');
            if (choice == kNoAnswer) return false;
            if (choice == 1) continue;
        }
        r.switchSample = sample;
        return true;
    }
}

bool reviewInterval(const Logbook& lb, DiveRecord& r, bool asking) {
    long long logged = disagreeingInterval(lb, r);
    if (logged >= 0) {
        printf(
            "\nHinweis: Laut Datum und Uhrzeit der Tauchgaenge betraegt die Pause %lld:%02lldh.\n",
            logged / 60, logged % 60);
    }
    if (asking) return askSurfaceInterval(r, readInterval);
    // Unattended, of two intervals the shorter one: it leaves the diver more nitrogen.
    int exported = r.surfaceInterval;
    r.surfaceInterval = intervalToWrite(lb, r);
    if (logged < 0) {
        printf(
            "\nOberflaechenpause zum naechsten Tauchgang von %d:%02dh aus dem Datensatz "
            "uebernommen.\n",
            exported / 60, exported % 60);
    } else if (r.surfaceInterval == exported) {
        printf(
            "\nOberflaechenpause zum naechsten Tauchgang von %d:%02dh aus dem Datensatz "
            "uebernommen,\nkuerzer als %lld:%02lldh laut Datum und Uhrzeit: die sichere Seite.\n",
            exported / 60, exported % 60, logged / 60, logged % 60);
    } else {
        printf(
            "\nOberflaechenpause zum naechsten Tauchgang von %lld:%02lldh laut Datum und Uhrzeit "
            "uebernommen,\nkuerzer als %d:%02dh im Datensatz: die sichere Seite.\n",
            logged / 60, logged % 60, exported / 60, exported % 60);
    }
    return true;
}

// The assisted review proper, or its unattended form that asks nothing.
bool assistDive(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                const DiveScan* scan, bool asking) {
    settleGases(lb, r);
    if (r.mix2 != -1 && !reviewSwitch(lb, r, given, scan, asking)) return false;
    return last || reviewInterval(lb, r, asking);
}

}  // namespace

bool assistedReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                    const DiveScan* scan) {
    return assistDive(lb, r, last, given, scan, true);
}

bool unattendedReview(const Logbook& lb, DiveRecord& r, bool last, const GivenSwitch* given,
                      const DiveScan* scan) {
    return assistDive(lb, r, last, given, scan, false);
}
