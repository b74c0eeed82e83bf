// The assisted questions about a dive, and their unattended answers.
#include "dialogue/assisted.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "assist/clock.h"
#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/picture.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "dialogue/prompts.h"
#include "dialogue/review.h"
#include "import/logbook.h"

namespace {

constexpr int kAir = 21;
constexpr int kNoSwitch = -1;

// Depths in tenths of a metre as the export writes them, "21.5".
std::string metres(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// A first gas the export does not give is air; a second one that is no share is dropped.
void settleGases(DiveRecord& r) {
    if (!gasKnown(r.mix1)) {
        printf("Mix1 unbekannt. Mix1 wird provisorisch auf Luft gestellt.\n");
        r.mix1 = kAir;
    }
    if (r.mix2 != -1 && !gasKnown(r.mix2)) {
        printf("Hinweis: Mix2(%d%%O2) ist kein Anteil von 1 bis 100 %% und wird nicht verwendet.\n",
               r.mix2);
        r.mix2 = -1;
    }
    if (!canBeTimed(r)) {
        printf(
            "Hinweis: Ohne gueltige Samplingrate wird Tauchgang %d wie im klassischen Modus\n"
            "geschrieben: jede zweite Probe als eine Minute.\n",
            r.number);
    }
}

void printSuggestion(const Logbook& lb, const DiveRecord& r, const DiveScan& scan) {
    int k = scan.suggested;
    for (const std::string& line : divePicture(lb, r, scan, k))
        printf("%s\n", line.c_str());
    std::string mod = metres(modTenths(r.mix2));
    if (k < 0) {
        printf(
            "Kein Vorschlag: Nach der tiefsten Stelle liegt keine Probe innerhalb der\n"
            "MOD von Mix2 (%s m).\n",
            mod.c_str());
        return;
    }
    long long at = (static_cast<long long>(k) - 1) * r.sampleRate;
    printf("Vorschlag: Gaswechsel bei %lld:%02lld Minuten in %s m Tiefe (MOD von Mix2: %s m).\n",
           at / 60, at % 60, metres(sampleTenths(lb, r, k)).c_str(), mod.c_str());
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
        metres(sampleTenths(lb, r, deepest)).c_str(), metres(modTenths(r.mix2)).c_str());
    return false;
}

// One answer to the gas-switch question: a sample, kNoSwitch for '-', the suggestion for an
// empty line. False when the input ended.
bool readSwitch(const DiveRecord& r, int k, int* sample) {
    long long longest = static_cast<long long>(r.sampleCount) * r.sampleRate;
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty() && k < 0) continue;  // no answer, as in the classic dialogue
        if (answer.empty() || answer == "-") {
            *sample = answer.empty() ? k : kNoSwitch;
            return true;
        }
        long long seconds;
        if (parseClock(answer, &seconds) && seconds <= longest) {
            *sample = clampToInt(sampleAfterStep(seconds, r.sampleRate));
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

bool reviewSwitch(const Logbook& lb, DiveRecord& r, bool asking) {
    if (!announceGases(r)) return true;
    DiveScan scan = scanDive(lb, r);
    int k = scan.suggested;
    printSuggestion(lb, r, scan);
    if (!asking) {
        // Unattended, a suggestion with a deeper sample after it is not taken: Mix1 throughout
        // gives the planner more nitrogen, never less.
        if (k >= 0 && modHolds(lb, r, scan, k)) {
            printSwitch((static_cast<long long>(k) - 1) * r.sampleRate, k);
            r.switchSample = k;
            return true;
        }
        printf("Hinweis: Tauchgang %d wird ohne Gaswechsel geschrieben.\n", r.number);
        return true;
    }
    for (;;) {
        printQuestion(r, k);
        int sample;
        if (!readSwitch(r, k, &sample)) return false;
        if (sample == kNoSwitch) {
            printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
            return true;
        }
        printSwitch((static_cast<long long>(sample) - 1) * r.sampleRate, sample);
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
    long long logged = loggedInterval(lb, r.number);
    long long off = logged - r.surfaceInterval;
    if (logged >= 0 && (off > 1 || off < -1)) {
        printf(
            "\nHinweis: Laut Datum und Uhrzeit der Tauchgaenge betraegt die Pause %lld:%02lldh.\n",
            logged / 60, logged % 60);
    }
    if (!asking) {
        printf(
            "\nOberflaechenpause zum naechsten Tauchgang von %d:%02dh aus dem Datensatz "
            "uebernommen.\n",
            r.surfaceInterval / 60, r.surfaceInterval % 60);
        return true;
    }
    return askSurfaceInterval(r, readInterval);
}

// The assisted review proper, or its unattended form that asks nothing.
bool assistDive(const Logbook& lb, DiveRecord& r, bool last, bool asking) {
    settleGases(r);
    if (r.mix2 != -1 && !reviewSwitch(lb, r, asking)) return false;
    return last || reviewInterval(lb, r, asking);
}

}  // namespace

bool assistedReview(const Logbook& lb, DiveRecord& r, bool last) {
    return assistDive(lb, r, last, true);
}

bool unattendedReview(const Logbook& lb, DiveRecord& r, bool last) {
    return assistDive(lb, r, last, false);
}
