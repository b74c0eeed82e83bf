// Filling the dive table from the export's rows.
#include "import/divetable.h"

#include "import/fields.h"
#include "import/numbers.h"

std::vector<DiveRecord> fillDiveTable(const Logbook& lb) {
    // One pass over the profile rows for all dives, not one per dive.
    std::vector<int> counts(lb.dives > 0 ? lb.dives : 0);
    countAllSamples(lb, counts.data());
    std::vector<DiveRecord> dives(counts.size());
    for (int d = 1; d <= lb.dives; d++) {
        DiveRecord& r = dives[d - 1];
        r.mix1 = getInt(lb, d, kMix1Row);
        r.mix2 = getInt(lb, d, kMix2Row);
        r.switchSample = -1;
        r.surfaceInterval = getMinutes(lb, d, kIntervalRow);
        r.sampleRate = rateUsable(lb, d) ? getInt(lb, d, kRateRow) : kFallbackRate;
        r.sampleCount = counts[d - 1];
        r.number = d;
    }
    return dives;
}

bool rateUsable(const Logbook& lb, int d) {
    return allDigits(fieldBytes(lb, d, kRateRow)) && getInt(lb, d, kRateRow) > 0;
}

