// The line table: the whole export loaded into fixed 120-byte rows, and the dive count.
#pragma once

#include <array>
#include <vector>

constexpr int kRowSize = 120;
constexpr int kMaxBaseName = 30;  // base name plus ".csv" or ".vdp" must fit 35 bytes

using Row = std::array<char, kRowSize>;

extern char basisname[kMaxBaseName + 1];
extern std::vector<Row> tabelle;
extern int zeilen;
extern int tauchgaenge;

// loadLogbook's results besides 0: the run ends after the wait, or at once.
constexpr int kLoadFailed = -1;
constexpr int kLoadInputEnded = -2;

// Asks for the base name and loads "<name>.csv". Returns 0, kLoadFailed (cannot be opened or
// read, or a line too long for a row) or kLoadInputEnded (the console input ended).
int loadLogbook();

// The number of commas in row 1; needs zeilen >= 2.
int countDives();
