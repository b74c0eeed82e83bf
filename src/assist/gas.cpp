// The deco gas's MOD and the suggested switch.
#include "assist/gas.h"

#include <climits>

#include "import/fields.h"
#include "import/layout.h"

bool gasKnown(int oxygen) {
    return oxygen >= 1 && oxygen <= 100;
}

int modTenths(int oxygen) {
    return 16000 / oxygen - 100;
}

// tenths / 10 <= 1600 / oxygen - 10, multiplied out so that no rounding can decide.
bool withinMod(int tenths, int oxygen) {
    return static_cast<long long>(tenths) * oxygen <= 16000LL - 100LL * oxygen;
}

int sampleTenths(const Logbook& lb, const DiveRecord& r, int s) {
    int plain = getTenths(lb, r.number, kFirstSampleRow + s);
    if (plain >= 0) return plain;
    // getDepth adds 0.00001 to keep halves rounding up; tenths are whole after that.
    double tenths = (sampleDepth(lb, r, s) - 0.00001) * 10.0 + 0.5;
    if (!(tenths >= 0.0)) return 0;
    if (tenths >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(tenths);
}

int deepestSample(const Logbook& lb, const DiveRecord& r, int from) {
    int deepest = -1;
    int depth = -1;
    for (int s = from < 0 ? 0 : from; s < r.sampleCount; s++) {
        int here = sampleTenths(lb, r, s);
        if (here > depth) {
            deepest = s;
            depth = here;
        }
    }
    return deepest;
}

std::string metresText(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}
