// The sample count of one dive, one pass over the rows per dive: the plain reference that the
// program's one-pass count (countAllSamples) is checked and measured against.
#pragma once

#include "import/logbook.h"

// Profile rows (23 on) in which dive d's field, found from the left, begins with a digit.
int countSamples(const Logbook& lb, int d);
