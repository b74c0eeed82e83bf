// The loaded export: the whole file in fixed 120-byte rows, its file names and its dive count.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "import/layout.h"

using Row = std::array<char, kRowSize>;

// The export and the profile of one conversion: the names the file functions take, and the
// names messages show (they differ only where the console shows another code page).
struct FileNames {
    std::string exportPath;
    std::string exportShown;
    std::string profilePath;
    std::string profileShown;
};

// One export as loaded: each line of the file in a zero-filled row of 120 bytes (at most 119
// bytes of text with its line end), in file order, and the number of dives once counted.
struct Logbook {
    std::vector<Row> rows;
    int dives = 0;
    FileNames names;
};

// The names that follow from a base name as typed: "<base>.csv" and "<base>.vdp".
FileNames namesFromBase(const std::string& base);

constexpr int kLoadFailed = -1;

// Loads the export named in `names` into *out (rows and names; dives stays 0) and prints
// "Datei ... wurde geladen". Returns 0, or kLoadFailed after printing why: it cannot be opened
// or read, changed while it was read, has a line too long for a row, or does not fit memory.
int loadLogbook(const FileNames& names, Logbook* out);

// The number of rows, as the readers count them.
int rowCount(const Logbook& logbook);

// The number of commas among the 120 bytes of row r (which must exist).
int rowCommas(const Logbook& logbook, int r);

// The number of commas in row 1, the dive count; needs at least two rows.
int countDives(const Logbook& logbook);
