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
constexpr int kFirstSampleRow = 23;
constexpr long long kToleratedSeconds = 120;
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

std::vector<int> raggedRows() {
    std::vector<int> rows;
    for (int r = 0; r < zeilen && r < kFirstSampleRow; r++) {
        if (rowCommas(r) != tauchgaenge) rows.push_back(r);
    }
    return rows;
}

long long disagreeingInterval(int d, const DiveRecord& r) {
    long long logged = loggedInterval(d);
    long long off = logged - r.surfaceInterval;
    return logged >= 0 && (off > 1 || off < -1) ? logged : -1;
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

long long profileLines(const DiveRecord& r, bool last) {
    long long lines = minutesOf(r, timedMinutes(r)) + 1;
    if (!last && r.surfaceInterval > 0) lines += r.surfaceInterval;
    return lines;
}
