// The single pass over a dive's samples.
#include "assist/scan.h"

#include <algorithm>

#include "assist/gas.h"
#include "import/fields.h"

namespace {

// Sample s as deepestSample(d, r, 1), suggestedSwitch and deepestSample(d, r, suggested)
// would see it, taken in order: a new deepest point starts the search for the switch anew.
void followSwitch(DiveScan* scan, int* deepestDepth, int* afterDepth, int s, int tenths, int mix2) {
    if (s < 1) return;
    if (tenths > *deepestDepth) {
        scan->deepest = s;
        *deepestDepth = tenths;
        scan->suggested = scan->deepestAfter = -1;
    } else if (scan->suggested < 0) {
        if (!gasKnown(mix2) || !withinMod(tenths, mix2)) return;
        scan->suggested = scan->deepestAfter = s;
        *afterDepth = tenths;
    } else if (tenths > *afterDepth) {
        scan->deepestAfter = s;
        *afterDepth = tenths;
    }
}

// The first sample in picture column c: the least s with s * (kPictureColumns - 1) / last >= c;
// past the last sample for the column after the last.
long long firstSampleOf(int c, long long last) {
    return (c * last + kPictureColumns - 2) / (kPictureColumns - 1);
}

}  // namespace

int pictureColumn(long long s, long long last) {
    return static_cast<int>(s * (kPictureColumns - 1) / last);
}

int suggestedSwitch(const Logbook& lb, const DiveRecord& r) {
    return scanDive(lb, r).suggested;
}

DiveScan scanDive(const Logbook& lb, const DiveRecord& r) {
    DiveScan scan;
    scan.deepest = scan.suggested = scan.deepestAfter = scan.deepestTenths = -1;
    scan.columns.assign(kPictureColumns, -1);
    long long last = static_cast<long long>(r.sampleCount) - 1;
    int deepestDepth = -1;
    int afterDepth = -1;
    // The column moves on where pictureColumn would say so; no division per sample.
    int column = 0;
    long long nextColumnAt = last > 0 ? firstSampleOf(1, last) : 0;
    for (int s = 0; s < r.sampleCount; s++) {
        // The plain reader first: the long way only for fields of more than five digits.
        int tenths = getTenths(lb, r.number, kFirstSampleRow + s);
        if (tenths < 0) tenths = sampleTenths(lb, r, s);
        scan.deepestTenths = std::max(scan.deepestTenths, tenths);
        if (last > 0) {
            for (; s >= nextColumnAt; nextColumnAt = firstSampleOf(column + 1, last))
                column++;
            scan.columns[column] = std::max(scan.columns[column], tenths);
        }
        followSwitch(&scan, &deepestDepth, &afterDepth, s, tenths, r.mix2);
    }
    return scan;
}
