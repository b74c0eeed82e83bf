// The single pass over a dive's samples.
#include "assist/scan.h"

#include <algorithm>

#include "assist/gas.h"
#include "assist/minutes.h"
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

namespace {

// One dive's scan as its samples come in, in order.
struct Scanning {
    DiveScan scan;
    long long last;  // the dive's last sample
    int deepestDepth = -1;
    int afterDepth = -1;
    // The column moves on where pictureColumn would say so; no division per sample.
    int column = 0;
    long long nextColumnAt;
    long long lastRead;  // the last sample a profile minute reads
};

Scanning startScan(const DiveRecord& r) {
    Scanning g;
    g.scan.deepest = g.scan.suggested = g.scan.deepestAfter = g.scan.deepestTenths = -1;
    g.scan.deepestMinute = 0;
    g.lastRead = lastSampleRead(r.sampleRate, r.sampleCount);
    g.scan.columns.assign(kPictureColumns, -1);
    g.last = static_cast<long long>(r.sampleCount) - 1;
    g.nextColumnAt = g.last > 0 ? firstSampleOf(1, g.last) : 0;
    return g;
}

void takeSample(Scanning* g, const DiveRecord& r, int s, int tenths, int metres) {
    g->scan.deepestTenths = std::max(g->scan.deepestTenths, tenths);
    if (s <= g->lastRead) g->scan.deepestMinute = std::max(g->scan.deepestMinute, metres);
    if (g->last > 0) {
        for (; s >= g->nextColumnAt; g->nextColumnAt = firstSampleOf(g->column + 1, g->last))
            g->column++;
        g->scan.columns[g->column] = std::max(g->scan.columns[g->column], tenths);
    }
    followSwitch(&g->scan, &g->deepestDepth, &g->afterDepth, s, tenths, r.mix2);
}

}  // namespace

DiveScan scanDive(const Logbook& lb, const DiveRecord& r) {
    Scanning g = startScan(r);
    for (int s = 0; s < r.sampleCount; s++) {
        int tenths, metres;
        readSample(lb, r.number, kFirstSampleRow + s, &tenths, &metres);
        takeSample(&g, r, s, tenths, metres);
    }
    return g.scan;
}

std::vector<DiveScan> scanDives(const Logbook& lb, const std::vector<DiveRecord>& dives) {
    std::vector<Scanning> scans;
    int rows = 0;
    for (const DiveRecord& r : dives) {
        scans.push_back(startScan(r));
        rows = std::max(rows, r.sampleCount);
    }
    std::vector<int> bounds(static_cast<size_t>(lb.dives) + 1);
    for (int s = 0; s < rows && kFirstSampleRow + s < rowCount(lb); s++) {
        int row = kFirstSampleRow + s;
        // One walk over the row finds every dive's field where the row has a field per dive.
        bool regular = fieldBounds(lb, row, bounds.data());
        for (size_t i = 0; i < dives.size(); i++) {
            const DiveRecord& r = dives[i];
            if (s >= r.sampleCount) continue;
            int tenths, metres;
            if (regular) {
                sampleBetween(lb, row, bounds[r.number - 1], bounds[r.number] - 1, &tenths,
                              &metres);
            } else {
                readSample(lb, r.number, row, &tenths, &metres);
            }
            takeSample(&scans[i], r, s, tenths, metres);
        }
    }
    std::vector<DiveScan> out;
    for (Scanning& g : scans)
        out.push_back(std::move(g.scan));
    return out;
}
