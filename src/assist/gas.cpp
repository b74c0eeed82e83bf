// The deco gas's MOD and the suggested switch.
#include "assist/gas.h"

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
