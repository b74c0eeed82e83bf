// The labelled summary of one dive, printed as the export has it.
#pragma once

#include "import/divetable.h"
#include "import/logbook.h"

// Prints dive d's field of row r, found from the row's left end, without its line end.
void printField(const Logbook& lb, int d, int r);

// Prints the whole summary block of dive r.
void printDive(const Logbook& lb, const DiveRecord& r);
