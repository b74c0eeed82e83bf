// The check rules, each a question about one dive.
#include "assist/checks.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/logintervals.h"
#include "assist/minutes.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "import/dive.h"
#include "import/fields.h"
#include "import/layout.h"
#include "import/logbook.h"
#include "import/numbers.h"
#include "program.h"

namespace {
constexpr long long kToleratedSeconds = 120;
constexpr long long kMaxDepthTolerance = 30;  // tenths: 3 m

// A log's depth in tenths, a part of a tenth counting as a whole one.
int clampToTenths(double metres) {
    double tenths = std::ceil(metres * 10 - 1e-9);
    if (!(tenths > 0)) return 0;
    return tenths >= INT_MAX ? INT_MAX : static_cast<int>(tenths);
}
}  // namespace

NumberField numberField(const Logbook& lb, int d, int row) {
    std::string text = fieldBytes(lb, d, row);
    if (text.empty()) return kFieldEmpty;
    if (text == "-") return kFieldDash;
    return allDigits(text) ? kFieldPlain : kFieldNotPlain;
}

MixField mixField(const Logbook& lb, int d, int row, int value) {
    switch (numberField(lb, d, row)) {
        case kFieldDash:
            return kMixNotGiven;
        case kFieldEmpty:
            return kMixEmpty;
        case kFieldNotPlain:
            return kMixNotPlain;
        default:
            return gasKnown(value) ? kMixUsable : kMixOutOfRange;
    }
}

namespace {

// A row that holds nothing but line-end bytes or zeros.
bool blankRow(const Logbook& lb, int r) {
    for (char c : lb.rows[r]) {
        if (c != '\0' && c != '\n' && c != '\r') return false;
    }
    return true;
}

}  // namespace

std::vector<RowRun> raggedRuns(const Logbook& lb) {
    std::vector<RowRun> runs;
    int end = rowCount(lb);
    while (end > 2 && blankRow(lb, end - 1))
        end--;
    for (int r = 0; r < end; r++) {
        int commas = rowCommas(lb, r);
        if (commas == lb.dives) continue;
        if (!runs.empty() && runs.back().last == r - 1 && runs.back().commas == commas) {
            runs.back().last = r;
        } else {
            runs.push_back({r, r, commas});
        }
    }
    return runs;
}

long long disagreeingInterval(const Logbook& lb, const DiveRecord& r) {
    long long logged = loggedInterval(lb, r.number);
    return logged >= 0 && intervalsDisagree(logged, r.surfaceInterval) ? logged : -1;
}

int intervalToWrite(const Logbook& lb, const DiveRecord& r) {
    long long logged = disagreeingInterval(lb, r);
    return logged >= 0 && logged < r.surfaceInterval ? static_cast<int>(logged) : r.surfaceInterval;
}

long long recordedSeconds(const DiveRecord& r) {
    return static_cast<long long>(r.sampleCount) * r.sampleRate;
}

bool recordingDisagrees(const Logbook& lb, const DiveRecord& r) {
    long long off = recordedSeconds(r) - 60LL * getInt(lb, r.number, kDiveTimeRow);
    return off > kToleratedSeconds || off < -kToleratedSeconds;
}

bool tooFewSamples(const DiveRecord& r) {
    return r.sampleCount < 2;
}

bool mix2NotRicher(const DiveRecord& r) {
    int first = gasKnown(r.mix1) ? r.mix1 : kAirOxygen;
    return gasKnown(r.mix2) && r.mix2 <= first;
}

bool mix1BeyondMod(const DiveRecord& r, int deepestTenths) {
    return gasKnown(r.mix1) && deepestTenths >= 0 && !withinMod(deepestTenths, r.mix1);
}

long long profileLines(const Logbook& lb, const DiveRecord& r, bool last, long long interval) {
    long long lines = minuteCount(exportDive(lb, r)) + 1;
    if (!last && interval > 0) lines += interval;
    return lines;
}

int diveReachingLimit(const Logbook& lb, const std::vector<DiveRecord>& dives, long long* lines) {
    *lines = 0;
    for (const DiveRecord& r : dives) {
        bool last = r.number == static_cast<int>(dives.size());
        *lines += profileLines(lb, r, last, last ? 0 : intervalToWrite(lb, r));
        if (profileTooLong(*lines)) return r.number;
    }
    return 0;
}

SwitchProblem givenSwitchProblem(const std::vector<DiveRecord>& dives, const GivenSwitch& given) {
    if (given.dive < 1 || given.dive > static_cast<int>(dives.size())) return kSwitchNoSuchDive;
    const DiveRecord& r = dives[given.dive - 1];
    if (!gasKnown(r.mix2)) return kSwitchOneGas;
    if (given.seconds != kNoSwitchGiven && typedSwitchSample(given.seconds, r) < 0) {
        return kSwitchAfterDive;
    }
    return kSwitchFits;
}

std::vector<int> deepestOnEachGas(const Dive& dive) {
    std::vector<int> deepest(dive.gases.size(), -1);
    size_t next = 0;  // the first switch not yet in use
    int gas = dive.firstGas;
    long long n = diveSampleCount(dive);
    bool log = dive.format == kLogDive;
    for (long long k = 0; k < n; k++) {
        // An export's sample is read once, as tenths; its time needs no read.
        double seconds =
            log ? dive.samples[static_cast<size_t>(k)].seconds : static_cast<double>(k) * dive.rate;
        while (next < dive.switches.size() && dive.switches[next].seconds <= seconds)
            gas = dive.switches[next++].gas;
        if (gas < 0 || static_cast<size_t>(gas) >= deepest.size()) continue;
        int tenths =
            log ? clampToTenths(dive.samples[static_cast<size_t>(k)].depth)
                : readTenths(*dive.rows, dive.number, kFirstSampleRow + static_cast<int>(k));
        deepest[static_cast<size_t>(gas)] = std::max(deepest[static_cast<size_t>(gas)], tenths);
    }
    return deepest;
}

int maxDepthOff(const Logbook& lb, const DiveRecord& r, int deepestTenths) {
    if (deepestTenths < 0 || !decimalText(fieldText(lb, r.number, kMaxDepthRow))) return -1;
    int field = readTenths(lb, r.number, kMaxDepthRow);
    long long off = static_cast<long long>(field) - deepestTenths;
    return off > kMaxDepthTolerance || off < -kMaxDepthTolerance ? field : -1;
}

bool endsCutShort(const Dive& dive) {
    return dive.format == kLogDive && !dive.samples.empty() &&
           dive.samples.back().depth > kCutShortMetres;
}
