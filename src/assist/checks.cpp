// The check rules, each a question about one dive.
#include "assist/checks.h"

#include <string>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "import/fields.h"
#include "import/logbook.h"

namespace {
constexpr int kDiveTimeRow = 9;
constexpr int kRateRow = 14;
constexpr long long kToleratedSeconds = 120;
constexpr int kAir = 21;  // a first gas that is not usable is breathed as air
}  // namespace

NumberField numberField(int d, int row) {
    std::string text = fieldBytes(row, d);
    if (text.empty()) return kFieldEmpty;
    if (text == "-") return kFieldDash;
    for (char c : text) {
        if (c < '0' || c > '9') return kFieldNotPlain;
    }
    return kFieldPlain;
}

MixField mixField(int d, int row, int value) {
    switch (numberField(d, row)) {
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
bool blankRow(int r) {
    for (char c : tabelle[r]) {
        if (c != '\0' && c != '\n' && c != '\r') return false;
    }
    return true;
}

}  // namespace

std::vector<RowRun> raggedRuns() {
    std::vector<RowRun> runs;
    int end = zeilen;
    while (end > 2 && blankRow(end - 1))
        end--;
    for (int r = 0; r < end; r++) {
        int commas = rowCommas(r);
        if (commas == tauchgaenge) continue;
        if (!runs.empty() && runs.back().last == r - 1 && runs.back().commas == commas) {
            runs.back().last = r;
        } else {
            runs.push_back({r, r, commas});
        }
    }
    return runs;
}

long long disagreeingInterval(int d, const DiveRecord& r) {
    long long logged = loggedInterval(d);
    long long off = logged - r.surfaceInterval;
    return logged >= 0 && (off > 1 || off < -1) ? logged : -1;
}

int intervalToWrite(int d, const DiveRecord& r) {
    long long logged = disagreeingInterval(d, r);
    return logged >= 0 && logged < r.surfaceInterval ? static_cast<int>(logged) : r.surfaceInterval;
}

bool switchWithoutSuggestion(int d, const DiveRecord& r) {
    return gasKnown(r.mix2) && suggestedSwitch(d, r) < 0;
}

bool suggestionBreaksMod(int d, const DiveRecord& r) {
    if (!gasKnown(r.mix2)) return false;
    DiveScan scan = scanDive(d, r);
    return scan.suggested >= 0 && !withinMod(sampleTenths(d, scan.deepestAfter), r.mix2);
}

long long recordedSeconds(const DiveRecord& r) {
    return static_cast<long long>(r.sampleCount) * r.sampleRate;
}

bool recordingDisagrees(int d, const DiveRecord& r) {
    long long off = recordedSeconds(r) - 60LL * getInt(d, kDiveTimeRow);
    return off > kToleratedSeconds || off < -kToleratedSeconds;
}

bool tooFewSamples(const DiveRecord& r) {
    return r.sampleCount < 2;
}

bool rateUsable(int d, const DiveRecord& r) {
    return numberField(d, kRateRow) == kFieldPlain && r.sampleRate > 0;
}

bool mix2NotRicher(const DiveRecord& r) {
    int first = gasKnown(r.mix1) ? r.mix1 : kAir;
    return gasKnown(r.mix2) && r.mix2 <= first;
}

bool mix1BeyondMod(const DiveRecord& r, int deepestTenths) {
    return gasKnown(r.mix1) && deepestTenths >= 0 && !withinMod(deepestTenths, r.mix1);
}

long long profileLines(const DiveRecord& r, bool last, long long interval) {
    long long lines = minutesOf(r, timedMinutes(r)) + 1;
    if (!last && interval > 0) lines += interval;
    return lines;
}

int diveReachingLimit(long long* lines) {
    *lines = 0;
    for (int d = 1; d <= tauchgaenge; d++) {
        const DiveRecord& r = tgListe[d - 1];
        bool last = d == tauchgaenge;
        *lines += profileLines(r, last, last ? 0 : intervalToWrite(d, r));
        if (*lines + 1 >= kProfileMinuteLimit) return d;
    }
    return 0;
}

SwitchProblem givenSwitchProblem(const GivenSwitch& given) {
    if (given.dive < 1 || given.dive > tauchgaenge) return kSwitchNoSuchDive;
    const DiveRecord& r = tgListe[given.dive - 1];
    if (!gasKnown(r.mix2)) return kSwitchOneGas;
    if (!canBeTimed(r)) return kSwitchUntimed;
    if (given.seconds != kNoSwitchGiven && typedSwitchSample(given.seconds, r) < 0) {
        return kSwitchAfterDive;
    }
    return kSwitchFits;
}
