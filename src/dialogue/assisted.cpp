// The assisted questions about a dive, and their unattended answers.
#include "dialogue/assisted.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/picture.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "dialogue/mainflow.h"
#include "dialogue/prompts.h"
#include "dialogue/review.h"
#include "import/logbook.h"
#include "platform/console.h"

namespace {

constexpr int kAir = 21;
constexpr int kNoSwitch = -1;

bool asking() {
    return runMode == kAssisted;
}

// Depths in tenths of a metre as the export writes them, "21.5".
std::string metres(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// A first gas the export does not give is air; a second one that is no share is dropped.
void settleGases(int d, DiveRecord& r) {
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
            d);
    }
}

void printSwitch(const DiveRecord& r, int sample) {
    long long shown = (static_cast<long long>(sample) - 1) * r.sampleRate;
    printf(" Gaswechsel bei %lld:%02lld Minuten (ab Sample %d) vermerkt.\n", shown / 60, shown % 60,
           sample);
}

void printSuggestion(int d, const DiveRecord& r, const DiveScan& scan) {
    int k = scan.suggested;
    for (const std::string& line : divePicture(d, r, scan, k))
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
           at / 60, at % 60, metres(sampleTenths(d, k)).c_str(), mod.c_str());
}

void printQuestion(const DiveRecord& r, int k) {
    printf("Zeitpunkt (%ds Schritte) des Gaswechsels auf das Dekogas (Mix2) in der Form\n",
           r.sampleRate);
    printf("Minuten:Sekunden eingeben (%s-: kein Gaswechsel): ",
           k >= 0 ? "leere Zeile: Vorschlag, " : "");
}

// True when Mix2 stays within its MOD from `sample` to the end of the dive; warns otherwise.
// The scan knows the answer for the suggestion; another time takes a pass of its own.
bool modHolds(int d, const DiveRecord& r, const DiveScan& scan, int sample) {
    int deepest = sample == scan.suggested ? scan.deepestAfter : deepestSample(d, r, sample);
    if (deepest < 0 || withinMod(sampleTenths(d, deepest), r.mix2)) return true;
    printf(
        "WARNUNG: Nach dem Gaswechsel geht es bis %s m tief, tiefer als die MOD von Mix2\n"
        "(%s m).\n",
        metres(sampleTenths(d, deepest)).c_str(), metres(modTenths(r.mix2)).c_str());
    return false;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Digits up to a bound; false for no digit. Larger numbers stop at the bound, which is beyond
// every answer that can be accepted.
bool digitsAt(const std::string& text, size_t* at, long long* value) {
    constexpr long long kBound = 1000000000000LL;
    size_t start = *at;
    *value = 0;
    for (; *at < text.size() && text[*at] >= '0' && text[*at] <= '9'; (*at)++)
        *value = std::min(kBound, *value * 10 + (text[*at] - '0'));
    return *at > start;
}

// "12:30" or "12" (12:00) and nothing else: no sign, no other separator, nothing after it. A
// diver who types 3.20 or 3:20abc is asked again rather than taken at 3:00 or 3:20.
bool parseClock(const std::string& text, long long* first, long long* second) {
    size_t at = 0;
    *second = 0;
    if (!digitsAt(text, &at, first)) return false;
    if (at < text.size() && text[at] == ':') {
        at++;
        if (!digitsAt(text, &at, second)) return false;
    }
    return at == text.size();
}

// The next answer line with its blanks at either end dropped; false when the input ended.
bool readAnswer(std::string* answer) {
    consoleDiscard();
    std::string rest;
    if (!consolePeekLine(&rest)) return false;
    *answer = trimmed(rest);
    return true;
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
        long long minutes;
        long long seconds;
        if (parseClock(answer, &minutes, &seconds) && minutes * 60 + seconds <= longest) {
            *sample = clampToInt((minutes * 60 + seconds) / r.sampleRate + 1);
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

bool reviewSwitch(int d, DiveRecord& r) {
    if (!announceGases(r)) return true;
    DiveScan scan = scanDive(d, r);
    int k = scan.suggested;
    printSuggestion(d, r, scan);
    if (!asking()) {
        // Unattended, a suggestion with a deeper sample after it is not taken: Mix1 throughout
        // gives the planner more nitrogen, never less.
        if (k >= 0 && modHolds(d, r, scan, k)) {
            printSwitch(r, k);
            r.switchSample = k;
            return true;
        }
        printf("Hinweis: Tauchgang %d wird ohne Gaswechsel geschrieben.\n", d);
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
        printSwitch(r, sample);
        if (!modHolds(d, r, scan, sample)) {
            printf(" Trotzdem uebernehmen?");
            int choice = askChoice('y', 'n');
            if (choice == kNoAnswer) return false;
            if (choice == 1) continue;
        }
        r.switchSample = sample;
        return true;
    }
}

// Hours:minutes, or hours alone meaning whole hours; anything else is asked for again, and
// nothing carries over from an earlier entry.
bool readInterval(DiveRecord& r) {
    consoleDiscard();
    printf(" Oberflaechenpause in Stunden:Minuten eingeben: ");
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty()) continue;  // no answer, as in the classic dialogue
        long long hours;
        long long minutes;
        if (parseClock(answer, &hours, &minutes)) {
            r.surfaceInterval = clampToInt(hours * 60 + minutes);
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

bool reviewInterval(int d, DiveRecord& r) {
    long long logged = loggedInterval(d);
    long long off = logged - r.surfaceInterval;
    if (logged >= 0 && (off > 1 || off < -1)) {
        printf(
            "\nHinweis: Laut Datum und Uhrzeit der Tauchgaenge betraegt die Pause %lld:%02lldh.\n",
            logged / 60, logged % 60);
    }
    if (!asking()) {
        printf(
            "\nOberflaechenpause zum naechsten Tauchgang von %d:%02dh aus dem Datensatz "
            "uebernommen.\n",
            r.surfaceInterval / 60, r.surfaceInterval % 60);
        return true;
    }
    return askSurfaceInterval(d, r, readInterval);
}

}  // namespace

bool assistDive(int d, DiveRecord& r) {
    settleGases(d, r);
    if (r.mix2 != -1 && !reviewSwitch(d, r)) return false;
    return d == tauchgaenge || reviewInterval(d, r);
}
