// The line table: the whole export loaded into fixed 120-byte rows, and the dive count.
#pragma once

#include <array>
#include <string>
#include <vector>

constexpr int kRowSize = 120;
constexpr int kMaxBaseName = 30;  // base name plus ".csv" or ".vdp" must fit 35 bytes

using Row = std::array<char, kRowSize>;

extern char basisname[kMaxBaseName + 1];
extern std::vector<Row> tabelle;
extern int zeilen;
extern int tauchgaenge;

// The export and the profile of the current run: the names the file functions take, and the
// names messages show (they differ only where the console shows another code page).
struct RunFiles {
    std::string exportPath;
    std::string exportShown;
    std::string profilePath;
    std::string profileShown;
};
extern RunFiles dateien;

// The names that follow from the base name as typed: "<basisname>.csv" and "<basisname>.vdp".
void namesFromBasisname();

// loadLogbook's results besides 0: the run ends after the wait, or at once.
constexpr int kLoadFailed = -1;
constexpr int kLoadInputEnded = -2;

// Asks for the base name and loads "<name>.csv". Returns 0, kLoadFailed (cannot be opened or
// read, or a line too long for a row) or kLoadInputEnded (the console input ended).
int loadLogbook();

// Loads the export named in `dateien`: 0 or kLoadFailed, as loadLogbook.
int loadExportFile();

// The number of commas in row 1; needs zeilen >= 2.
int countDives();

// The number of commas among the 120 bytes of row r.
int rowCommas(int r);
