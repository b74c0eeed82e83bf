// Printing the findings of --pruefen, dive by dive, and a closing line per export.
#include "dialogue/check.h"

#include <cstdio>

#include "assist/checks.h"
#include "assist/gas.h"
#include "dialogue/mainflow.h"
#include "dialogue/names.h"
#include "dialogue/summary.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/layout.h"
#include "import/logbook.h"
#include "program.h"

namespace {

// A field the readers take in their own way: the text and what they make of it.
void printNotPlain(const Logbook& lb, const char* name, int d, int row, int value) {
    printf("Befund: %s '%s' ist keine reine Zahl und wird als %d gelesen.\n", name,
           fieldBytes(lb, d, row).c_str(), value);
}

int mixFinding(const Logbook& lb, int d, int row, int value) {
    const char* name = row == kMix1Row ? "Mix1" : "Mix2";
    switch (mixField(lb, d, row, value)) {
        case kMixEmpty:
            printf("Befund: %s ist leer.\n", name);
            return 1;
        case kMixNotPlain:
            printNotPlain(lb, name, d, row, value);
            return 1;
        case kMixOutOfRange:
            printf("Befund: %s '%s' ist kein Anteil von 1 bis 100 %%.\n", name,
                   fieldText(lb, d, row).c_str());
            return 1;
        default:
            return 0;
    }
}

// The sampling rate: no finding only for plain digits above 0.
int rateFinding(const Logbook& lb, const DiveRecord& r) {
    int d = r.number;
    if (numberField(lb, d, kRateRow) == kFieldNotPlain) {
        printNotPlain(lb, "Samplingrate", d, kRateRow, r.sampleRate);
        return 1;
    }
    if (r.sampleRate > 0) return 0;
    printf("Befund: Samplingrate '%s' ungueltig.\n", fieldBytes(lb, d, kRateRow).c_str());
    return 1;
}

// Findings about dive d alone; the count.
int diveFindings(const Logbook& lb, const DiveRecord& r) {
    int d = r.number;
    int found = mixFinding(lb, d, kMix1Row, r.mix1) + mixFinding(lb, d, kMix2Row, r.mix2);
    found += rateFinding(lb, r);
    if (r.sampleRate > 0 && recordingDisagrees(lb, r)) {
        long long seconds = recordedSeconds(r);
        printf(
            "Befund: %d Proben zu %d s ergeben %lld:%02lld Minuten, die Tauchzeit ist '%s' min.\n",
            r.sampleCount, r.sampleRate, seconds / 60, seconds % 60,
            fieldText(lb, d, kDiveTimeRow).c_str());
        found++;
    }
    if (switchWithoutSuggestion(lb, r)) {
        printf("Befund: Zwei Gase, aber kein Vorschlag fuer den Gaswechsel moeglich.\n");
        found++;
    } else if (suggestionBreaksMod(lb, r)) {
        printf(
            "Befund: Nach dem vorgeschlagenen Gaswechsel geht es tiefer als die MOD von "
            "Mix2.\n");
        found++;
    }
    long long logged = d < lb.dives ? disagreeingInterval(lb, r) : -1;
    if (logged >= 0) {
        printf("Befund: Oberflaechenpause %d:%02dh, laut Datum und Uhrzeit %lld:%02lldh.\n",
               r.surfaceInterval / 60, r.surfaceInterval % 60, logged / 60, logged % 60);
        found++;
    }
    return found;
}

// The findings of the loaded export; the count.
int exportFindings(const Logbook& lb) {
    int found = 0;
    for (int r : raggedRows(lb)) {
        printf("\nBefund: Zeile %d hat %d Kommas statt %d; Werte koennen verrutschen.\n", r + 1,
               rowCommas(lb, r), lb.dives);
        found++;
    }
    long long lines = 0;
    bool tooLong = false;
    for (const DiveRecord& r : fillDiveTable(lb)) {
        printDive(lb, r);
        found += diveFindings(lb, r);
        lines += profileLines(r, r.number == lb.dives);
        // Once, where the writer would warn first.
        if (!tooLong && lines + 1 >= kProfileMinuteLimit) {
            printf("Befund: Profil mit %lld Minuten zu lang fuer VD (Grenze: %lld Minuten).\n",
                   lines, kProfileMinuteLimit - 1);
            tooLong = true;
            found++;
        }
    }
    return found;
}

void printClosing(const Logbook& lb, int found) {
    if (found == 0) {
        printf("\nPruefung von %s: kein Befund.\n", lb.names.exportShown.c_str());
    } else {
        printf("\nPruefung von %s: %d Befund%s.\n", lb.names.exportShown.c_str(), found,
               found == 1 ? "" : "e");
    }
}

}  // namespace

int checkExports(const std::vector<std::string>& exports) {
    bool unusable = false;
    bool findings = false;
    for (const std::string& given : exports) {
        Logbook lb;
        FileNames names = namesFromArgument(given);
        if (!loadUsable(names, true, &lb)) {
            printf("\nPruefung von %s: nicht verwendbar.\n", names.exportShown.c_str());
            unusable = true;
            continue;
        }
        int found = exportFindings(lb);
        printClosing(lb, found);
        findings = findings || found > 0;
    }
    fflush(stdout);
    return unusable ? -1 : findings ? 1 : 0;
}
