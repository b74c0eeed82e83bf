// The main flow: banner, loading, dive table, review, output and the final wait.
#include "dialogue/mainflow.h"

#include <cstdio>
#include <cstring>

#include "assist/names.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/review.h"
#include "export/profile.h"
#include "import/divetable.h"
#include "import/logbook.h"
#include "platform/console.h"
#include "test_seams.h"

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

// Exports without dives are refused in the assisted modes: a profile of nothing would only
// replace a good one. The usual cause is a spreadsheet that saved it again with semicolons.
bool exportHasDives() {
    if (tauchgaenge > 0) return true;
    printf(
        "\nERROR: Die Datei %s enthaelt keine Tauchgaenge.\n"
        "Sie wurde wohl mit einer Tabellenkalkulation neu gespeichert (Semikolons\n"
        "statt Kommas). Bitte erneut aus dem Logbuch-Programm exportieren.\n",
        dateien.exportShown.c_str());
    return false;
}

// An export too short for the rows the dive table reads; needs the table loaded.
bool hasEnoughRows() {
    if (zeilen >= 2 && (zeilen >= kMinRows || countDives() == 0)) return true;
    printf("\nERROR: Die Datei %s hat nur %d Zeilen, es werden mindestens %d benoetigt.\n",
           dateien.exportShown.c_str(), zeilen, kMinRows);
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
    dateien = RunFiles();
    runMode = kClassic;
    resetPrompts();
    consoleSetInput(nullptr);
}

namespace {

// How one export's conversion ended.
enum Outcome {
    kConverted,  // written, or the user kept the earlier profile
    kNotUsable,  // the export could not be used; its message is out
    kFailed,     // the profile could not be written
    kGone,       // the console input ended
};

// The refusals after loading, then the dive table; false once a refusal is printed.
bool fillUsableTable() {
    if (!hasEnoughRows()) return false;
    tauchgaenge = countDives();
    if (runMode != kClassic && !exportHasDives()) return false;
    tgListe.assign(tauchgaenge, DiveRecord{});
    fillDiveTable();
    return true;
}

// Everything after the dive table, up to and including the output stage.
Outcome convertTable(bool clear, const std::vector<GivenSwitch>& switches) {
    if (clear) clearScreen();
    if (tauchgaenge == 1) {
        printf("%d Tauchgang ist in der importierten Datei vorhanden.", tauchgaenge);
    } else {
        printf("%d Tauchgaenge sind in der importierten Datei vorhanden.", tauchgaenge);
    }
    if (!reviewDives(switches)) return kGone;
    printf("\n\n\n%s wird nun erstellt .....\n", dateien.profileShown.c_str());
    WriteResult written = writeProfile();
    if (written == kInputEnded) return kGone;
    return written == kNotWritten ? kFailed : kConverted;
}

}  // namespace

RunMode runMode = kClassic;

bool useExport() {
    return loadExportFile() == 0 && fillUsableTable();
}

int mainFlow() {
    runMode = kClassic;
    printBanner();
    int loaded = loadLogbook();
    if (loaded == kLoadInputEnded) return reportInputEnded();
    Outcome outcome = loaded == 0 && fillUsableTable() ? convertTable(true, {}) : kNotUsable;
    if (outcome == kGone) return reportInputEnded();
    if (outcome == kNotUsable) return waitAndEnd(-1);
    printf("\n\nProgramm mit Tastendruck beenden.");
    return waitAndEnd(outcome == kFailed ? -1 : 0);
}

int exportsFlow(const std::vector<std::string>& exports, RunMode mode,
                const std::vector<GivenSwitch>& switches) {
    runMode = mode;
    printBanner();
    bool allConverted = true;
    bool reachedOutput = false;
    bool first = true;
    std::vector<RunFiles> written;  // unattended: no export may replace a profile of this run
    for (const std::string& given : exports) {
        namesFromArgument(given);
        bool usable = useExport() && (mode != kUnattended || !refuseUnattended(written, switches));
        // Only the first clearing: a later one would wipe what the earlier exports reported.
        Outcome outcome = usable ? convertTable(first, switches) : kNotUsable;
        first = false;
        if (outcome == kGone) return reportInputEnded();
        if (outcome != kConverted) allConverted = false;
        if (outcome != kNotUsable) reachedOutput = true;
        if (outcome == kConverted) written.push_back(dateien);
    }
    int code = allConverted ? 0 : -1;
    if (mode == kUnattended) {
        printf("\n");  // no closing line follows; a shell prompt must not join the last one
        return code;
    }
    // As after a single export: the closing line once the output stage was reached.
    if (reachedOutput) printf("\n\nProgramm mit Tastendruck beenden.");
    return waitAndEnd(code);
}
