// The labelled summary of one dive, printed as the export has it.
#pragma once

// Prints dive d's field of row r, found from the row's left end, without its line end.
void printField(int r, int d);

// Prints the whole summary block of dive d.
void printDive(int d);
