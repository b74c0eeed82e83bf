// Reading one dive's field of a row as a number, straight from the export's 120-byte rows.
// Every reader takes the export, the dive (from 1) and the row (from 0), in that order; callers
// pass only rows that exist.
#pragma once

#include <string>

#include "import/logbook.h"

// The integer in the field, found from the row's right end; a blank or dash with no digit to
// its left makes it -1.
int getInt(const Logbook& lb, int d, int r);

// The depth in metres, the rightmost digit taken as tenths, plus 0.00001.
double getDepth(const Logbook& lb, int d, int r);

// A sample's depth in metres: a field of digits with at most one decimal point is the number
// it writes ('25' is 25 m, as a spreadsheet saves 25.0; '18.45' is 18.45 m); any other field is
// read by getDepth.
double readDepth(const Logbook& lb, int d, int r);

// readDepth in whole metres, halves up; clamped to INT_MAX.
int readMetres(const Logbook& lb, int d, int r);

// readDepth in tenths of a metre, a part of a tenth counting as a whole one (the deeper side);
// clamped to INT_MAX.
int readTenths(const Logbook& lb, int d, int r);

// hours:minutes as minutes.
int getMinutes(const Logbook& lb, int d, int r);

// For every dive, the profile rows (23 on) in which its field, found from the left, begins
// with a digit, in one pass over the rows: counts[d - 1] for dives 1 to lb.dives. The caller
// provides room for lb.dives counts.
void countAllSamples(const Logbook& lb, int* counts);

// Where dive d's field begins when commas are counted from the row's left end: just after
// the d-th comma (kRowSize when that comma is the last byte), or -1 when there are fewer.
int leftFieldStart(const char* row, int d);

// Dive d's field of row r as the summary prints it, found from the left; empty when the row
// does not exist or has fewer commas.
std::string fieldBytes(const Logbook& lb, int d, int r);

// The same with blanks at either end left out.
std::string fieldText(const Logbook& lb, int d, int r);

// Where every dive's field of row r begins when the row holds exactly lb.dives commas, as the
// rows of a sound export do: then the field found from the left is the one the right-end readers
// find. bounds[d - 1] is the first byte of dive d's field (just after its comma), bounds[lb.dives]
// is kRowSize + 1, so that dive d's field ends before bounds[d] - 1. False, for a row with
// another number of commas. Room for lb.dives + 1 bounds.
bool fieldBounds(const Logbook& lb, int r, int* bounds);

// readTenths and readMetres of one sample at once.
void readSample(const Logbook& lb, int d, int r, int* tenths, int* metres);

// The same of the bytes [begin, end) of row r.
void sampleBetween(const Logbook& lb, int r, int begin, int end, int* tenths, int* metres);
