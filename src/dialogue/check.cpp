// Printing the findings of --pruefen, dive by dive, and a closing line per export.
#include "dialogue/check.h"

#include <cstdio>

#include "assist/checks.h"
#include "assist/gas.h"
#include "assist/names.h"
#include "dialogue/mainflow.h"
#include "dialogue/reasons.h"
#include "dialogue/summary.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/logbook.h"

namespace {

constexpr int kMix1Row = 15;
constexpr int kMix2Row = 16;

const char kLead[] = "Befund: ";

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

// The first gas breathed where its pO2 passes 1.6 bar.
int mix1Finding(int d, const DiveRecord& r) {
    int deepest = deepestSample(d, r, 0);
    int tenths = deepest >= 0 ? sampleTenths(d, deepest) : -1;
    if (!mix1BeyondMod(r, tenths)) return 0;
    printf("Befund: Mix1(%d%%O2) bei %s m tiefer als seine MOD (%s m): pO2 ueber 1.6 bar.\n",
           r.mix1, metresText(tenths).c_str(), metresText(modTenths(r.mix1)).c_str());
    return 1;
}

// Findings about dive d alone; the count.
int diveFindings(int d, const DiveRecord& r) {
    int found = mixFinding(d, kMix1Row, r.mix1) + mixFinding(d, kMix2Row, r.mix2);
    found += printRateReason(kLead, d, r) + printSampleReasons(kLead, d, r);
    found += printGasReason(kLead, r) + mix1Finding(d, r);
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

// The findings of the loaded export; the count. `earlier`: the usable exports checked before.
int exportFindings(const std::vector<RunFiles>& earlier) {
    int found = printRaggedRows("\nBefund: ") + printTakenProfile("\nBefund: ", earlier);
    long long lines;
    int longAt = diveReachingLimit(&lines);
    for (int d = 1; d <= tauchgaenge; d++) {
        printDive(d);
        found += diveFindings(d, tgListe[d - 1]);
        // Once, where the writer would warn first.
        if (d == longAt) found += printLengthReason(kLead, lines);
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
    std::vector<RunFiles> earlier;
    for (const std::string& given : exports) {
        namesFromArgument(given);
        if (!useExport()) {
            printf("\nPruefung von %s: nicht verwendbar.\n", dateien.exportShown.c_str());
            unusable = true;
            continue;
        }
        int found = exportFindings(earlier);
        earlier.push_back(dateien);
        printClosing(found);
        findings = findings || found > 0;
    }
    fflush(stdout);
    return unusable ? -1 : findings ? 1 : 0;
}
