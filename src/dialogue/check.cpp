// Printing the findings of --pruefen, dive by dive, and a closing line per export.
#include "dialogue/check.h"

#include <cstdio>

#include "assist/checks.h"
#include "assist/gas.h"
#include "assist/names.h"
#include "dialogue/mainflow.h"
#include "dialogue/summary.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/logbook.h"

namespace {

constexpr int kMix1Row = 15;
constexpr int kMix2Row = 16;
constexpr int kDiveTimeRow = 9;

constexpr int kRateRow = 14;

// A field the readers take in their own way: the text and what they make of it.
void printNotPlain(const char* name, int d, int row, int value) {
    printf("Befund: %s '%s' ist keine reine Zahl und wird als %d gelesen.\n", name,
           fieldBytes(row, d).c_str(), value);
}

int mixFinding(int d, int row, int value) {
    const char* name = row == kMix1Row ? "Mix1" : "Mix2";
    switch (mixField(d, row, value)) {
        case kMixEmpty:
            printf("Befund: %s ist leer.\n", name);
            return 1;
        case kMixNotPlain:
            printNotPlain(name, d, row, value);
            return 1;
        case kMixOutOfRange:
            printf("Befund: %s '%s' ist kein Anteil von 1 bis 100 %%.\n", name,
                   fieldText(row, d).c_str());
            return 1;
        default:
            return 0;
    }
}

// The sampling rate: no finding only for plain digits above 0.
int rateFinding(int d, const DiveRecord& r) {
    if (numberField(d, kRateRow) == kFieldNotPlain) {
        printNotPlain("Samplingrate", d, kRateRow, r.sampleRate);
        return 1;
    }
    if (r.sampleRate > 0) return 0;
    printf("Befund: Samplingrate '%s' ungueltig.\n", fieldBytes(kRateRow, d).c_str());
    return 1;
}

// Findings about dive d alone; the count.
int diveFindings(int d, const DiveRecord& r) {
    int found = mixFinding(d, kMix1Row, r.mix1) + mixFinding(d, kMix2Row, r.mix2);
    found += rateFinding(d, r);
    if (r.sampleRate > 0 && recordingDisagrees(d, r)) {
        long long seconds = recordedSeconds(r);
        printf(
            "Befund: %d Proben zu %d s ergeben %lld:%02lld Minuten, die Tauchzeit ist '%s' min.\n",
            r.sampleCount, r.sampleRate, seconds / 60, seconds % 60,
            fieldText(kDiveTimeRow, d).c_str());
        found++;
    }
    if (switchWithoutSuggestion(d, r)) {
        printf("Befund: Zwei Gase, aber kein Vorschlag fuer den Gaswechsel moeglich.\n");
        found++;
    } else if (suggestionBreaksMod(d, r)) {
        printf(
            "Befund: Nach dem vorgeschlagenen Gaswechsel geht es tiefer als die MOD von "
            "Mix2.\n");
        found++;
    }
    long long logged = d < tauchgaenge ? disagreeingInterval(d, r) : -1;
    if (logged >= 0) {
        printf("Befund: Oberflaechenpause %d:%02dh, laut Datum und Uhrzeit %lld:%02lldh.\n",
               r.surfaceInterval / 60, r.surfaceInterval % 60, logged / 60, logged % 60);
        found++;
    }
    return found;
}

// The findings of the loaded export; the count.
int exportFindings() {
    int found = 0;
    for (int r : raggedRows()) {
        printf("\nBefund: Zeile %d hat %d Kommas statt %d; Werte koennen verrutschen.\n", r + 1,
               rowCommas(r), tauchgaenge);
        found++;
    }
    long long lines = 0;
    bool tooLong = false;
    for (int d = 1; d <= tauchgaenge; d++) {
        const DiveRecord& r = tgListe[d - 1];
        printDive(d);
        found += diveFindings(d, r);
        lines += profileLines(r, d == tauchgaenge);
        // Once, where the writer would warn first.
        if (!tooLong && lines + 1 >= kProfileMinuteLimit) {
            printf("Befund: Profil mit %lld Minuten zu lang fuer VD (Grenze: 5999 Minuten).\n",
                   lines);
            tooLong = true;
            found++;
        }
    }
    return found;
}

void printClosing(int found) {
    if (found == 0) {
        printf("\nPruefung von %s: kein Befund.\n", dateien.exportShown.c_str());
    } else {
        printf("\nPruefung von %s: %d Befund%s.\n", dateien.exportShown.c_str(), found,
               found == 1 ? "" : "e");
    }
}

}  // namespace

int checkExports(const std::vector<std::string>& exports) {
    runMode = kCheck;
    bool unusable = false;
    bool findings = false;
    for (const std::string& given : exports) {
        namesFromArgument(given);
        if (!useExport()) {
            printf("\nPruefung von %s: nicht verwendbar.\n", dateien.exportShown.c_str());
            unusable = true;
            continue;
        }
        int found = exportFindings();
        printClosing(found);
        findings = findings || found > 0;
    }
    fflush(stdout);
    return unusable ? -1 : findings ? 1 : 0;
}
