// The minute rule: a dive's samples, with a log's assumed points before, between and after
// them, swept minute by minute.
#include "assist/minutes.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "import/fields.h"

namespace {

constexpr double kAscentMetresPerMinute = 10;
// Deeper than any dive: the ascent of a greater depth is not drawn point by point.
constexpr double kDeepestEnd = 100000;

// The points the minutes are taken from: a log's (0 s, 0 m) before a later first sample, the
// samples, the deep end held and its ascent; an export's samples alone.
struct Track {
    const Dive* dive;
    bool log;
    long long pre;      // 1 with the point (0 s, 0 m) before the samples
    long long samples;  // the dive's samples
    DeepEnd end;
    long long hold;   // 1 with the point (heldUntil, depth)
    long long steps;  // ascent points, one a minute, the last at 0 m
    long long count;
    // An export's sample last read: two minutes share the sample at their border.
    long long cached;
    int cachedMetres;
};

Track trackOf(const Dive& dive) {
    Track t{&dive, dive.format == kLogDive, 0, diveSampleCount(dive), deepEnd(dive), 0, 0, 0, -1,
            0};
    if (t.log && t.samples > 0 && dive.samples[0].seconds > 0) t.pre = 1;
    if (t.end.added) {
        t.hold = t.end.heldUntil > t.end.lastSeconds ? 1 : 0;
        t.steps = static_cast<long long>(std::ceil(t.end.depth / kAscentMetresPerMinute));
    }
    t.count = t.pre + t.samples + t.hold + t.steps;
    return t;
}

// The samples of an export's minute i: those within it, or the two around it when none is.
void exportSamplesOf(long long rate, long long samples, long long i, long long* lo, long long* hi) {
    *lo = (60 * (i - 1) + rate - 1) / rate;
    *hi = std::min(60 * i / rate, samples - 1);
    if (*lo > *hi) *hi = (*lo)--;  // none inside: the deeper of the samples before and after
}

// The minutes of an export's dive: minute i while 60i - 30 <= the last sample's time.
long long exportCount(long long rate, long long samples) {
    return samples < 1 ? 0 : ((samples - 1) * rate + 30) / 60;
}

// An export's sample k in whole metres, read once though two minutes share the sample on their
// border.
inline int exportMetres(Track& t, long long k) {
    if (k != t.cached) {
        t.cached = k;
        t.cachedMetres =
            readMetres(*t.dive->rows, t.dive->number, kFirstSampleRow + static_cast<int>(k));
    }
    return t.cachedMetres;
}

DiveSample point(Track& t, long long k) {
    if (k < t.pre) return {0, 0};
    k -= t.pre;
    if (k < t.samples) {
        if (t.log) return t.dive->samples[static_cast<size_t>(k)];
        return diveSample(*t.dive, k);
    }
    k -= t.samples;
    if (k < t.hold) return {t.end.heldUntil, t.end.depth};
    long long j = k - t.hold + 1;
    double from = std::max(t.end.heldUntil, t.end.lastSeconds);
    if (j >= t.steps) return {from + t.end.ascentSeconds, 0};
    return {from + 60.0 * static_cast<double>(j), t.end.depth - kAscentMetresPerMinute * j};
}

double timeOf(Track& t, long long k) {
    if (!t.log && k >= t.pre && k < t.pre + t.samples) {
        return static_cast<double>(k - t.pre) * t.dive->rate;
    }
    return point(t, k).seconds;
}

// A log's first point whose time is at or after `at` (or after it, with `strictly`); count for
// none.
long long firstPoint(Track& t, double at, bool strictly) {
    long long lo = 0;
    long long hi = t.count;
    while (lo < hi) {
        long long mid = lo + (hi - lo) / 2;
        double when = timeOf(t, mid);
        if (strictly ? when > at : when >= at) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

// Two points too far apart to say where the diver was between them.
bool longGap(const DiveSample& p, const DiveSample& q) {
    return q.seconds - p.seconds > kLongestGapSeconds;
}

// A log's depth at `at` between two points: interpolated, or across a long gap the deeper end.
// False where a point stands at `at` or none lies on either side.
bool depthBetween(Track& t, double at, double* depth) {
    long long after = firstPoint(t, at, true);
    long long before = firstPoint(t, at, false) - 1;
    if (before + 1 != after || before < 0 || after >= t.count) return false;
    DiveSample p = point(t, before);
    DiveSample q = point(t, after);
    if (longGap(p, q)) {
        *depth = std::max(p.depth, q.depth);
    } else {
        *depth = p.depth + (q.depth - p.depth) * ((at - p.seconds) / (q.seconds - p.seconds));
    }
    return true;
}

// An export's samples lie at k * rate: the minute's are found by two divisions, and the sample
// on the border of two minutes is read once.
int exportMinuteDepth(Track& t, long long i) {
    long long lo;
    long long hi;
    exportSamplesOf(t.dive->rate, t.samples, i, &lo, &hi);
    int deepest = exportMetres(t, lo);
    for (long long k = lo + 1; k <= hi; k++)
        deepest = std::max(deepest, exportMetres(t, k));
    return deepest;
}

// A log's minute: its points, and the depths at both ends between points.
int minuteDepth(Track& t, long long i) {
    double a = 60.0 * static_cast<double>(i - 1);
    double b = 60.0 * static_cast<double>(i);
    double deepest = 0;
    bool any = false;
    auto take = [&](double d) {
        deepest = any ? std::max(deepest, d) : d;
        any = true;
    };
    long long lo = firstPoint(t, a, false);
    long long hi = firstPoint(t, b, true) - 1;
    for (long long k = lo; k <= hi; k++)
        take(point(t, k).depth);
    double d;
    if (depthBetween(t, a, &d)) take(d);
    if (depthBetween(t, b, &d)) take(d);
    if (!any) {
        if (lo > 0) take(point(t, lo - 1).depth);
        if (lo < t.count) take(point(t, lo).depth);
    }
    return any ? roundHalfUp(deepest, INT_MAX) : 0;
}

// The inert gas a minute line carries for a gas.
int inert(const DiveMinute& m) {
    return m.nitrogen + m.helium;
}

// The minute lines of a dive's gases, worked out once: index gases.size() is air, for a gas
// index the dive lacks.
std::vector<DiveMinute> gasLines(const Dive& dive) {
    std::vector<DiveMinute> lines;
    for (const DiveGas& g : dive.gases)
        lines.push_back(gasColumns(g));
    lines.push_back(gasColumns({kAirOxygen, 0}));
    return lines;
}

const DiveMinute& lineOf(const std::vector<DiveMinute>& lines, int gas) {
    size_t air = lines.size() - 1;
    return gas >= 0 && static_cast<size_t>(gas) < air ? lines[static_cast<size_t>(gas)]
                                                      : lines[air];
}

// Of the gases breathed in [a, b), the one with more inert gas; a tie takes the later one.
DiveMinute minuteGas(const Dive& dive, const std::vector<DiveMinute>& lines, long long i) {
    const std::vector<DiveSwitch>& w = dive.switches;
    if (w.empty()) return lineOf(lines, dive.firstGas);
    double a = 60.0 * static_cast<double>(i - 1);
    double b = 60.0 * static_cast<double>(i);
    auto notAfter = std::upper_bound(w.begin(), w.end(), a,
                                     [](double at, const DiveSwitch& x) { return at < x.seconds; });
    int gas = notAfter == w.begin() ? dive.firstGas : (notAfter - 1)->gas;
    DiveMinute chosen = lineOf(lines, gas);
    for (auto x = notAfter; x != w.end() && x->seconds < b; ++x) {
        const DiveMinute& next = lineOf(lines, x->gas);
        if (inert(next) >= inert(chosen)) chosen = next;
    }
    return chosen;
}

}  // namespace

DeepEnd deepEnd(const Dive& dive) {
    DeepEnd end{false, 0, 0, 0, 0};
    if (dive.format != kLogDive || dive.samples.empty()) return end;
    const DiveSample& last = dive.samples.back();
    // Beyond any dive the ascent is not drawn: the dive is too long for a profile anyway.
    if (!(last.depth > kSurfacedMetres) || !(last.depth < kDeepestEnd)) return end;
    end.added = true;
    end.depth = last.depth;
    end.lastSeconds = last.seconds;
    end.heldUntil = std::max(last.seconds, dive.loggedSeconds);
    end.ascentSeconds = last.depth * 60 / kAscentMetresPerMinute;
    return end;
}

long long minuteCount(const Dive& dive) {
    long long n = diveSampleCount(dive);
    if (n < 1) return 0;
    if (dive.format == kExportDive) return exportCount(dive.rate, n);
    // Samples that never leave 0 s say nothing of the dive's time, whatever is added after them.
    if (!(dive.samples.back().seconds > 0)) return 0;
    Track t = trackOf(dive);
    double last = timeOf(t, t.count - 1);
    if (!(last > 0) || last > 60.0 * kMaxDiveMinutes) return 0;
    return static_cast<long long>(std::ceil(last / 60));
}

long long lastSampleRead(int rate, long long samples) {
    long long count = rate > 0 ? exportCount(rate, samples) : 0;
    if (count < 1) return -1;
    long long lo;
    long long hi;
    exportSamplesOf(rate, samples, count, &lo, &hi);
    return hi;
}

long long diveMinutes(const Dive& dive, long long first, DiveMinute* out, long long n) {
    long long last = std::min(minuteCount(dive), first + n - 1);
    Track t = trackOf(dive);
    std::vector<DiveMinute> lines = gasLines(dive);
    long long filled = 0;
    for (long long i = first; i <= last; i++) {
        DiveMinute m = minuteGas(dive, lines, i);
        m.depth = t.log ? minuteDepth(t, i) : exportMinuteDepth(t, i);
        out[filled++] = m;
    }
    return filled;
}

std::vector<DiveMinute> allMinutes(const Dive& dive) {
    long long count = minuteCount(dive);
    if (count > kMaxDiveMinutes) return {};
    std::vector<DiveMinute> minutes(static_cast<size_t>(count));
    diveMinutes(dive, 1, minutes.data(), count);
    return minutes;
}

DiveMinute ascentMinute(const Dive& dive) {
    long long count = minuteCount(dive);
    DiveMinute m = minuteGas(dive, gasLines(dive), count > 0 ? count : 1);
    if (count == 0 && dive.format == kExportDive) {
        m.nitrogen = 100 - roundHalfUp(diveGas(dive, dive.firstGas).o2, 100);
    }
    m.depth = 0;
    return m;
}

long long switchMinute(const Dive& dive, size_t index) {
    if (index >= dive.switches.size()) return 0;
    const DiveSwitch& w = dive.switches[index];
    std::vector<DiveMinute> lines = gasLines(dive);
    const DiveMinute& gas = lineOf(lines, w.gas);
    long long count = minuteCount(dive);
    if (!(w.seconds < 60.0 * static_cast<double>(count))) return 0;
    long long from = w.seconds > 0 ? static_cast<long long>(std::floor(w.seconds / 60)) + 1 : 1;
    for (long long i = from; i <= from + 1 && i <= count; i++) {
        DiveMinute m = minuteGas(dive, lines, i);
        if (m.nitrogen == gas.nitrogen && m.helium == gas.helium) return i;
    }
    return 0;
}

std::vector<HeldGap> heldGaps(const Dive& dive) {
    std::vector<HeldGap> gaps;
    if (dive.format != kLogDive) return gaps;
    Track t = trackOf(dive);
    for (long long k = 1; k < t.pre + t.samples; k++) {
        DiveSample p = point(t, k - 1);
        DiveSample q = point(t, k);
        if (longGap(p, q)) {
            gaps.push_back({p.seconds, q.seconds, std::max(p.depth, q.depth)});
        }
    }
    return gaps;
}

long long minutesAfterSwitch(const Dive& dive, size_t index) {
    long long from = switchMinute(dive, index);
    return from > 0 ? minuteCount(dive) - from + 1 : 0;
}

long long profileLines(const std::vector<Dive>& dives) {
    long long lines = 0;
    for (size_t i = 0; i < dives.size(); i++) {
        lines += minuteCount(dives[i]) + 1;
        if (i + 1 < dives.size() && dives[i].intervalAfter > 0) lines += dives[i].intervalAfter;
    }
    return lines;
}

std::vector<GasMinutes> minutesOnEachGas(const Dive& dive) {
    std::vector<GasMinutes> out;
    std::vector<DiveMinute> lines = gasLines(dive);
    long long count = minuteCount(dive);
    for (long long i = 1; i <= count; i++) {
        DiveMinute m = minuteGas(dive, lines, i);
        size_t k = 0;
        while (k < out.size() &&
               (out[k].gas.nitrogen != m.nitrogen || out[k].gas.helium != m.helium))
            k++;
        if (k == out.size()) out.push_back({m, 0});
        out[k].minutes++;
    }
    return out;
}
