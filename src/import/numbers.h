// Numbers as every reader takes them: whole metres and percents rounded, digits read with a
// bound, days of the calendar.
#pragma once

// Halves up, clamped to 0 .. most: defined for any double, NaN (0) included.
int roundHalfUp(double value, int most);

#include <string>

// Decimal digits and nothing else, at least one.
bool allDigits(const std::string& text);
