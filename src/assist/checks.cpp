// The check rules, each a question about one dive.
#include "assist/checks.h"

#include <string>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "import/fields.h"
#include "import/layout.h"
#include "import/logbook.h"

namespace {
constexpr long long kToleratedSeconds = 120;
}  // namespace

NumberField numberField(const Logbook& lb, int d, int row) {
    std::string text = fieldBytes(lb, d, row);
    if (text.empty()) return kFieldEmpty;
    if (text == "-") return kFieldDash;
    for (char c : text) {
        if (c < '0' || c > '9') return kFieldNotPlain;
    }
    return kFieldPlain;
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

std::vector<int> raggedRows(const Logbook& lb) {
    std::vector<int> rows;
    for (int r = 0; r < rowCount(lb) && r < kFirstSampleRow; r++) {
        if (rowCommas(lb, r) != lb.dives) rows.push_back(r);
    }
    return rows;
}

long long disagreeingInterval(const Logbook& lb, const DiveRecord& r) {
    long long logged = loggedInterval(lb, r.number);
    long long off = logged - r.surfaceInterval;
    return logged >= 0 && (off > 1 || off < -1) ? logged : -1;
}

bool switchWithoutSuggestion(const Logbook& lb, const DiveRecord& r) {
    return gasKnown(r.mix2) && suggestedSwitch(lb, r) < 0;
}

bool suggestionBreaksMod(const Logbook& lb, const DiveRecord& r) {
    if (!gasKnown(r.mix2)) return false;
    DiveScan scan = scanDive(lb, r);
    return scan.suggested >= 0 && !withinMod(sampleTenths(lb, r, scan.deepestAfter), r.mix2);
}

long long recordedSeconds(const DiveRecord& r) {
    return static_cast<long long>(r.sampleCount) * r.sampleRate;
}

bool recordingDisagrees(const Logbook& lb, const DiveRecord& r) {
    long long off = recordedSeconds(r) - 60LL * getInt(lb, r.number, kDiveTimeRow);
    return off > kToleratedSeconds || off < -kToleratedSeconds;
}

long long profileLines(const DiveRecord& r, bool last) {
    long long lines = minutesOf(r, timedMinutes(r)) + 1;
    if (!last && r.surfaceInterval > 0) lines += r.surfaceInterval;
    return lines;
}
