// Loading the export into its rows, and counting its dives.
#include "import/logbook.h"

#include <climits>
#include <cstdio>
#include <new>
#include <string>

#include "platform/textfile.h"

namespace {

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
bool readRows(TextIn* in, const char* dateiname, int zeilen, std::vector<Row>* tabelle) {
    try {
        tabelle->assign(zeilen, Row{});
    } catch (const std::bad_alloc&) {
        *tabelle = std::vector<Row>();
        printf("\nERROR: Die Datei %s ist zu gross, es fehlt Arbeitsspeicher.\n", dateiname);
        return false;
    }
    bool read = textRewind(in);
    for (int i = 0; read && i < zeilen; i++)
        read = textReadRow(in, (*tabelle)[i].data()) >= 0;
    // A file that changed between the passes is as unusable as one that could not be read.
    if (read && textSameAsFirstPass(in)) return true;
    printf("\nFehler beim Lesen der Datei %s\n", dateiname);
    return false;
}

}  // namespace

FileNames namesFromBase(const std::string& base) {
    return FileNames{base + ".csv", base + ".csv", base + ".vdp", base + ".vdp"};
}

int loadLogbook(const FileNames& names, Logbook* out) {
    out->names = names;
    out->dives = 0;
    const char* dateiname = names.exportShown.c_str();
    TextIn* in = textOpenRead(names.exportPath.c_str());
    if (!in) {
        printf("\nFehler beim Oeffnen der Datei %s\n", dateiname);
        return kLoadFailed;
    }
    int zeilen = countRows(in, dateiname);
    bool loaded = zeilen >= 0 && readRows(in, dateiname, zeilen, &out->rows);
    if (loaded) printf("\nDatei %s wurde geladen\n", dateiname);
    if (!textClose(in) && loaded) {
        printf("Datei %s konnte nicht geschlossen werden", dateiname);
    }
    return loaded ? 0 : kLoadFailed;
}

int rowCount(const Logbook& logbook) {
    // The loader refuses more rows than an int counts.
    return static_cast<int>(logbook.rows.size());
}

int rowCommas(const Logbook& logbook, int r) {
    int commas = 0;
    for (char c : logbook.rows[r])
        commas += c == ',';
    return commas;
}

int countDives(const Logbook& logbook) {
    return rowCommas(logbook, kNumberRow);
}
