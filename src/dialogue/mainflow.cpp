// The main flow: banner, loading, dive table, review, output and the final wait.
#include "dialogue/mainflow.h"

#include <cstdio>
#include <cstring>

#include "dialogue/prompts.h"
#include "dialogue/review.h"
#include "export/profile.h"
#include "import/divetable.h"
#include "import/logbook.h"
#include "platform/console.h"

namespace {

constexpr int kMinRows = 17;  // rows 12 to 16 are read for every dive

void printBanner() {
    printf("\n**************************************************************************\n");
    printf("* Konvertierungssoftware von Cressi PC-Logbook nach Visual Decompression *\n");
    printf("*                                                                        *\n");
    printf("* csv2vdp: Logbuch-Export (.csv) zu Tauchprofil (.vdp)  Version 0.6 beta *\n");
    printf("**************************************************************************\n\n");
    printf("Hinweis: Bitte die beiliegende Info.txt lesen.\n\n");
}

// Waits for the user to press Enter, or for the end of redirected input.
int waitAndEnd(int code) {
    consoleDiscard();
    consoleReadChar();
    return code;
}

// An export too short for the rows the dive table reads; needs the table loaded.
bool hasEnoughRows() {
    if (zeilen >= 2 && (zeilen >= kMinRows || countDives() == 0)) return true;
    printf("\nERROR: Die Datei %s.csv hat nur %d Zeilen, es werden mindestens %d benoetigt.\n",
           basisname, zeilen, kMinRows);
    return false;
}

}  // namespace

void clearScreen() {
    consoleClearScreen();
}

void resetRun() {
    memset(basisname, 0, sizeof basisname);
    tabelle = std::vector<Row>();  // released, so that each run allocates its own as at start
    zeilen = 0;
    tauchgaenge = 0;
    tgListe = std::vector<DiveRecord>();
    resetPrompts();
    consoleSetInput(nullptr);
}

int mainFlow() {
    printBanner();
    int loaded = loadLogbook();
    if (loaded == kLoadInputEnded) return reportInputEnded();
    if (loaded != 0 || !hasEnoughRows()) return waitAndEnd(-1);
    tauchgaenge = countDives();
    tgListe.assign(tauchgaenge, DiveRecord{});
    fillDiveTable();
    clearScreen();
    if (tauchgaenge == 1) {
        printf("%d Tauchgang ist in der importierten Datei vorhanden.", tauchgaenge);
    } else {
        printf("%d Tauchgaenge sind in der importierten Datei vorhanden.", tauchgaenge);
    }
    if (!reviewDives()) return reportInputEnded();
    printf("\n\n\n%s%s wird nun erstellt .....\n", basisname, ".vdp");
    WriteResult written = writeProfile();
    if (written == kInputEnded) return reportInputEnded();
    printf("\n\nProgramm mit Tastendruck beenden.");
    return waitAndEnd(written == kNotWritten ? -1 : 0);
}
