// The series rule and the parser of a list of dive numbers.
#include "assist/series.h"

#include <algorithm>

#include "assist/logintervals.h"
#include "import/numbers.h"

namespace {

// The list as a message may quote it: plain ASCII.
std::string shown(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c >= 0x20 && c < 0x7f ? c : '?';
    return out;
}

DiveChoice refused(const std::string& why) {
    DiveChoice c;
    c.error = "ERROR: --tauchgaenge: " + why;
    return c;
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// A dive number at `*i` (blanks around it skipped); false when there are no digits. Numbers of
// more than nine digits read as one beyond any file, so that nothing overflows.
bool number(const std::string& text, size_t* i, long* value) {
    while (*i < text.size() && blank(text[*i]))
        ++*i;
    size_t first = *i;
    long long v;
    *i += readDigits(text.data() + *i, text.size() - *i, text.size(), 1000000000LL, &v);
    if (*i == first) return false;
    while (*i < text.size() && blank(text[*i]))
        ++*i;
    *value = static_cast<long>(v);
    return true;
}

}  // namespace

std::vector<int> defaultSeries(const std::vector<LogDive>& dives) {
    std::vector<int> series;
    if (dives.empty()) return series;
    int k = static_cast<int>(dives.size()) - 1;
    series.push_back(k);
    for (; k > 0; --k) {
        const LogDive& before = dives[static_cast<size_t>(k - 1)];
        const LogDive& after = dives[static_cast<size_t>(k)];
        // Only a gap known to be 48 hours or more parts two dives: where the times cannot tell
        // (unknown, overlapping, listed out of order) the dive stays in, with its nitrogen.
        long long starts = 0;
        TimeReading reading;
        if (startGap(before, after, &starts, &reading)) {
            double took = before.durationSeconds > 0 ? before.durationSeconds : 0;
            double gap = static_cast<double>(starts) * 60 - took;
            if (gap >= kSeriesGapSeconds) break;
        }
        series.push_back(k - 1);
    }
    std::reverse(series.begin(), series.end());
    return series;
}

DiveChoice parseDiveList(const std::string& text, int diveCount) {
    std::vector<bool> named(static_cast<size_t>(diveCount > 0 ? diveCount : 0), false);
    DiveChoice choice;
    size_t i = 0;
    for (;;) {
        long first = 0, last = 0;
        size_t at = i;
        if (!number(text, &i, &first)) {
            return refused("'" + shown(text) + "' ist keine Liste wie 3-5, 2,4 oder 1,3-4.");
        }
        last = first;
        if (i < text.size() && text[i] == '-') {
            ++i;
            if (!number(text, &i, &last)) {
                return refused("'" + shown(text) + "' ist keine Liste wie 3-5, 2,4 oder 1,3-4.");
            }
        }
        std::string part = shown(text.substr(at, i - at));
        if (first == 0 || last == 0)
            return refused("Tauchgang 0 gibt es nicht, die Zaehlung beginnt bei 1.");
        if (last < first)
            return refused("Im Bereich '" + part + "' steht die groessere Nummer vorn.");
        if (last > diveCount) {
            return refused("Die Datei enthaelt " + std::to_string(diveCount) + " Tauchgaenge, '" +
                           part + "' geht darueber hinaus.");
        }
        for (long d = first; d <= last; ++d) {
            if (named[static_cast<size_t>(d - 1)]) {
                return refused("Tauchgang " + std::to_string(d) + " ist doppelt genannt.");
            }
            named[static_cast<size_t>(d - 1)] = true;
        }
        if (i == text.size()) break;
        if (text[i] != ',')
            return refused("'" + shown(text) + "' ist keine Liste wie 3-5, 2,4 oder 1,3-4.");
        ++i;
    }
    for (size_t d = 0; d < named.size(); ++d) {
        if (named[d]) choice.dives.push_back(static_cast<int>(d));
    }
    choice.ok = true;
    return choice;
}
