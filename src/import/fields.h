// Reading one dive's field of a row as a number, straight from the 120-byte row buffer.
// Dives count from 1, rows from 0; callers pass only rows that exist.
#pragma once

#include <string>

// The integer in the field; a blank or dash with no digit to its left makes it -1.
int getInt(int d, int r);

// The depth in metres, the rightmost digit taken as tenths, plus 0.00001.
double getDepth(int d, int r);

// getDepth's digits as whole tenths of a metre, without the float sums: for a field of at most
// five digits (9999.9 m) they agree exactly. -1 for a field with more digits.
int getTenths(int d, int r);

// hours:minutes as minutes.
int getMinutes(int d, int r);

// For every dive, the profile rows (23 on) in which its field, found from the left, begins
// with a digit, in one pass over the rows: counts[d - 1] for dives 1 to tauchgaenge. The
// caller provides room for tauchgaenge counts.
void countAllSamples(int* counts);

// Where dive d's field begins when commas are counted from the row's left end: just after
// the d-th comma (kRowSize when that comma is the last byte), or -1 when there are fewer.
int leftFieldStart(const char* row, int d);

// Dive d's field of row r as the summary prints it, found from the left; empty when the row
// does not exist or has fewer commas.
std::string fieldBytes(int r, int d);

// The same with blanks at either end left out.
std::string fieldText(int r, int d);
