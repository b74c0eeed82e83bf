// The minute rule for irregular samples: one sweep over the samples ordered by time, one over
// the switches, both alongside the minutes.
#include "assist/irregular.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kAirNitrogen = 78;  // the planner's air, as the CSV path writes it

// Half up, clamped: defined for any double, NaN included.
int roundHalfUp(double value, int most) {
    double r = value + 0.5;
    if (!(r >= 0.0)) return 0;
    if (r >= static_cast<double>(most)) return most;
    return static_cast<int>(r);
}

bool earlier(const LogSample& a, const LogSample& b) {
    return a.seconds < b.seconds;
}

double between(const LogSample& a, const LogSample& b, double t) {
    return a.depth + (b.depth - a.depth) * ((t - a.seconds) / (b.seconds - a.seconds));
}

}  // namespace

DiveMinute gasColumns(const LogGas& gas) {
    DiveMinute m{0, 0, 0};
    m.helium = roundHalfUp(gas.he, 100);
    if (m.helium == 0 && std::fabs(gas.o2 - 21) <= 0.15) {
        m.nitrogen = kAirNitrogen;
    } else {
        m.nitrogen = roundHalfUp(100 - gas.o2 - gas.he, 100);
    }
    return m;
}

long long switchMinute(double seconds) {
    if (!(seconds > 0)) return 1;
    if (seconds > 60.0 * kMaxDiveMinutes) return kMaxDiveMinutes + 1;
    return static_cast<long long>(std::ceil(seconds / 60)) + 1;
}

DiveMinute irregularAscent(const LogDive& dive, size_t minutes) {
    double at = 60.0 * static_cast<double>(minutes);
    int gas = dive.firstGas;
    double latest = -1;  // switches come in time order; of equal times the last in the file wins
    for (const LogSwitch& x : dive.switches) {
        if (std::isfinite(x.seconds) && x.seconds <= at && x.seconds >= latest) {
            gas = x.gas;
            latest = x.seconds;
        }
    }
    DiveMinute m = gas >= 0 && static_cast<size_t>(gas) < dive.gases.size()
                       ? gasColumns(dive.gases[static_cast<size_t>(gas)])
                       : gasColumns({21, 0});
    m.depth = 0;
    return m;
}

std::vector<DiveMinute> irregularMinutes(const LogDive& dive) {
    std::vector<DiveMinute> out;
    if (dive.samples.empty()) return out;
    std::vector<LogSample> s = dive.samples;
    // Ordering needs real numbers; the reader never yields others, other callers might.
    for (const LogSample& x : s) {
        if (!std::isfinite(x.seconds)) return out;
    }
    // Most files are in order; only the rest pay for the sort.
    if (!std::is_sorted(s.begin(), s.end(), earlier)) std::stable_sort(s.begin(), s.end(), earlier);
    double last = s.back().seconds;
    if (!(last > 0) || last > 60.0 * kMaxDiveMinutes) return out;
    int minutes = static_cast<int>(std::ceil(last / 60));

    std::vector<LogSwitch> w;
    for (const LogSwitch& x : dive.switches) {
        if (std::isfinite(x.seconds)) w.push_back(x);
    }
    auto byTime = [](const LogSwitch& a, const LogSwitch& b) { return a.seconds < b.seconds; };
    if (!std::is_sorted(w.begin(), w.end(), byTime)) std::stable_sort(w.begin(), w.end(), byTime);
    auto columns = [&](int gas) {
        if (gas < 0 || static_cast<size_t>(gas) >= dive.gases.size()) return gasColumns({21, 0});
        return gasColumns(dive.gases[static_cast<size_t>(gas)]);
    };
    DiveMinute gas = columns(dive.firstGas);
    size_t nextSwitch = 0;

    out.reserve(static_cast<size_t>(minutes));
    size_t n = s.size();
    size_t from = 0;  // first sample at or after the minute's start
    for (int i = 1; i <= minutes; ++i) {
        double a = 60.0 * (i - 1);
        double b = 60.0 * i;
        while (from < n && s[from].seconds < a)
            ++from;
        double deepest = 0;
        bool any = false;
        auto take = [&](double d) {
            deepest = any ? std::max(deepest, d) : d;
            any = true;
        };
        if (from > 0 && from < n && s[from].seconds > a) take(between(s[from - 1], s[from], a));
        size_t j = from;
        for (; j < n && s[j].seconds <= b; ++j)
            take(s[j].depth);
        if (j > 0 && j < n && s[j - 1].seconds < b) take(between(s[j - 1], s[j], b));
        while (nextSwitch < w.size() && w[nextSwitch].seconds <= a)
            gas = columns(w[nextSwitch++].gas);
        out.push_back(
            DiveMinute{any ? roundHalfUp(deepest, INT_MAX) : 0, gas.nitrogen, gas.helium});
    }
    return out;
}
