// The dive summary: labels and the export's fields, character by character.
#include "dialogue/summary.h"

#include <cstdio>

#include "import/divetable.h"
#include "import/fields.h"
#include "import/logbook.h"

void printField(int r, int d) {
    int start = -1;
    if (r >= zeilen) {
        printf("\nERROR: zeile>=zeilen\n");
    } else {
        const char* row = tabelle[r].data();
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
const Label kLabels[] = {
    {"\n----------------------------------------\n", -1},
    {"Tauchcomputer: ", 0},
    {"  Tauchgangsdauer: ", 9},
    {"min\nDatum: ", 2},
    {"  Abgetaucht: ", 10},
    {"h  Aufgetaucht: ", 11},
    {"h\nTemperatur(C): ", 8},
    {"  Max. Tiefe: ", 6},
    {"m  Durschnittstiefe: ", 7},
    {"m\nSicherheitsfaktor: ", 13},
    {"  Bergmodus: ", 3},
    {"\nMix1(%O2): ", 15},
    {"  Mix2(%O2): ", 16},
    {"\nDeko Tauchgang: ", 17},
    {"\nDeko Stop Verletzung: ", 18},
    {"\nPO2 Warnung: ", 19},
    {"\nCNS Warnung: ", 20},
    {"\nTiefenwarnung: ", 21},
    {"\nVerletzung der Aufstiegsgeschwindigkeit: ", 22},
};

}  // namespace

void printDive(int d) {
    printf("\n\nTauchgang Nr. %d mit Tauchgangsnummer ", d);
    printField(1, d);
    for (const Label& label : kLabels) {
        fputs(label.text, stdout);
        if (label.row >= 0) printField(label.row, d);
    }
    printf("\nAufgezeichnete Profildaten: %d (Samplingrate: ", tgListe[d - 1].sampleCount + 1);
    printField(14, d);
    printf("s)");
    printf("\n\n");
}
