// The dive summary: labels and the export's fields, character by character.
#include "dialogue/summary.h"

#include <cstdio>

#include "import/fields.h"
#include "import/layout.h"

void printField(const Logbook& lb, int d, int r) {
    int start = -1;
    if (r >= rowCount(lb)) {
        printf("\nERROR: zeile>=zeilen\n");
    } else {
        const char* row = lb.rows[r].data();
        start = leftFieldStart(row, d);
        for (int i = start; start >= 0 && i < kRowSize && row[i] != ','; i++) {
            if (row[i] != '\n' && row[i] != '\0') putchar(row[i]);
        }
    }
    if (start < 0) printf("\nERROR: Tauchgang nicht gefunden\n");
}

namespace {

struct Label {
    const char* text;
    int row;  // -1: no field follows
};

// Steps 3 to 20 of the block; the first and last steps carry numbers of their own.
constexpr Label kLabels[] = {
    {"\n----------------------------------------\n", -1},
    {"Tauchcomputer: ", kComputerRow},
    {"  Tauchgangsdauer: ", kDiveTimeRow},
    {"min\nDatum: ", kDateRow},
    {"  Abgetaucht: ", kDescentRow},
    {"h  Aufgetaucht: ", kSurfacingRow},
    {"h\nTemperatur(C): ", kTemperatureRow},
    {"  Max. Tiefe: ", kMaxDepthRow},
    {"m  Durschnittstiefe: ", kAverageDepthRow},
    {"m\nSicherheitsfaktor: ", kSafetyRow},
    {"  Bergmodus: ", kAltitudeRow},
    {"\nMix1(%O2): ", kMix1Row},
    {"  Mix2(%O2): ", kMix2Row},
    {"\nDeko Tauchgang: ", kDecoRow},
    {"\nDeko Stop Verletzung: ", kDecoViolationRow},
    {"\nPO2 Warnung: ", kPo2WarningRow},
    {"\nCNS Warnung: ", kCnsWarningRow},
    {"\nTiefenwarnung: ", kDepthWarningRow},
    {"\nVerletzung der Aufstiegsgeschwindigkeit: ", kAscentWarningRow},
};

}  // namespace

void printDive(const Logbook& lb, const DiveRecord& r) {
    int d = r.number;
    printf("\n\nTauchgang Nr. %d mit Tauchgangsnummer ", d);
    printField(lb, d, kNumberRow);
    for (const Label& label : kLabels) {
        fputs(label.text, stdout);
        if (label.row >= 0) printField(lb, d, label.row);
    }
    printf("\nAufgezeichnete Profildaten: %d (Samplingrate: ", r.sampleCount + 1);
    printField(lb, d, kRateRow);
    printf("s)");
    printf("\n\n");
}
