// Rounding, digits and the calendar, each in one place.
#include "import/numbers.h"

int roundHalfUp(double value, int most) {
    double r = value + 0.5;
    if (!(r >= 0.0)) return 0;
    if (r >= static_cast<double>(most)) return most;
    return static_cast<int>(r);
}

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}
