// Loading the export into the line table, and counting its dives.
#include "import/logbook.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "platform/console.h"
#include "platform/textfile.h"

char basisname[kMaxBaseName + 1];
std::vector<Row> tabelle;
int zeilen = 0;
int tauchgaenge = 0;
RunFiles dateien;

namespace {

constexpr int kLongestLine = kRowSize - 2;  // characters before the line end

// Asks until a name of at most 30 characters arrives; false when the input ends.
bool askBaseName() {
    for (;;) {
        printf("Bitte den Dateinamen ohne Erweiterung %s angeben: ", ".csv");
        std::string word;
        if (!consoleReadWord(&word)) return false;
        if (word.size() <= static_cast<size_t>(kMaxBaseName)) {
            memset(basisname, 0, sizeof basisname);
            memcpy(basisname, word.data(), word.size());
            return true;
        }
        printf("\nERROR: Der Dateiname darf hoechstens %d Zeichen lang sein.\n", kMaxBaseName);
        consoleDiscard();
    }
}

// First pass: counts the rows and refuses a line that would be split into several rows,
// since that would shift every later row number. Returns the count, or -1 after a message.
int countRows(TextIn* in, const char* dateiname) {
    char zeile[kRowSize];
    int rows = 0;
    int lineNumber = 1;
    bool cut = false;  // the last read stopped on the length, not on a line end
    int n;
    while ((n = textReadRow(in, zeile)) > 0) {
        if (cut) {
            printf("\nERROR: Zeile %d der Datei %s ist laenger als %d Zeichen.\n", lineNumber,
                   dateiname, kLongestLine);
            return -1;
        }
        if (rows == INT_MAX) {
            printf("\nERROR: Die Datei %s hat zu viele Zeilen.\n", dateiname);
            return -1;
        }
        rows++;
        cut = zeile[n - 1] != '\n' && n == kRowSize - 1;
        if (zeile[n - 1] == '\n') lineNumber++;
    }
    if (n < 0) {
        printf("\nFehler beim Lesen der Datei %s\n", dateiname);
        return -1;
    }
    return rows;
}

// Second pass: one zero-filled row per read, in file order. Each row costs 120 bytes, so a
// file of short lines can need far more memory than its size.
bool readRows(TextIn* in, const char* dateiname) {
    try {
        tabelle.assign(zeilen, Row{});
    } catch (const std::bad_alloc&) {
        tabelle = std::vector<Row>();
        zeilen = 0;
        printf("\nERROR: Die Datei %s ist zu gross, es fehlt Arbeitsspeicher.\n", dateiname);
        return false;
    }
    bool read = textRewind(in);
    for (int i = 0; read && i < zeilen; i++)
        read = textReadRow(in, tabelle[i].data()) >= 0;
    // A file that changed between the passes is as unusable as one that could not be read.
    if (read && textSameAsFirstPass(in)) return true;
    printf("\nFehler beim Lesen der Datei %s\n", dateiname);
    return false;
}

}  // namespace

void namesFromBasisname() {
    dateien.exportPath = dateien.exportShown = std::string(basisname) + ".csv";
    dateien.profilePath = dateien.profileShown = std::string(basisname) + ".vdp";
}

int loadLogbook() {
    if (!askBaseName()) return kLoadInputEnded;
    namesFromBasisname();
    return loadExportFile();
}

int loadExportFile() {
    const char* dateiname = dateien.exportShown.c_str();
    TextIn* in = textOpenRead(dateien.exportPath.c_str());
    if (!in) {
        printf("\nFehler beim Oeffnen der Datei %s\n", dateiname);
        return kLoadFailed;
    }
    int rows = countRows(in, dateiname);
    bool loaded = rows >= 0;
    if (loaded) {
        zeilen = rows;
        loaded = readRows(in, dateiname);
    }
    if (loaded) printf("\nDatei %s wurde geladen\n", dateiname);
    if (!textClose(in) && loaded) {
        printf("Datei %s konnte nicht geschlossen werden", dateiname);
    }
    return loaded ? 0 : kLoadFailed;
}

int rowCommas(int r) {
    int commas = 0;
    for (char c : tabelle[r])
        commas += c == ',';
    return commas;
}

int countDives() {
    return rowCommas(1);
}
