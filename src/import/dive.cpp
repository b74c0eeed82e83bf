// Building the one dive model from an export's column or a log's dive.
#include "import/dive.h"

#include <algorithm>
#include <cmath>

#include "import/fields.h"

long long diveSampleCount(const Dive& dive) {
    if (dive.format == kExportDive) return dive.sampleCount;
    return static_cast<long long>(dive.samples.size());
}

DiveSample diveSample(const Dive& dive, long long k) {
    if (dive.format == kLogDive) return dive.samples[static_cast<size_t>(k)];
    int row = kFirstSampleRow + static_cast<int>(k);
    return {static_cast<double>(k) * dive.rate, readDepth(*dive.rows, dive.number, row)};
}

Dive exportDive(const Logbook& lb, const DiveRecord& r) {
    Dive dive;
    dive.format = kExportDive;
    dive.number = r.number;
    dive.rows = &lb;
    dive.sampleCount = r.sampleCount > 0 ? r.sampleCount : 0;
    dive.rate = r.sampleRate > 0 ? r.sampleRate : kFallbackRate;
    dive.gases.push_back({static_cast<double>(r.mix1), 0});
    if (r.mix2 != -1 && r.switchSample >= 0) {
        dive.gases.push_back({static_cast<double>(r.mix2), 0});
        dive.switches.push_back({static_cast<double>(r.switchSample) * dive.rate, 1});
    }
    dive.intervalAfter = r.surfaceInterval;
    return dive;
}

std::vector<Dive> exportDives(const Logbook& lb, const std::vector<DiveRecord>& records) {
    std::vector<Dive> dives;
    dives.reserve(records.size());
    for (const DiveRecord& r : records)
        dives.push_back(exportDive(lb, r));
    return dives;
}

Dive logDive(const LogDive& from, int number) {
    Dive dive;
    dive.format = kLogDive;
    dive.number = number;
    dive.samples.reserve(from.samples.size());
    for (const LogSample& s : from.samples)
        dive.samples.push_back({s.seconds, s.depth});
    auto earlier = [](const DiveSample& a, const DiveSample& b) { return a.seconds < b.seconds; };
    // Most files are in order; only the rest pay for the sort.
    if (!std::is_sorted(dive.samples.begin(), dive.samples.end(), earlier)) {
        std::stable_sort(dive.samples.begin(), dive.samples.end(), earlier);
    }
    for (const LogGas& g : from.gases)
        dive.gases.push_back({g.o2, g.he});
    if (dive.gases.empty()) dive.gases.push_back({kAirOxygen, 0});
    dive.firstGas = from.firstGas;
    for (const LogSwitch& w : from.switches) {
        // A switch at no finite time cannot be placed in any minute.
        if (std::isfinite(w.seconds)) dive.switches.push_back({w.seconds, w.gas});
    }
    auto sooner = [](const DiveSwitch& a, const DiveSwitch& b) { return a.seconds < b.seconds; };
    std::stable_sort(dive.switches.begin(), dive.switches.end(), sooner);
    dive.startMinute = from.startMinute;
    dive.utcOffset = from.utcOffset;
    dive.loggedSeconds = from.durationSeconds;
    dive.loggedDepth = from.greatestDepth;
    return dive;
}

DiveMinute gasColumns(const DiveGas& gas) {
    DiveMinute m{0, 0, 0};
    m.helium = roundHalfUp(gas.he, 100);
    if (m.helium == 0 && std::fabs(gas.o2 - kAirOxygen) <= 0.15) {
        m.nitrogen = kAirNitrogen;
    } else {
        m.nitrogen = roundHalfUp(100 - gas.o2 - gas.he, 100);
    }
    return m;
}

DiveGas diveGas(const Dive& dive, int index) {
    if (index < 0 || static_cast<size_t>(index) >= dive.gases.size()) return {kAirOxygen, 0};
    return dive.gases[static_cast<size_t>(index)];
}
