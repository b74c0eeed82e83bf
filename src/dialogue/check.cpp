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

int mixFinding(int d, int row, int value) {
    const char* name = row == kMix1Row ? "Mix1" : "Mix2";
    switch (mixField(d, row, value)) {
        case kMixEmpty:
            printf("Befund: %s ist leer.\n", name);
            return 1;
        case kMixOutOfRange:
            printf("Befund: %s '%s' ist kein Anteil von 1 bis 100 %%.\n", name,
                   fieldText(row, d).c_str());
            return 1;
        default:
            return 0;
    }
}

// Findings about dive d alone; the count.
int diveFindings(int d, const DiveRecord& r) {
    int found = mixFinding(d, kMix1Row, r.mix1) + mixFinding(d, kMix2Row, r.mix2);
    if (r.sampleRate <= 0) {
        printf("Befund: Samplingrate %d s ungueltig.\n", r.sampleRate);
        found++;
    } else if (recordingDisagrees(d, r)) {
        long long seconds = recordedSeconds(r);
        printf("Befund: %d Proben zu %d s ergeben %lld:%02lld Minuten, die Tauchzeit ist %d min.\n",
               r.sampleCount, r.sampleRate, seconds / 60, seconds % 60, getInt(d, kDiveTimeRow));
        found++;
    }
    if (switchWithoutSuggestion(d, r)) {
        printf("Befund: Zwei Gase, aber kein Vorschlag fuer den Gaswechsel moeglich.\n");
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
