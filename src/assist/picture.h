// A dive's depth profile drawn in plain ASCII for the console.
#pragma once

#include <string>
#include <vector>

#include "assist/scan.h"
#include "import/divetable.h"

// At most 12 lines of at most 72 characters: depth downward from 0 m, minutes along the
// bottom, '*' for the dive (the deepest sample of each column, from the dive's scan), the MOD
// of mix2 as a line of '-' and the sample `mark` as 'W' (-1: none). Empty when the dive has
// fewer than two samples or no sampling rate.
std::vector<std::string> divePicture(const Logbook& lb, const DiveRecord& r, const DiveScan& scan,
                                     int mark);
