// The deco gas's MOD and the suggested switch.
#include "assist/gas.h"

#include <algorithm>
#include <climits>

#include "import/fields.h"
#include "import/layout.h"

bool gasKnown(int oxygen) {
    return oxygen >= 1 && oxygen <= 100;
}

int gasModTenths(const DiveGas& gas) {
    if (!(gas.o2 > 0)) return INT_MAX;
    return static_cast<int>(std::min(16000 / gas.o2 - 100, 2e9));
}

bool gasWithinMod(const DiveGas& gas, int tenths) {
    return static_cast<double>(tenths) * gas.o2 <= 16000 - 100 * gas.o2;
}

int modTenths(int oxygen) {
    return gasModTenths({static_cast<double>(oxygen), 0});
}

// tenths / 10 <= 1600 / oxygen - 10, multiplied out so that no rounding can decide.
bool withinMod(int tenths, int oxygen) {
    return gasWithinMod({static_cast<double>(oxygen), 0}, tenths);
}

int sampleTenths(const Logbook& lb, const DiveRecord& r, int s) {
    return readTenths(lb, r.number, kFirstSampleRow + s);
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
