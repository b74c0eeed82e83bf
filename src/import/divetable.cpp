// Filling the dive table from the line table.
#include "import/divetable.h"

#include "import/fields.h"
#include "import/logbook.h"

std::vector<DiveRecord> tgListe;

namespace {
constexpr int kIntervalRow = 12;
constexpr int kRateRow = 14;
constexpr int kMix1Row = 15;
constexpr int kMix2Row = 16;
}  // namespace

void fillDiveTable() {
    // One pass over the profile rows for all dives, not one per dive.
    std::vector<int> counts(tauchgaenge > 0 ? tauchgaenge : 0);
    countAllSamples(counts.data());
    for (int d = 1; d <= tauchgaenge; d++) {
        DiveRecord& r = tgListe[d - 1];
        r.mix1 = getInt(d, kMix1Row);
        r.mix2 = getInt(d, kMix2Row);
        r.switchSample = -1;
        r.surfaceInterval = getMinutes(d, kIntervalRow);
        r.sampleRate = getInt(d, kRateRow);
        r.sampleCount = counts[d - 1];
    }
}
