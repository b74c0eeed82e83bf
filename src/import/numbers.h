// Numbers as every reader takes them: whole metres and percents rounded, digits read with a
// bound, days of the calendar.
#pragma once

// Halves up, clamped to 0 .. most: defined for any double, NaN (0) included. Inline: the writer
// rounds every minute's depth.
inline int roundHalfUp(double value, int most) {
    double r = value + 0.5;
    if (!(r >= 0.0)) return 0;
    if (r >= static_cast<double>(most)) return most;
    return static_cast<int>(r);
}

#include <string>

// Decimal digits and nothing else, at least one.
bool allDigits(const std::string& text);

// Decimal digits with at most one point among them, at least one digit: "25", "18.4", ".5".
bool decimalText(const std::string& text);

#include <cstddef>

// Reads the decimal digits at s[0 .. n), at most `most` of them, into *value, which stops
// growing at `bound`; returns how many it read (0: none, *value is then 0).
size_t readDigits(const char* s, size_t n, size_t most, long long bound, long long* value);

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long daysFromCivil(long year, long month, long day);

// The days of a month (1 to 12) in that year.
int daysInMonth(long year, long month);
