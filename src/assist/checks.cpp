// The check rules, each a question about one dive.
#include "assist/checks.h"

#include <string>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/timing.h"
#include "import/fields.h"

namespace {
constexpr int kDiveTimeRow = 9;
constexpr long long kToleratedSeconds = 120;
}  // namespace

MixField mixField(int d, int row, int value) {
    std::string text = fieldText(row, d);
    if (text == "-") return kMixNotGiven;
    if (text.empty()) return kMixEmpty;
    return gasKnown(value) ? kMixUsable : kMixOutOfRange;
}

long long disagreeingInterval(int d, const DiveRecord& r) {
    long long logged = loggedInterval(d);
    long long off = logged - r.surfaceInterval;
    return logged >= 0 && (off > 1 || off < -1) ? logged : -1;
}

bool switchWithoutSuggestion(int d, const DiveRecord& r) {
    return gasKnown(r.mix2) && suggestedSwitch(d, r) < 0;
}

long long recordedSeconds(const DiveRecord& r) {
    return static_cast<long long>(r.sampleCount) * r.sampleRate;
}

bool recordingDisagrees(int d, const DiveRecord& r) {
    long long off = recordedSeconds(r) - 60LL * getInt(d, kDiveTimeRow);
    return off > kToleratedSeconds || off < -kToleratedSeconds;
}

long long profileLines(const DiveRecord& r, bool last) {
    long long lines = minutesOf(r, canBeTimed(r)) + 1;
    if (!last && r.surfaceInterval > 0) lines += r.surfaceInterval;
    return lines;
}
